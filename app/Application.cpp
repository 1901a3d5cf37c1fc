#include "app/Application.h"

#include "app/DefaultErrorHandling.h"

#include <QIcon>

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("contabiliza-contado"));
    setApplicationTitle(QStringLiteral("Contabiliza ventas contado"));
    setApplicationVersion(QStringLiteral(QUELMAR_VERSION));
    // Drawn as SVG, so it needs Qt's SVG icon engine at run time.
    setWindowIcon(QIcon(QStringLiteral(":/contabiliza-contado.svg")));
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
