#pragma once
// Text forms of numbers: what the decimal and integer fields show and read back.

#include "data/Value.h"

#include <QChar>
#include <QString>

#include <optional>

namespace detail {

// "19,0000" with ',' as separator: all four decimals, a leading minus when negative.
QString currencyText(Currency c, QChar separator);
// Reads an optional leading minus, digits, and at most one separator followed by
// digits; decimals past the fourth must be zeros. Nothing when the text is no such number.
std::optional<Currency> parseCurrency(const QString& text, QChar separator);
// An optional leading minus and digits, within 64 bits.
std::optional<qint64> parseInteger(const QString& text);

} // namespace detail
