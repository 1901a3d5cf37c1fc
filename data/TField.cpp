#include "data/TField.h"

#include "data/DataSetMessages.h"
#include "data/DatabaseError.h"
#include "data/FormatSettings.h"
#include "data/TClientDataSet.h"
#include "data/detail/FieldText.h"

#include <cmath>
#include <limits>

namespace {

// The largest magnitude a decimal of that precision and four decimals holds.
qint64 decimalLimit(int precision) {
    qint64 limit = 1;
    for (int i = 0; i < qBound(1, precision, 18); ++i)
        limit *= 10;
    return limit - 1;
}

// A typed or pasted decimal reads with the workstation's separator, a point or a
// comma: the texts shown never group thousands, so either one can only be the
// decimal separator.
QString typedDecimalSeparators() {
    return QString(FormatSettings::current().decimalSeparator) + QStringLiteral(".,");
}

} // namespace

TField::TField(TClientDataSet& dataSet, QString fieldName, FieldType type, int size, bool required)
    : FieldName(std::move(fieldName)), Required(required), dataSet_(dataSet), type_(type), size_(size),
      precision_(type == FieldType::Decimal ? 15 : 0) {}

int TField::index() const {
    for (int i = 0; i < dataSet_.FieldCount(); ++i)
        if (dataSet_.Fields(i) == this)
            return i;
    return -1;
}

Value TField::value() const {
    Value v = dataSet_.fieldValue(*this);
    return v.isUnset() ? Value::null() : v;
}

void TField::setValue(const Value& v) { dataSet_.setFieldValue(*this, convert(v)); }

qint32 TField::AsInteger() const {
    const Value v = value();
    if (v.holds<qint64>()) return qint32(v.get<qint64>());
    if (v.holds<Currency>()) return qint32(v.get<Currency>().units / Currency::Scale);
    if (v.holds<QString>()) return qint32(detail::parseInteger(v.get<QString>()).value_or(0));
    return 0;
}
void TField::setAsInteger(qint32 v) { setValue(Value(qint64(v))); }

Currency TField::AsCurrency() const {
    const Value v = value();
    if (v.holds<Currency>()) return v.get<Currency>();
    if (v.holds<qint64>()) return Currency::fromInteger(v.get<qint64>());
    return Currency{};
}
void TField::setAsCurrency(Currency v) { setValue(Value(v)); }

QDateTime TField::AsDateTime() const {
    const Value v = value();
    if (v.holds<QDate>()) return QDateTime(v.get<QDate>(), QTime(0, 0));
    if (v.holds<QDateTime>()) return v.get<QDateTime>();
    return {};
}
void TField::setAsDateTime(const QDateTime& v) { setValue(Value(v)); }

QString TField::AsString() const {
    const Value v = value();
    return v.isNull() ? QString() : plainText(v);
}
void TField::setAsString(const QString& v) { setValue(Value(v)); }

QString TField::plainText(const Value& v) const {
    if (v.isNull() || v.isUnset()) return {};
    if (v.holds<QString>()) return v.get<QString>();
    if (v.holds<qint64>()) return QString::number(v.get<qint64>());
    if (v.holds<Currency>()) return detail::currencyText(v.get<Currency>(), QLatin1Char('.'));
    if (v.holds<QDate>()) return DateText(v.get<QDate>());
    if (v.holds<QDateTime>())
        return DateText(v.get<QDateTime>().date()) + QLatin1Char(' ') +
               v.get<QDateTime>().time().toString(FormatSettings::current().longTimeFormat);
    if (v.holds<QTime>()) return v.get<QTime>().toString(FormatSettings::current().longTimeFormat);
    if (v.holds<double>()) return QString::number(v.get<double>(), 'g', 15);
    if (v.holds<bool>()) return v.get<bool>() ? QStringLiteral("True") : QStringLiteral("False");
    return v.debugText();
}

QString TField::displayTextOf(const Value& v) const {
    if (v.holds<Currency>())
        return detail::currencyText(v.get<Currency>(), FormatSettings::current().decimalSeparator);
    return plainText(v);
}

QString TField::EditText() const { return DisplayText(); }

