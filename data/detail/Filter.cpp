#include "data/detail/Filter.h"

#include "data/DataSetMessages.h"
#include "data/DatabaseError.h"
#include "data/FormatSettings.h"
#include "data/TClientDataSet.h"
#include "data/detail/FieldText.h"

#include <QRegularExpression>

namespace detail {

bool splitFilter(const QString& text, QString& field, QString& op, QString& constant) {
    static const QRegularExpression shape(QStringLiteral(
        "^\\s*([A-Za-z_][A-Za-z0-9_$]*)\\s*(<>|<=|>=|=|<|>)\\s*('(?:[^']|'')*'|[^'\\s]+)\\s*$"));
    const QRegularExpressionMatch m = shape.match(text);
    if (!m.hasMatch())
        return false;
    field = m.captured(1);
    op = m.captured(2);
    constant = m.captured(3);
    if (constant.startsWith(QLatin1Char('\'')))
        constant = constant.mid(1, constant.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
    return true;
}

CompiledFilter CompiledFilter::compile(const QString& text, const TClientDataSet& dataSet, int column) {
    QString fieldName, op, constant;
    if (!splitFilter(text, fieldName, op, constant))
        throw EDatabaseError(dsmsg::badFilter().arg(text));
    const TField& field = dataSet.FieldByName(fieldName);

    CompiledFilter f;
    f.column_ = column;
    f.op_ = op == QStringLiteral("=")    ? Op::Eq
            : op == QStringLiteral("<>") ? Op::Ne
            : op == QStringLiteral("<")  ? Op::Lt
            : op == QStringLiteral(">")  ? Op::Gt
            : op == QStringLiteral("<=") ? Op::Le
                                         : Op::Ge;
    switch (field.DataType()) {
    case FieldType::Date: {
        const QDate d = parseDateText(constant);
        if (!d.isValid())
            throw EDatabaseError(dsmsg::invalidDate().arg(constant));
        f.constant_ = Value(d);
        break;
    }
    case FieldType::Decimal: {
        const auto c = parseCurrency(constant, u".");
        if (!c)
            throw EDatabaseError(dsmsg::invalidNumber().arg(constant));
        f.constant_ = Value(*c);
        break;
    }
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::LargeInt: {
        const auto i = parseInteger(constant);
        if (!i)
            throw EDatabaseError(dsmsg::invalidInteger().arg(constant));
        f.constant_ = Value(*i);
        break;
    }
    default:
        f.constant_ = Value(constant);
    }
    return f;
}

namespace {

// -1, 0 or 1; nothing when the two cannot be compared.
std::optional<int> compare(const Value& a, const Value& b) {
    auto order = [](const auto& x, const auto& y) { return x < y ? -1 : y < x ? 1 : 0; };
    if (a.holds<QDate>() && b.holds<QDate>()) return order(a.get<QDate>(), b.get<QDate>());
    if (a.holds<QDateTime>() && b.holds<QDate>()) return order(a.get<QDateTime>().date(), b.get<QDate>());
    if (a.holds<Currency>() && b.holds<Currency>()) return order(a.get<Currency>(), b.get<Currency>());
    if (a.holds<qint64>() && b.holds<qint64>()) return order(a.get<qint64>(), b.get<qint64>());
    if (a.holds<QString>() && b.holds<QString>()) return order(a.get<QString>(), b.get<QString>());
    return std::nullopt;
}

} // namespace

bool CompiledFilter::accepts(const Value& v) const {
    if (v.isNull() || v.isUnset())
        return false;
    const auto c = compare(v, constant_);
    if (!c)
        return false;
    switch (op_) {
    case Op::Eq: return *c == 0;
    case Op::Ne: return *c != 0;
    case Op::Lt: return *c < 0;
    case Op::Gt: return *c > 0;
    case Op::Le: return *c <= 0;
    case Op::Ge: return *c >= 0;
    }
    return false;
}

} // namespace detail
