#include "data/detail/Messages.h"

namespace detail {

QString clientStatusText(long code) {
    const char* text = nullptr;
    switch (code) {
    case StatusNotSupported: text = "Not Supported"; break;
    case StatusInvalidParameter: text = "Invalid Parameter"; break;
    case StatusInvalidUserPassword: text = "Invalid Username/Password"; break;
    case StatusInvalidTransaction: text = "Invalid Transaction ID"; break;
    case StatusTransactionActive: text = "Local Transaction already active"; break;
    default: return {};
    }
    const QString hex = QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0'));
    return QStringLiteral("[0x%1] %2").arg(hex, QLatin1String(text));
}

} // namespace detail
