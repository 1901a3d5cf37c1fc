#include "data/detail/FieldText.h"

#include <limits>

namespace detail {

QString currencyText(Currency c, QChar separator) {
    QString text = c.toPlainText(); // "-12.3400": always four decimals after a point
    qsizetype end = text.size();
    while (text.at(end - 1) == QLatin1Char('0'))
        --end;
    if (text.at(end - 1) == QLatin1Char('.'))
        --end;
    else
        text[text.size() - 5] = separator;
    text.truncate(end);
    return text;
}

std::optional<Currency> parseCurrency(const QString& text, QStringView separators) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    const bool negative = t.startsWith(QLatin1Char('-'));
    if (negative)
        ++i;
    quint64 whole = 0;
    int wholeDigits = 0;
    for (; i < t.size() && t[i].isDigit(); ++i, ++wholeDigits) {
        if (whole > (std::numeric_limits<quint64>::max() / 100000 - 9) / 10)
            return std::nullopt; // far beyond any field's range
        whole = whole * 10 + quint64(t[i].digitValue());
    }
    quint64 fraction = 0;
    int fractionDigits = 0;
    if (i < t.size() && separators.contains(t[i])) {
        for (++i; i < t.size() && t[i].isDigit(); ++i, ++fractionDigits) {
            if (fractionDigits < 4)
                fraction = fraction * 10 + quint64(t[i].digitValue());
            else if (t[i] != QLatin1Char('0'))
                return std::nullopt; // a fifth significant decimal cannot be kept
        }
    }
    if (i != t.size() || wholeDigits + fractionDigits == 0)
        return std::nullopt;
    for (int k = qMin(fractionDigits, 4); k < 4; ++k)
        fraction *= 10;
    const quint64 units = whole * quint64(Currency::Scale) + fraction;
    if (units > quint64(std::numeric_limits<qint64>::max()))
        return std::nullopt;
    return Currency::fromUnits(negative ? -qint64(units) : qint64(units));
}

std::optional<qint64> parseInteger(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QStringLiteral("-") || t.startsWith(QLatin1Char('+')))
        return std::nullopt;
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    return ok ? std::optional<qint64>(v) : std::nullopt;
}

} // namespace detail
