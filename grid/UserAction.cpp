#include "grid/UserAction.h"

#include <QCoreApplication>
#include <QMetaObject>

void raiseFromEventLoop(std::exception_ptr error) {
    // Delivered to the application object itself: no widget's event handling lies
    // between the event loop and the rethrow.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [error] { std::rethrow_exception(error); }, Qt::QueuedConnection);
}

bool runUserAction(const std::function<void()>& action, const std::function<void()>& afterError) {
    try {
        action();
        return true;
    } catch (...) {
        const std::exception_ptr error = std::current_exception();
        if (afterError)
            afterError();
        raiseFromEventLoop(error);
        return false;
    }
}
