#pragma once
// Text forms of numbers: what the decimal and integer fields show and read back.

#include "data/Value.h"

#include <QChar>
#include <QString>
#include <QStringView>

#include <optional>

namespace detail {

// The exact value in its shortest form, with `separator` as the decimal separator
// and no grouping of thousands: 19, 0,8, 0,75, 12,3456, -0,5 with ','. Trailing
// zeros of the decimals are dropped, and the separator with them when none is left:
// a narrow cell then shows the digits that matter, and the text is still the
// stored value to the last ten-thousandth.
QString currencyText(Currency c, QChar separator);
// Reads an optional leading minus, digits, and at most one decimal separator (any
// one character of `separators`) followed by digits; decimals past the fourth must
// be zeros. Nothing when the text is no such number.
std::optional<Currency> parseCurrency(const QString& text, QStringView separators);
// An optional leading minus and digits, within 64 bits.
std::optional<qint64> parseInteger(const QString& text);

} // namespace detail
