// Contabiliza ventas contado: posts a point of sale's daily cash sales into a
// company's database.
//
//   contabiliza-contado [SERVER USER PASSWORD COMPANY]   the window (with the four
//                                                        arguments, the unattended run)
//   contabiliza-contado --screenshot FILE.png            saves a picture of the window

#include "app/Application.h"
#include "app/Tfvestacol.h"

#include <QPointer>

#include <cstdio>
#include <cstring>

namespace {

int saveScreenshot(Tfvestacol& window, const char* file) {
    window.show();
    QCoreApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(file))) {
        std::fprintf(stderr, "contabiliza-contado: cannot write %s\n", file);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Application app(argc, argv);
    const QPointer<Tfvestacol> window = new Tfvestacol;
    if (argc == 3 && std::strcmp(argv[1], "--screenshot") == 0) {
        const int status = saveScreenshot(*window, argv[2]);
        delete window;
        return status;
    }
    // Destroying the main window ends the program.
    QObject::connect(window, &QObject::destroyed, &app, &QCoreApplication::quit);
    window->show();
    return Application::exec();
}
