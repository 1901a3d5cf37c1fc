#include "grid/EscapeKeyWatch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace {

constexpr qint64 kLookIntervalMs = 25;

bool heldBack(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::UpdateRequest:
    case QEvent::Expose: return true;
    default: return false;
    }
}

} // namespace

EscapeKeyWatch::EscapeKeyWatch(const QWidget& window) : window_(window) {}

EscapeKeyWatch::~EscapeKeyWatch() {
    for (Held& held : held_)
        if (held.receiver)
            QCoreApplication::postEvent(held.receiver, held.event.release());
}

bool EscapeKeyWatch::escapeWaiting() {
    if (escape_)
        return true;
    if (sinceLook_.isValid() && sinceLook_.elapsed() < kLookIntervalMs)
        return false;
    modalAtLook_ = QApplication::activeModalWidget();
    qApp->installEventFilter(this);
    // Timers and sockets wait: only what is queued is drawn in.
    QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers | QEventLoop::X11ExcludeTimers);
    qApp->removeEventFilter(this);
    sinceLook_.start();
    return escape_;
}

bool EscapeKeyWatch::isForWindow(const QObject* receiver) const {
    if (receiver == window_.windowHandle())
        return true;
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    return widget && (widget == &window_ || window_.isAncestorOf(widget));
}

bool EscapeKeyWatch::eventFilter(QObject* receiver, QEvent* event) {
    if (QApplication::activeModalWidget() != modalAtLook_)
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // Taken as no shortcut, so that the key itself comes and is held.
        event->accept();
        return true;
    }
    if (!heldBack(event->type()))
        return false;
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        isForWindow(receiver))
        escape_ = true;
    held_.push_back({receiver, std::unique_ptr<QEvent>(event->clone())});
    return true;
}
