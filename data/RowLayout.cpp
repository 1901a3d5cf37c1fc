#include "data/RowLayout.h"

#include "data/detail/FirebirdTypes.h"

#include <QDateTime>

#include <cstring>

namespace {

template <typename T> T readAt(const std::byte* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

qint64 pow10(int n) {
    qint64 r = 1;
    while (n-- > 0)
        r *= 10;
    return r;
}

// A scaled integer of any Firebird scale as ten-thousandths; more than 4 decimals
// are rounded half away from zero.
Currency toCurrency(qint64 raw, int sqlScale) {
    const int shift = 4 + sqlScale; // digits to add (>0) or drop (<0)
    if (shift >= 0)
        return Currency::fromUnits(raw * pow10(shift));
    const qint64 divisor = pow10(-shift);
    const qint64 q = raw / divisor;
    const qint64 r = raw % divisor;
    const qint64 half = divisor / 2;
    return Currency::fromUnits(q + (r >= half ? 1 : r <= -half ? -1 : 0));
}

} // namespace

int RowLayout::indexOf(const QString& name) const {
    for (int i = 0; i < columnCount(); ++i)
        if (columns_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool RowLayout::isNull(const std::byte* row, int column) const {
    return readAt<short>(row + columns_[column].nullOffset) != 0;
}

Value RowLayout::value(const std::byte* row, int column) const {
    const ColumnDesc& c = columns_[column];
    if (isNull(row, column))
        return Value::null();
    const std::byte* p = row + c.offset;
    switch (c.sqlType) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: {
        const qint64 raw = c.sqlType == SQL_SHORT  ? readAt<qint16>(p)
                           : c.sqlType == SQL_LONG ? readAt<qint32>(p)
                                                   : readAt<qint64>(p);
        return c.sqlScale < 0 ? Value(toCurrency(raw, c.sqlScale)) : Value(raw);
    }
    case SQL_FLOAT: return Value(double(readAt<float>(p)));
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return Value(readAt<double>(p));
    case SQL_TYPE_DATE: return Value(detail::dateFromIsc(readAt<ISC_DATE>(p)));
    case SQL_TYPE_TIME: return Value(detail::timeFromIsc(readAt<ISC_TIME>(p)));
    case SQL_TIMESTAMP: {
        const auto ts = readAt<ISC_TIMESTAMP>(p);
        return Value(QDateTime(detail::dateFromIsc(ts.timestamp_date),
                               detail::timeFromIsc(ts.timestamp_time)));
    }
    case SQL_TEXT:
        return Value(QString::fromLatin1(reinterpret_cast<const char*>(p), qsizetype(c.length)));
    case SQL_VARYING: {
        const auto len = readAt<quint16>(p);
        return Value(QString::fromLatin1(reinterpret_cast<const char*>(p + 2), len));
    }
    case SQL_BOOLEAN: return Value(readAt<unsigned char>(p) != 0);
    default:
        // Blobs and arrays: the row holds only the 8-byte id, which is what a value gives.
        return Value(QByteArray(reinterpret_cast<const char*>(p), qsizetype(c.length)));
    }
}
