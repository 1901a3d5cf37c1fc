#include "app/PasswordArgument.h"

#include <QByteArray>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <termios.h>
#include <unistd.h>

namespace {

// Names the pipe a restarted image reads its password from. Unset again at once, so
// nothing the program starts inherits it.
constexpr const char* kPasswordPipeVariable = "CONTABILIZA_CONTADO_CLAVE_FD";

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

// Reads up to the end of the line (or of the input); the line end is not kept.
QByteArray readLine(int fd) {
    QByteArray line;
    char c;
    for (;;) {
        const ssize_t n = ::read(fd, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || c == '\n')
            break;
        line.append(c);
    }
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

QByteArray readAll(int fd) {
    QByteArray text;
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(buffer, n);
    }
    return text;
}

// A person typing the password at a terminal does not see it echoed.
QByteArray readLineFromStandardInput() {
    termios saved{};
    const bool terminal = ::isatty(STDIN_FILENO) && ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        std::fputs("Clave: ", stderr);
        std::fflush(stderr);
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    QByteArray line = readLine(STDIN_FILENO);
    if (terminal) {
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        std::fputs("\n", stderr);
    }
    return line;
}

} // namespace

void hidePasswordArgument(int argc, char** argv) {
    if (argc <= kPasswordArgument || std::strcmp(argv[kPasswordArgument], "-") == 0)
        return;
    char* password = argv[kPasswordArgument];
    const size_t length = std::strlen(password);
    // A pipe holds at least PIPE_BUF bytes without a reader; a longer password is
    // only overwritten where it stands.
    int pipeEnds[2] = {-1, -1};
    const bool piped = length <= PIPE_BUF && ::pipe(pipeEnds) == 0 && writeAll(pipeEnds[1], password, length);
    if (pipeEnds[1] >= 0)
        ::close(pipeEnds[1]);
    std::memset(password, 0, length);
    if (!piped) {
        if (pipeEnds[0] >= 0)
            ::close(pipeEnds[0]);
        return;
    }
    const std::string fd = std::to_string(pipeEnds[0]);
    ::setenv(kPasswordPipeVariable, fd.c_str(), 1);
    std::vector<char*> restarted(argv, argv + argc);
    char dash[] = "-";
    restarted[kPasswordArgument] = dash;
    restarted.push_back(nullptr);
    ::execv("/proc/self/exe", restarted.data());
    // No restart: the password is read back from the pipe in this image; its
    // argument memory already holds nothing but zeros.
}

QString readPasswordArgument(int argc, char** argv) {
    if (const char* fd = std::getenv(kPasswordPipeVariable)) {
        const int pipeEnd = std::atoi(fd);
        ::unsetenv(kPasswordPipeVariable);
        QByteArray password = pipeEnd > STDERR_FILENO ? readAll(pipeEnd) : QByteArray();
        if (pipeEnd > STDERR_FILENO)
            ::close(pipeEnd);
        return QString::fromLocal8Bit(password);
    }
    if (argc <= kPasswordArgument)
        return {};
    if (std::strcmp(argv[kPasswordArgument], "-") == 0)
        return QString::fromLocal8Bit(readLineFromStandardInput());
    return QString::fromLocal8Bit(argv[kPasswordArgument]);
}
