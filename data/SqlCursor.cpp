#include "data/DatabaseError.h"
#include "data/TSQLConnection.h"
#include "data/detail/ConnectionState.h"
#include "data/detail/InputMessage.h"
#include "data/detail/Messages.h"
#include "data/detail/Prepare.h"
#include "data/detail/ScopedTransaction.h"

#include <optional>

using detail::ConnectionState;
using detail::ScopedTransaction;

namespace {

FieldType fieldTypeOf(unsigned sqlType, int scale) {
    switch (sqlType) {
    case SQL_SHORT: return scale < 0 ? FieldType::Decimal : FieldType::SmallInt;
    case SQL_LONG: return scale < 0 ? FieldType::Decimal : FieldType::Integer;
    case SQL_INT64: return scale < 0 ? FieldType::Decimal : FieldType::LargeInt;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return FieldType::Float;
    case SQL_TYPE_DATE: return FieldType::Date;
    case SQL_TYPE_TIME: return FieldType::Time;
    case SQL_TIMESTAMP: return FieldType::DateTime;
    case SQL_TEXT:
    case SQL_VARYING: return FieldType::String;
    case SQL_BOOLEAN: return FieldType::Boolean;
    case SQL_BLOB: return FieldType::Blob;
    default: return FieldType::Unknown;
    }
}

// Digits a scaled integer of that storage can hold.
int precisionOf(unsigned sqlType) {
    return sqlType == SQL_SHORT ? 4 : sqlType == SQL_LONG ? 9 : 18;
}

RowLayout layoutOf(ConnectionState& st, Firebird::IMessageMetadata* meta) {
    detail::Status status(*st.lib);
    const unsigned count = meta->getCount(status.get());
    std::vector<ColumnDesc> columns(count);
    for (unsigned i = 0; i < count; ++i) {
        ColumnDesc& c = columns[i];
        c.name = QString::fromLatin1(meta->getAlias(status.get(), i));
        c.relation = QString::fromLatin1(meta->getRelation(status.get(), i));
        c.sqlType = meta->getType(status.get(), i) & ~1u;
        c.sqlSubType = meta->getSubType(status.get(), i);
        c.sqlScale = meta->getScale(status.get(), i);
        c.length = meta->getLength(status.get(), i);
        c.offset = meta->getOffset(status.get(), i);
        c.nullOffset = meta->getNullOffset(status.get(), i);
        c.type = fieldTypeOf(c.sqlType, c.sqlScale);
        c.required = !meta->isNullable(status.get(), i);
        c.readOnly = c.relation.isEmpty();
        if (c.type == FieldType::String)
            c.size = int(c.length);
        else if (c.type == FieldType::Decimal) {
            c.size = -c.sqlScale;
            c.precision = precisionOf(c.sqlType);
        }
    }
    const unsigned rowSize = meta->getMessageLength(status.get());
    st.check(status, "Statement::DescribeColumns");
    return RowLayout(std::move(columns), rowSize);
}

} // namespace

struct SqlCursor::Impl final : detail::OpenHandle {
    ConnectionState* st = nullptr; // null once closed
    // Declared first so it ends last, after the result set and statement it ran.
    std::optional<ScopedTransaction> transaction;
    detail::Statement statement;
    detail::Metadata outMeta;
    detail::ResultSet results;
    detail::InputMessage input;
    RowLayout layout;
    std::vector<std::byte> row;

    // Lets go of every server resource. An own transaction is committed when asked
    // (the cursor was closed or read to its end) and rolled back otherwise.
    void finish(bool commit) {
        if (!st)
            return;
        std::exchange(st, nullptr)->forget(this);
        results.reset();
        outMeta.reset();
        input.reset();
        statement.reset();
        if (commit && transaction)
            transaction->commit(); // a commit that fails has rolled back already
        transaction.reset();
    }
    void releaseForDisconnect() override {
        try {
            finish(true);
        } catch (const EDatabaseError&) {
            // The connection is going away; the server keeps only what was committed.
        }
    }
    // A cursor dropped without being closed keeps nothing of its own transaction.
    ~Impl() { finish(false); }
};

std::unique_ptr<SqlCursor> TSQLConnection::OpenCursor(const QString& sql, const std::vector<SqlParam>& params) {
    ConnectionState& st = *state_;
    st.requireConnected();
    if (OnPrepare)
        OnPrepare(sql);
    auto impl = std::make_unique<SqlCursor::Impl>();
    impl->transaction.emplace(st, ScopedTransaction::Reach::Private);
    impl->st = &st;
    st.handles.push_back(impl.get());
    Firebird::ITransaction* tra = impl->transaction->get();
    impl->statement = detail::prepare(st, tra, sql);
    impl->input.bind(st, impl->statement.get(), params);
    detail::Status status(*st.lib);
    impl->outMeta = detail::Metadata(*st.lib, impl->statement->getOutputMetadata(status.get()));
    st.check(status, "Statement::DescribeColumns");
    impl->layout = layoutOf(st, impl->outMeta.get());
    impl->row.assign(impl->layout.rowSize(), std::byte{0});
    impl->results = detail::ResultSet(*st.lib, impl->statement->openCursor(status.get(), tra, impl->input.metadata(),
                                                                           impl->input.buffer(), impl->outMeta.get(), 0));
    st.check(status, "ResultSet::Open");
    return std::unique_ptr<SqlCursor>(new SqlCursor(std::move(impl)));
}

SqlCursor::SqlCursor(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
SqlCursor::~SqlCursor() = default;

const RowLayout& SqlCursor::layout() const { return impl_->layout; }
const std::byte* SqlCursor::row() const { return impl_->row.data(); }
bool SqlCursor::isOpen() const { return impl_->st != nullptr; }

bool SqlCursor::next() {
    Impl& c = *impl_;
    if (!c.st)
        return false;
    ConnectionState& st = *c.st;
    detail::Status status(*st.lib);
    const int result = c.results->fetchNext(status.get(), c.row.data());
    if (result == Firebird::IStatus::RESULT_OK)
        return true;
    if (status.failed()) {
        // A cursor that fails leaves nothing of its own transaction behind. The
        // failure is kept apart, since ending the cursor runs calls of its own.
        const detail::StatusCopy failure(*st.lib, status->clone());
        c.finish(false);
        detail::raiseStatus(st.lastError, *st.lib, failure.get(), "ResultSet::Fetch");
    }
    c.finish(true);
    return false;
}

void SqlCursor::close() { impl_->finish(true); }
