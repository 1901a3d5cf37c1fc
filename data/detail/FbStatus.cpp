#include "data/detail/FbStatus.h"

#include "data/DatabaseError.h"
#include "data/detail/Messages.h"

#include <QByteArray>

#include <iberror.h>

bool ESQLError::connectionLost() const {
    switch (firebirdCode_) {
    case isc_network_error:
    case isc_net_read_err:
    case isc_net_write_err:
    case isc_conn_lost:
    case isc_lost_db_connection:
    case isc_shutdown:
    case isc_att_shutdown:
        return true;
    default:
        return false;
    }
}

namespace detail {

void raiseConnectionError(QString& lastError, long statusCode, const QString& serverText,
                          const char* operation, long firebirdCode, int sqlCode) {
    QString clientPart;
    if (statusCode >= 1 && statusCode <= 100 && !clientStatusText(statusCode).isEmpty())
        clientPart = msg::clientErrorPrefix() + clientStatusText(statusCode);
    const QString serverPart = serverText.isEmpty() ? QString() : msg::serverErrorPrefix() + serverText;

    QString message;
    if (!clientPart.isEmpty() && !serverPart.isEmpty())
        message = clientPart + QStringLiteral("\r\n") + serverPart;
    else if (!clientPart.isEmpty() || !serverPart.isEmpty())
        message = clientPart + serverPart;
    else if (!lastError.isEmpty())
        message = lastError;
    else
        message = msg::unknownErrorCode().arg(statusCode);

    lastError = message;
    throw ESQLError(message, statusCode, firebirdCode, sqlCode, QString::fromLatin1(operation));
}

void raiseStatus(QString& lastError, const ClientLibrary& lib, Firebird::IStatus* status, const char* operation) {
    const intptr_t* vector = status->getErrors();
    const long firebirdCode = vector[0] == isc_arg_gds ? long(vector[1]) : 0;

    // The whole status vector, first message first, one message per line.
    QByteArray text(4096, '\0');
    const unsigned length = lib.util()->formatStatus(text.data(), unsigned(text.size()), status);
    text.truncate(qsizetype(qMin<unsigned>(length, unsigned(text.size()))));
    text.truncate(qsizetype(qstrnlen(text.constData(), size_t(text.size()))));
    const QString serverText = QString::fromLatin1(text).trimmed();

    // A refused login is a client-side status of its own; every other failure is
    // known by Firebird's error code.
    const long code = firebirdCode == isc_login ? statusCode(ClientStatus::InvalidUserPassword) : firebirdCode;
    raiseConnectionError(lastError, code, serverText, operation, firebirdCode, lib.sqlCode(vector));
}

} // namespace detail
