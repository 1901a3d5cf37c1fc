#include "data/detail/ScopedTransaction.h"

namespace detail {

ScopedTransaction::ScopedTransaction(ConnectionState& st, Reach reach) : st_(st), reach_(reach) {
    st.requireConnected();
    if (st.transaction)
        return;
    owned_ = true;
    if (reach == Reach::Private) {
        own_ = st.startTransaction();
    } else {
        st.startExplicit();
        started_ = st.transaction.get();
    }
}

ScopedTransaction::~ScopedTransaction() {
    if (reach_ == Reach::Connection && open())
        st_.transaction.reset(); // rolled back quietly: a destructor cannot report
}

Firebird::ITransaction* ScopedTransaction::get() const {
    return reach_ == Reach::Private && owned_ ? own_.get() : st_.transaction.get();
}

bool ScopedTransaction::open() const {
    if (!owned_)
        return false;
    if (reach_ == Reach::Private)
        return bool(own_);
    return started_ && st_.transaction.get() == started_;
}

void ScopedTransaction::commit() {
    if (!open())
        return;
    if (reach_ == Reach::Private)
        own_.commit(st_.lastError);
    else
        st_.commitExplicit();
}

void ScopedTransaction::rollback() {
    if (reach_ == Reach::Private && owned_) {
        if (own_)
            own_.rollback(st_.lastError);
    } else if (st_.transaction) {
        st_.rollbackExplicit();
    }
}

} // namespace detail
