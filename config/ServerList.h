#pragma once
// The list of database servers the user picks from: the file SERVIDORES.cfg of
// the installation directory, 8-bit text, one server entry per line.

#include <QByteArray>
#include <QString>
#include <QStringList>

// The longest entry kept; the rest of a longer line is dropped.
constexpr int kServerEntryMaxLength = 255;

// The entries of a server list file's bytes. A CR or LF ends a line (an empty
// line gives an empty entry); the byte after a CR is dropped unseen, being taken
// for the LF of a CR LF pair. Text after the last line break is no entry. An
// entry ends at a NUL byte, and holds at most kServerEntryMaxLength characters.
QStringList parseServerList(const QByteArray& bytes);

// The entries of the file at path; none when it cannot be read.
QStringList readServerList(const QString& path);