void TField::setEditText(const QString& text) {
    if (text.trimmed().isEmpty()) {
        setValue(Value::null());
        return;
    }
    switch (type_) {
    case FieldType::Decimal: {
        const auto c = detail::parseCurrency(text, typedDecimalSeparators());
        if (!c)
            throw EDatabaseError(dsmsg::invalidNumber().arg(text));
        setValue(Value(*c));
        return;
    }
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::LargeInt: {
        const auto i = detail::parseInteger(text);
        if (!i)
            throw EDatabaseError(dsmsg::invalidInteger().arg(text));
        setValue(Value(*i));
        return;
    }
    case FieldType::Date: {
        const QDate d = parseDateText(text);
        if (!d.isValid())
            throw EDatabaseError(dsmsg::invalidDate().arg(text));
        setValue(Value(d));
        return;
    }
    default:
        setValue(Value(text));
    }
}

bool TField::IsValidChar(QChar c) const {
    switch (type_) {
    case FieldType::Decimal:
        return c.isDigit() || c == QLatin1Char('-') || c == FormatSettings::current().decimalSeparator;
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::LargeInt:
        return c.isDigit() || c == QLatin1Char('-');
    case FieldType::Date: {
        // Digits and the separators the date format writes.
        const QString& format = FormatSettings::current().shortDateFormat;
        return c.isDigit() || (!c.isLetter() && format.contains(c));
    }
    default:
        return c.isPrint();
    }
}

Qt::Alignment TField::Alignment() const {
    switch (type_) {
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::LargeInt:
    case FieldType::Decimal:
    case FieldType::Float: return Qt::AlignRight;
    default: return Qt::AlignLeft;
    }
}

Value TField::convert(const Value& v) const {
    if (v.isNull() || v.isUnset())
        return Value::null();
    const auto invalid = [&] { return EDatabaseError(dsmsg::invalidValue().arg(displayName())); };
    switch (type_) {
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::LargeInt: {
        qint64 i = 0;
        if (v.holds<qint64>()) i = v.get<qint64>();
        else if (v.holds<Currency>() && v.get<Currency>().units % Currency::Scale == 0)
            i = v.get<Currency>().units / Currency::Scale;
        else if (v.holds<QString>() && detail::parseInteger(v.get<QString>())) i = *detail::parseInteger(v.get<QString>());
        else throw invalid();
        const qint64 low = type_ == FieldType::SmallInt ? std::numeric_limits<qint16>::min()
                           : type_ == FieldType::Integer ? std::numeric_limits<qint32>::min()
                                                         : std::numeric_limits<qint64>::min();
        const qint64 high = type_ == FieldType::SmallInt ? std::numeric_limits<qint16>::max()
                            : type_ == FieldType::Integer ? std::numeric_limits<qint32>::max()
                                                          : std::numeric_limits<qint64>::max();
        if (i < low || i > high)
            throw EDatabaseError(dsmsg::outOfRange().arg(QString::number(i), displayName(),
                                                         QString::number(low), QString::number(high)));
        return Value(i);
    }
    case FieldType::Decimal: {
        Currency c;
        if (v.holds<Currency>()) c = v.get<Currency>();
        else if (v.holds<qint64>() && std::abs(v.get<qint64>()) <= decimalLimit(18) / Currency::Scale)
            c = Currency::fromInteger(v.get<qint64>());
        else if (v.holds<double>() && std::isfinite(v.get<double>()) && std::abs(v.get<double>()) < 9e14)
            c = Currency::fromUnits(qint64(std::llround(v.get<double>() * double(Currency::Scale))));
        else if (v.holds<QString>() && detail::parseCurrency(v.get<QString>(), u"."))
            c = *detail::parseCurrency(v.get<QString>(), u".");
        else throw invalid();
        const qint64 limit = decimalLimit(precision_);
        if (c.units > limit || c.units < -limit)
            throw EDatabaseError(dsmsg::outOfRange().arg(c.toPlainText(), displayName(),
                                                         Currency::fromUnits(-limit).toPlainText(),
                                                         Currency::fromUnits(limit).toPlainText()));
        return Value(c);
    }
    case FieldType::Date: {
        QDate d;
        if (v.holds<QDate>()) d = v.get<QDate>();
        else if (v.holds<QDateTime>()) d = v.get<QDateTime>().date();
        else if (v.holds<QString>()) d = parseDateText(v.get<QString>());
        if (!d.isValid()) throw invalid();
        return Value(d);
    }
    case FieldType::String: {
        QString s = v.holds<QString>() ? v.get<QString>() : plainText(v);
        if (size_ > 0 && s.size() > size_)
            s.truncate(size_);
        return Value(s);
    }
    default:
        return v;
    }
}
