#pragma once
// Whether an Esc key-down is waiting for a window, found without acting on it.
//
// Qt offers no look into the platform's event queue, so a look draws the waiting
// events in and holds back, unhandled, every key, mouse button and wheel event
// and every repaint request among them; the rest (a resize, an activation) is
// handled as it comes. When the watch ends, what was held is posted again in the
// order it came, so the Esc and whatever else was typed meanwhile are then
// handled as usual. Keys held this way arrive as plain key presses: keyboard
// shortcuts do not see them.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

class QWidget;

class EscapeKeyWatch : public QObject {
public:
    explicit EscapeKeyWatch(const QWidget& window);
    ~EscapeKeyWatch() override;

    // True once an Esc key-down for the window has been seen. Looks at once the
    // first time, then at most every few milliseconds: a look costs far more than
    // comparing a cell.
    bool escapeWaiting();

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    bool isForWindow(const QObject* receiver) const;

    struct Held {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
    };
    const QWidget& window_;
    std::vector<Held> held_;
    QElapsedTimer sinceLook_;
    // A modal box opened by an event handled during a look takes its input.
    const QWidget* modalAtLook_ = nullptr;
    bool escape_ = false;
};
