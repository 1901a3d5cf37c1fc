#include "data/DatabaseError.h"
#include "data/TSQLConnection.h"
#include "data/detail/ConnectionState.h"
#include "data/detail/InputMessage.h"
#include "data/detail/Messages.h"
#include "data/detail/Prepare.h"
#include "data/detail/ScopedTransaction.h"

using detail::ConnectionState;
using detail::ScopedTransaction;

struct SqlStatement::Impl final : detail::OpenHandle {
    ConnectionState* st = nullptr; // null once the connection let go of the statement
    detail::Statement statement;
    detail::InputMessage input;
    QString text;

    void releaseForDisconnect() override {
        input.reset();
        statement.reset();
        st = nullptr;
    }
    ~Impl() {
        if (st)
            st->forget(this);
    }
};

std::unique_ptr<SqlStatement> TSQLConnection::Prepare(const QString& sql) {
    ConnectionState& st = *state_;
    st.requireConnected();
    if (OnPrepare)
        OnPrepare(sql);
    auto impl = std::make_unique<SqlStatement::Impl>();
    impl->text = sql;
    {
        ScopedTransaction tx(st, ScopedTransaction::Reach::Private);
        impl->statement = detail::prepare(st, tx.get(), sql);
        tx.commit();
    }
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
    impl_->input.bind(st, impl_->statement.get(), params);

    // A statement that fails outside a transaction leaves nothing behind: its own
    // transaction is rolled back as the error leaves the scope.
    ScopedTransaction tx(st, ScopedTransaction::Reach::Private);
    detail::Status status(*st.lib);
    impl_->statement->execute(status.get(), tx.get(), impl_->input.metadata(), impl_->input.buffer(),
                              nullptr, nullptr);
    st.check(status, "Statement::Execute");
    const ISC_UINT64 affected = impl_->statement->getAffectedRecords(status.get());
    st.check(status, "Statement::Execute");
    tx.commit();
    return int(affected);
}
