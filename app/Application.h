#pragma once
// The application object: the title, the message boxes, and the last catch for
// exceptions before they could reach the event loop.

#include "app/MessageBoxService.h"

#include <QApplication>

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    ~Application() override;

    // Delivers every event; an exception that escapes its receiver is shown in the
    // default error box and the event counts as not handled.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    MessageBoxService messageBoxes_;
};
