#include "data/Value.h"

QString Currency::toPlainText() const {
    const bool negative = units < 0;
    // Work on the unsigned magnitude so that the most negative count prints too.
    const quint64 magnitude = negative ? quint64(0) - quint64(units) : quint64(units);
    const quint64 whole = magnitude / quint64(Scale);
    const quint64 fraction = magnitude % quint64(Scale);
    return QStringLiteral("%1%2.%3")
        .arg(negative ? QStringLiteral("-") : QString())
        .arg(whole)
        .arg(fraction, 4, 10, QLatin1Char('0'));
}

QString fieldTypeName(FieldType type) {
    switch (type) {
    case FieldType::Unknown: return QStringLiteral("Unknown");
    case FieldType::SmallInt: return QStringLiteral("SmallInt");
    case FieldType::Integer: return QStringLiteral("Integer");
    case FieldType::LargeInt: return QStringLiteral("LargeInt");
    case FieldType::Decimal: return QStringLiteral("FMTBcd");
    case FieldType::Float: return QStringLiteral("Float");
    case FieldType::Date: return QStringLiteral("Date");
    case FieldType::Time: return QStringLiteral("Time");
    case FieldType::DateTime: return QStringLiteral("TimeStamp");
    case FieldType::String: return QStringLiteral("String");
    case FieldType::Boolean: return QStringLiteral("Boolean");
    case FieldType::Blob: return QStringLiteral("Blob");
    }
    return QStringLiteral("Unknown");
}

QString Value::debugText() const {
    struct Visitor {
        QString operator()(Unset) const { return QStringLiteral("unset"); }
        QString operator()(Null) const { return QStringLiteral("null"); }
        QString operator()(qint64 i) const { return QString::number(i); }
        QString operator()(Currency c) const { return c.toPlainText(); }
        QString operator()(double d) const { return QString::number(d, 'g', 17); }
        QString operator()(const QDate& d) const { return d.toString(Qt::ISODate); }
        QString operator()(const QTime& t) const { return t.toString(Qt::ISODateWithMs); }
        QString operator()(const QDateTime& t) const { return t.toString(Qt::ISODateWithMs); }
        QString operator()(const QString& s) const { return QLatin1Char('\'') + s + QLatin1Char('\''); }
        QString operator()(bool b) const { return b ? QStringLiteral("true") : QStringLiteral("false"); }
        QString operator()(const QByteArray& b) const {
            return QStringLiteral("bytes:") + QString::fromLatin1(b.toHex());
        }
    };
    return std::visit(Visitor{}, v_);
}
