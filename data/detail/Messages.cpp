#include "data/detail/Messages.h"

namespace detail {

QString clientStatusText(long code) {
    const char* text = nullptr;
    switch (ClientStatus(code)) {
    case ClientStatus::NotSupported: text = "Not Supported"; break;
    case ClientStatus::InvalidParameter: text = "Invalid Parameter"; break;
    case ClientStatus::InvalidUserPassword: text = "Invalid Username/Password"; break;
    case ClientStatus::InvalidTransaction: text = "Invalid Transaction ID"; break;
    case ClientStatus::TransactionActive: text = "Local Transaction already active"; break;
    default: return {};
    }
    const QString hex = QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0'));
    return QStringLiteral("[0x%1] %2").arg(hex, QLatin1String(text));
}

} // namespace detail
