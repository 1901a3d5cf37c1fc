#include "app/Application.h"

#include "app/DefaultErrorHandling.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("contabiliza-contado"));
    setApplicationTitle(QStringLiteral("Contabiliza ventas contado"));
    setMessageService(&messageBoxes_);
}

Application::~Application() {
    if (&messageService() == &messageBoxes_) setMessageService(nullptr);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showEscapedException(std::current_exception());
        return false;
    }
}
