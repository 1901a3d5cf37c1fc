#include "errors/ErrorLog.h"

#include "data/FormatSettings.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

QString errorLogPath(const QString& installationDirectory) {
    return installationDirectory + QStringLiteral("/ERRORES.TXT");
}

QByteArray errorLogRecord(const QDateTime& when, const QString& user, const QString& message) {
    const QString line = DateText(when.date()) + QLatin1Char(',') +
                         when.time().toString(FormatSettings::current().longTimeFormat) + QLatin1Char(',') + user +
                         QLatin1Char(',') + message + QStringLiteral("\r\n");
    return line.toLatin1(); // the log is 8-bit text
}

bool appendErrorLog(const QString& installationDirectory, const QDateTime& when, const QString& user,
                    const QString& message) {
    const QByteArray record = errorLogRecord(when, user, message);
    const QByteArray path = errorLogPath(installationDirectory).toLocal8Bit();
    const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    ssize_t written;
    do {
        written = ::write(fd, record.constData(), size_t(record.size()));
    } while (written < 0 && errno == EINTR);
    ::close(fd);
    return written == ssize_t(record.size());
}
