// Contabiliza ventas contado: posts a point of sale's daily cash sales into a
// company's database.
//
//   contabiliza-contado [SERVER USER PASSWORD COMPANY]   the window (with the four
//                                                        arguments, the unattended run;
//                                                        PASSWORD "-" reads standard input)
//   contabiliza-contado --screenshot FILE.png            saves a picture of the window
//
// Exit status: 0 when the posting returned rows (or the window was closed without
// posting), 1 when it returned none, 2 when a run stopped before the posting's result,
// 3 when it posted after saving the day's adjustment rows failed. With no display the
// program runs on the offscreen platform and writes every message to the standard
// error stream as one line; without the four arguments it then has nothing to do.

#include "app/Application.h"
#include "app/CommandLineHelp.h"
#include "config/messages/ExitStatus.h"
#include "app/HeadlessMessages.h"
#include "app/PasswordArgument.h"
#include "app/ShutdownSignals.h"
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

// No display to show a window on: the program runs all the same, off screen.
void chooseOffscreenWithoutDisplay() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

int main(int argc, char** argv) {
    if (const auto status = answerInformationalArguments(argc, argv)) return *status;
    endOnShutdownSignals();
    hidePasswordArgument(argc, argv);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (arguments.size() > kPasswordArgument)
        arguments[kPasswordArgument] = readPasswordArgument(argc, argv);
    chooseOffscreenWithoutDisplay();
    const bool screenshot = argc == 3 && std::strcmp(argv[1], "--screenshot") == 0;
    // Without a display and without the four arguments nobody could use or close
    // the window.
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && !screenshot && !Tfvestacol::asksForUnattendedRun(arguments)) {
        std::fputs("Uso: contabiliza-contado SERVIDOR USUARIO CLAVE COMPAÑÍA (sin pantalla hacen falta los "
                   "cuatro; CLAVE \"-\" se lee de la entrada estándar)\n",
                   stderr);
        return int(ExitStatus::Unfinished);
    }
    Application app(argc, argv);
    const bool headless = QGuiApplication::platformName() == QStringLiteral("offscreen");
    HeadlessMessages headlessMessages;
    if (headless)
        setMessageService(&headlessMessages);
    const QPointer<Tfvestacol> window = new Tfvestacol;
    window->Arguments = arguments;
    window->Headless = headless;
    if (screenshot) {
        window->Arguments.clear();
        const int status = saveScreenshot(*window, argv[2]);
        delete window;
        return status;
    }
    // Destroying the main window ends the program.
    QObject::connect(window, &QObject::destroyed, &app, &QCoreApplication::quit);
    window->show();
    Application::exec();
    if (headless)
        setMessageService(nullptr);
    return int(programExitStatus());
}
