#pragma once
// The one place where a Firebird status becomes the connection's error message.
// Private to the data layer.

#include "data/detail/ClientLibrary.h"

#include <QString>

namespace detail {

// Composes and raises a connection error as ESQLError: "dbExpress Error: [code] text"
// for client status codes 1 to 100, "SQL Server Error: " + the server's text when
// there is one, both joined by CR LF; when both are empty the previous message
// (lastError), else "Unknown Error Code". The message is kept in lastError; the
// operation that failed (such as "Statement::Execute") travels beside it.
[[noreturn]] void raiseConnectionError(QString& lastError, long statusCode, const QString& serverText,
                                       const char* operation, long firebirdCode = 0, int sqlCode = 0);

// Raises the error held in a failed Firebird status.
[[noreturn]] void raiseStatus(QString& lastError, const ClientLibrary& lib, Firebird::IStatus* status,
                              const char* operation);

// Raises when the status holds an error.
inline void check(QString& lastError, const ClientLibrary& lib, Firebird::CheckStatusWrapper& status,
                  const char* operation) {
    if (status.getState() & Firebird::IStatus::STATE_ERRORS)
        raiseStatus(lastError, lib, &status, operation);
}

} // namespace detail
