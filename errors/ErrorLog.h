#pragma once
// The error log "ERRORES.TXT" in the installation directory: one line per error,
// date, time, user and message separated by commas, appended and closed at once.

#include <QDateTime>
#include <QString>

// The log's path: the installation directory + "/ERRORES.TXT" (the root when the
// directory is empty).
QString errorLogPath(const QString& installationDirectory);

// The record as it is written: DateText(day) "," long time "," user "," message CR LF,
// nothing quoted or escaped, the message exactly as it is (line breaks included).
QByteArray errorLogRecord(const QDateTime& when, const QString& user, const QString& message);

// Appends one record, creating the log when it is missing. The record goes out in
// one append-mode write, so records of two programs writing at the same moment never
// mix, and the file is closed at once, so a crash loses nothing already written.
// A log that cannot be written is skipped: returns false, says nothing.
bool appendErrorLog(const QString& installationDirectory, const QDateTime& when, const QString& user,
                    const QString& message);
