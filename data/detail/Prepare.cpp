#include "data/detail/Prepare.h"

namespace detail {

Statement prepare(ConnectionState& st, Firebird::ITransaction* tra, const QString& sql) {
    const QByteArray text = sql.toLatin1();
    Status status(*st.lib);
    Statement statement(*st.lib, st.attachment->prepare(status.get(), tra, unsigned(text.size()),
                                                        text.constData(), st.dialect,
                                                        Firebird::IStatement::PREPARE_PREFETCH_METADATA));
    st.check(status, "Statement::Prepare");
    return statement;
}

} // namespace detail
