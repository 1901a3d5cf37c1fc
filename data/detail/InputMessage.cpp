#include "data/detail/InputMessage.h"

#include "data/detail/FirebirdTypes.h"
#include "data/detail/Messages.h"

#include <QByteArray>

#include <cstring>
#include <limits>

namespace detail {

namespace {

[[noreturn]] void invalidParameter(ConnectionState& st) {
    raiseConnectionError(st.lastError, statusCode(ClientStatus::InvalidParameter), QString(),
                         "Statement::BindParameters");
}

// The message type a parameter travels as, from its declared type (or, when that is
// unknown, from the kind of its value).
FieldType effectiveType(const SqlParam& p) {
    if (p.type != FieldType::Unknown)
        return p.type;
    const Value& v = p.value;
    if (v.holds<qint64>()) return FieldType::LargeInt;
    if (v.holds<Currency>()) return FieldType::Decimal;
    if (v.holds<double>()) return FieldType::Float;
    if (v.holds<QDate>()) return FieldType::Date;
    if (v.holds<QTime>()) return FieldType::Time;
    if (v.holds<QDateTime>()) return FieldType::DateTime;
    if (v.holds<QString>()) return FieldType::String;
    if (v.holds<bool>()) return FieldType::Boolean;
    return FieldType::Unknown;
}

template <typename T> void writeAt(unsigned char* p, T v) { std::memcpy(p, &v, sizeof v); }

qint64 asInteger(ConnectionState& st, const Value& v) {
    if (v.holds<qint64>()) return v.get<qint64>();
    if (v.holds<bool>()) return v.get<bool>() ? 1 : 0;
    invalidParameter(st);
}

Currency asCurrency(ConnectionState& st, const Value& v) {
    if (v.holds<Currency>()) return v.get<Currency>();
    if (v.holds<qint64>()) {
        const qint64 i = v.get<qint64>();
        if (i > std::numeric_limits<qint64>::max() / Currency::Scale ||
            i < std::numeric_limits<qint64>::min() / Currency::Scale)
            invalidParameter(st);
        return Currency::fromInteger(i);
    }
    invalidParameter(st);
}

} // namespace

void InputMessage::reset() {
    current_ = nullptr;
    built_.clear();
    serverMeta_.reset();
}

Firebird::IMessageMetadata* InputMessage::metadataFor(ConnectionState& st,
                                                      Firebird::IMessageMetadata* server,
                                                      const std::vector<Slot>& types) {
    if (auto it = built_.find(types); it != built_.end())
        return it->second.get();
    Status status(*st.lib);
    MetadataBuilder builder(*st.lib, server->getBuilder(status.get()));
    st.check(status, "Statement::BindParameters");
    for (unsigned i = 0; i < types.size(); ++i) {
        builder->setType(status.get(), i, types[i].sqlType | 1); // nullable
        builder->setSubType(status.get(), i, 0);
        builder->setLength(status.get(), i, types[i].length);
        builder->setScale(status.get(), i, types[i].scale);
        if (types[i].sqlType == SQL_VARYING && server->getType(status.get(), i) != SQL_VARYING &&
            server->getType(status.get(), i) != SQL_TEXT)
            builder->setCharSet(status.get(), i, 0); // NONE: the bytes as they are
    }
    Metadata meta(*st.lib, builder->getMetadata(status.get()));
    st.check(status, "Statement::BindParameters");
    return built_.emplace(types, std::move(meta)).first->second.get();
}

void InputMessage::bind(ConnectionState& st, Firebird::IStatement* statement,
                        const std::vector<SqlParam>& params) {
    Status status(*st.lib);
    if (!serverMeta_) {
        serverMeta_ = Metadata(*st.lib, statement->getInputMetadata(status.get()));
        st.check(status, "Statement::BindParameters");
    }
    const unsigned count = serverMeta_->getCount(status.get());
    if (count != params.size())
        invalidParameter(st);
    if (count == 0) {
        current_ = nullptr;
        buffer_.clear();
        return;
    }

    std::vector<Slot> types(count);
    std::vector<QByteArray> texts(count);
    for (unsigned i = 0; i < count; ++i) {
        const unsigned serverType = serverMeta_->getType(status.get(), i) & ~1u;
        const unsigned serverLength = serverMeta_->getLength(status.get(), i);
        const Value& v = params[i].value;
        if (v.isNull() || v.isUnset()) {
            // A null travels in the type the server expects.
            types[i] = {serverType, serverMeta_->getScale(status.get(), i), serverLength};
            continue;
        }
        switch (effectiveType(params[i])) {
        case FieldType::SmallInt:
        case FieldType::Integer: types[i] = {SQL_LONG, 0, 4}; break;
        case FieldType::LargeInt: types[i] = {SQL_INT64, 0, 8}; break;
        case FieldType::Decimal: types[i] = {SQL_INT64, -4, 8}; break;
        case FieldType::Float: types[i] = {SQL_DOUBLE, 0, 8}; break;
        case FieldType::Date: types[i] = {SQL_TYPE_DATE, 0, 4}; break;
        case FieldType::Time: types[i] = {SQL_TYPE_TIME, 0, 4}; break;
        case FieldType::DateTime: types[i] = {SQL_TIMESTAMP, 0, 8}; break;
        case FieldType::Boolean: types[i] = {SQL_BOOLEAN, 0, 1}; break;
        case FieldType::String: {
            if (!v.holds<QString>())
                invalidParameter(st);
            texts[i] = v.get<QString>().toLatin1();
            const bool serverText = serverType == SQL_VARYING || serverType == SQL_TEXT;
            const unsigned length =
                qMax<unsigned>(unsigned(texts[i].size()), serverText ? serverLength : 0);
            if (length > 32765)
                invalidParameter(st);
            types[i] = {SQL_VARYING, 0, qMax(1u, length)};
            break;
        }
        case FieldType::Unknown:
        case FieldType::Blob:
            raiseConnectionError(st.lastError, statusCode(ClientStatus::NotSupported), QString(),
                                 "Statement::BindParameters");
        }
    }

    current_ = metadataFor(st, serverMeta_.get(), types);
    buffer_.assign(current_->getMessageLength(status.get()), 0);
    for (unsigned i = 0; i < count; ++i) {
        unsigned char* data = buffer_.data() + current_->getOffset(status.get(), i);
        unsigned char* nullFlag = buffer_.data() + current_->getNullOffset(status.get(), i);
        const Value& v = params[i].value;
        const bool isNull = v.isNull() || v.isUnset();
        writeAt<short>(nullFlag, isNull ? -1 : 0);
        if (isNull)
            continue;
        switch (types[i].sqlType) {
        case SQL_LONG: {
            const qint64 n = asInteger(st, v);
            if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
                invalidParameter(st);
            writeAt<qint32>(data, qint32(n));
            break;
        }
        case SQL_INT64:
            writeAt<qint64>(data, types[i].scale == 0 ? asInteger(st, v) : asCurrency(st, v).units);
            break;
        case SQL_DOUBLE:
            if (!v.holds<double>()) invalidParameter(st);
            writeAt<double>(data, v.get<double>());
            break;
        case SQL_TYPE_DATE: {
            const QDate d = v.holds<QDate>() ? v.get<QDate>()
                            : v.holds<QDateTime>() ? v.get<QDateTime>().date() : QDate();
            if (!d.isValid()) invalidParameter(st);
            writeAt<ISC_DATE>(data, iscFromDate(d));
            break;
        }
        case SQL_TYPE_TIME:
            if (!v.holds<QTime>() || !v.get<QTime>().isValid()) invalidParameter(st);
            writeAt<ISC_TIME>(data, iscFromTime(v.get<QTime>()));
            break;
        case SQL_TIMESTAMP: {
            const QDateTime t = v.holds<QDateTime>() ? v.get<QDateTime>()
                                : v.holds<QDate>() ? QDateTime(v.get<QDate>(), QTime(0, 0)) : QDateTime();
            if (!t.isValid()) invalidParameter(st);
            writeAt<ISC_TIMESTAMP>(data, ISC_TIMESTAMP{iscFromDate(t.date()), iscFromTime(t.time())});
            break;
        }
        case SQL_BOOLEAN:
            writeAt<unsigned char>(data, asInteger(st, v) != 0 ? 1 : 0);
            break;
        case SQL_VARYING:
            writeAt<quint16>(data, quint16(texts[i].size()));
            std::memcpy(data + 2, texts[i].constData(), size_t(texts[i].size()));
            break;
        }
    }
}

} // namespace detail
