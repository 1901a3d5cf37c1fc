#pragma once
// Preparing a statement text on the connection. Private to the data layer.

#include "data/detail/ConnectionState.h"

#include <QString>

namespace detail {

// Prepares the text in the given transaction; raises the server's error.
Statement prepare(ConnectionState& st, Firebird::ITransaction* tra, const QString& sql);

} // namespace detail
