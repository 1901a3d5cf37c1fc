#include "config/ServerList.h"

#include <QFile>

QStringList parseServerList(const QByteArray& bytes) {
    QStringList entries;
    QByteArray line;
    line.reserve(kServerEntryMaxLength);
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            // The line buffer is read as a NUL-terminated text.
            const qsizetype nul = line.indexOf('\0');
            entries << QString::fromLatin1(nul < 0 ? line : line.left(nul));
            line.clear();
            if (c == '\r') ++i;
        } else if (line.size() < kServerEntryMaxLength) {
            line.append(c);
        }
    }
    return entries;
}

QStringList readServerList(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return parseServerList(file.readAll());
}
