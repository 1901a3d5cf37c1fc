#pragma once
// The data layer's own message texts and its client status codes.

#include <QString>

namespace detail {

// Client-side status codes of the connection (1 to 100). A failure with one of
// these codes reads "dbExpress Error: " followed by the code's bracketed text.
enum class ClientStatus : long {
    NotSupported = 5,         // a parameter or column type the connection cannot carry
    InvalidParameter = 9,     // a parameter that does not fit its statement
    InvalidUserPassword = 12, // the server refused the user name and password
    InvalidTransaction = 16,  // commit or rollback with no transaction in progress
    TransactionActive = 19,   // a transaction started while one is in progress
};

// "[0x000C] Invalid Username/Password" for 12; empty for a code not in the table.
QString clientStatusText(long code);

// The status code a client status carries in an error.
constexpr long statusCode(ClientStatus status) { return static_cast<long>(status); }

namespace msg {
inline QString unableToLoad() { return QStringLiteral("Unable to Load %1"); }
inline QString closedConnection() {
    return QStringLiteral("Cannot perform this operation on a closed connection");
}
inline QString clientErrorPrefix() { return QStringLiteral("dbExpress Error: "); }
inline QString serverErrorPrefix() { return QStringLiteral("SQL Server Error: "); }
inline QString unknownErrorCode() { return QStringLiteral("dbExpress Error: Unknown Error Code '%1'"); }
} // namespace msg

} // namespace detail
