#pragma once
// The application object of the grid tests. Like the program's own, it catches
// what an event raised at its event entry; here it keeps the message (or marks a
// silent abort) for the test to read.

#include <QApplication>
#include <QStringList>

class GridTestApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;

    // Delivers what is waiting in the event loop, then hands over (and forgets)
    // the errors that reached the event entry: each database error's message, or
    // "(abort)" for a silent abort.
    static QStringList takeErrors();
};

// The text a silent abort leaves in the list above.
inline const QString kSilentAbort = QStringLiteral("(abort)");
