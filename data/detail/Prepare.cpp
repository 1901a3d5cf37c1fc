#include "data/detail/Prepare.h"

namespace detail {

Firebird::IStatement* prepare(ConnectionState& st, Firebird::ITransaction* tra, const QString& sql) {
    const QByteArray text = sql.toLatin1();
    StatusHolder status(st);
    Firebird::IStatement* statement =
        st.attachment->prepare(status.get(), tra, unsigned(text.size()), text.constData(), st.dialect,
                               Firebird::IStatement::PREPARE_PREFETCH_METADATA);
    if (status->getState() & Firebird::IStatus::STATE_ERRORS) {
        if (statement)
            statement->release();
        st.check(status.wrapper);
    }
    return statement;
}

void freeQuietly(ConnectionState& st, Firebird::IStatement* statement) {
    if (!statement)
        return;
    StatusHolder status(st);
    statement->free(status.get());
    if (status->getState() & Firebird::IStatus::STATE_ERRORS)
        statement->release();
}

} // namespace detail
