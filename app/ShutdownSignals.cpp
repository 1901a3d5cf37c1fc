#include "app/ShutdownSignals.h"

#include "config/messages/ExitStatus.h"

#include <csignal>
#include <cstdio>
#include <thread>

#include <pthread.h>
#include <unistd.h>

namespace {

const char* signalName(int signal) {
    switch (signal) {
    case SIGTERM: return "SIGTERM";
    case SIGINT: return "SIGINT";
    case SIGHUP: return "SIGHUP";
    default: return "?";
    }
}

sigset_t shutdownSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    return set;
}

} // namespace

void endOnShutdownSignals() {
    static const sigset_t signals = shutdownSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([] {
        int signal = 0;
        while (sigwait(&signals, &signal) != 0) {
        }
        std::fprintf(stderr, "Contabiliza ventas contado: Ejecución interrumpida por la señal %s.\n",
                     signalName(signal));
        std::fflush(stderr);
        ::_exit(int(ExitStatus::Unfinished));
    }).detach();
}
