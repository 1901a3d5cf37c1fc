#include "data/detail/ConnectionState.h"

#include "data/DatabaseError.h"
#include "data/detail/Messages.h"

#include <algorithm>

namespace detail {

void ConnectionState::requireConnected() const {
    if (!connected())
        throw EDatabaseError(msg::closedConnection());
}

Firebird::ITransaction* ConnectionState::startTransaction() {
    requireConnected();
    StatusHolder status(*this);
    Firebird::ITransaction* tra =
        attachment->startTransaction(status.get(), unsigned(tpb.size()), tpb.data());
    check(status.wrapper);
    return tra;
}

void ConnectionState::commit(Firebird::ITransaction* tra) {
    StatusHolder status(*this);
    tra->commit(status.get());
    if (status->getState() & Firebird::IStatus::STATE_ERRORS) {
        rollbackQuietly(tra);
        check(status.wrapper);
    }
}

void ConnectionState::rollbackQuietly(Firebird::ITransaction* tra) {
    if (!tra)
        return;
    StatusHolder status(*this);
    tra->rollback(status.get());
    if (status->getState() & Firebird::IStatus::STATE_ERRORS)
        tra->release();
}

void ConnectionState::forget(OpenHandle* handle) {
    handles.erase(std::remove(handles.begin(), handles.end(), handle), handles.end());
}

} // namespace detail
