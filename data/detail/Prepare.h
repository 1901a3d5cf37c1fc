#pragma once
// Preparing a statement text on the connection. Private to the data layer.

#include "data/detail/ConnectionState.h"

#include <QString>

namespace detail {

// Prepares the text in the given transaction; raises the server's error.
Firebird::IStatement* prepare(ConnectionState& st, Firebird::ITransaction* tra, const QString& sql);

// Frees a statement; failures are ignored (the attachment frees it anyway).
void freeQuietly(ConnectionState& st, Firebird::IStatement* statement);

} // namespace detail
