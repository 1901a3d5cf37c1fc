#include "data/DatabaseError.h"
#include "data/TSQLConnection.h"
#include "data/detail/ConnectionState.h"
#include "data/detail/InputMessage.h"
#include "data/detail/Messages.h"
#include "data/detail/Prepare.h"

using detail::ConnectionState;
using detail::StatusHolder;

struct SqlStatement::Impl final : detail::OpenHandle {
    ConnectionState* st = nullptr; // null once the connection let go of the statement
    Firebird::IStatement* statement = nullptr;
    detail::InputMessage input;
    QString text;

    void releaseForDisconnect() override {
        input.release();
        detail::freeQuietly(*st, std::exchange(statement, nullptr));
        st = nullptr;
    }
    ~Impl() {
        if (!st)
            return;
        st->forget(this);
        input.release();
        detail::freeQuietly(*st, statement);
    }
};

std::unique_ptr<SqlStatement> TSQLConnection::Prepare(const QString& sql) {
    ConnectionState& st = *state_;
    st.requireConnected();
    if (OnPrepare)
        OnPrepare(sql);
    auto impl = std::make_unique<SqlStatement::Impl>();
    impl->text = sql;
    Firebird::ITransaction* own = st.transaction ? nullptr : st.startTransaction();
    try {
        impl->statement = detail::prepare(st, st.transaction ? st.transaction : own, sql);
    } catch (...) {
        st.rollbackQuietly(own);
        throw;
    }
    if (own)
        st.commit(own);
    impl->st = &st;
    st.handles.push_back(impl.get());
    return std::unique_ptr<SqlStatement>(new SqlStatement(std::move(impl)));
}

SqlStatement::SqlStatement(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
SqlStatement::~SqlStatement() = default;

const QString& SqlStatement::text() const { return impl_->text; }

int SqlStatement::execute(const std::vector<SqlParam>& params) {
    if (!impl_->st || !impl_->st->connected())
        throw EDatabaseError(detail::msg::closedConnection());
    ConnectionState& st = *impl_->st;
    impl_->input.bind(st, impl_->statement, params);

    Firebird::ITransaction* own = st.transaction ? nullptr : st.startTransaction();
    Firebird::ITransaction* tra = st.transaction ? st.transaction : own;
    StatusHolder status(st);
    impl_->statement->execute(status.get(), tra, impl_->input.metadata(), impl_->input.buffer(),
                              nullptr, nullptr);
    ISC_UINT64 affected = 0;
    if (!(status->getState() & Firebird::IStatus::STATE_ERRORS))
        affected = impl_->statement->getAffectedRecords(status.get());
    if (status->getState() & Firebird::IStatus::STATE_ERRORS) {
        // A statement that fails outside a transaction leaves nothing behind.
        st.rollbackQuietly(own);
        st.check(status.wrapper);
    }
    if (own)
        st.commit(own);
    return int(affected);
}
