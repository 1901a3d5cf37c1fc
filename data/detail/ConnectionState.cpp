#include "data/detail/ConnectionState.h"

#include "data/DatabaseError.h"
#include "data/detail/Messages.h"

#include <algorithm>

namespace detail {

void ConnectionState::requireConnected() const {
    if (!connected())
        throw EDatabaseError(msg::closedConnection());
}

Transaction ConnectionState::startTransaction() {
    requireConnected();
    Status status(*lib);
    Firebird::ITransaction* tra =
        attachment->startTransaction(status.get(), unsigned(tpb.size()), tpb.data());
    check(status, "Attachment::StartTransaction");
    return Transaction(*lib, tra);
}

void ConnectionState::startExplicit() {
    requireConnected();
    if (transaction)
        raiseConnectionError(lastError, statusCode(ClientStatus::TransactionActive), QString(),
                             "Connection::StartTransaction");
    transaction = retained ? std::move(retained) : startTransaction();
}

void ConnectionState::commitExplicit() {
    requireConnected();
    if (!transaction)
        raiseConnectionError(lastError, statusCode(ClientStatus::InvalidTransaction), QString(),
                             "Connection::Commit");
    Transaction tra = std::move(transaction);
    if (!commitRetain) {
        tra.commit(lastError);
        return;
    }
    // The work is committed and the context kept for the next transaction.
    tra.commitRetaining(lastError);
    retained = std::move(tra);
}

void ConnectionState::rollbackExplicit() {
    requireConnected();
    if (!transaction)
        raiseConnectionError(lastError, statusCode(ClientStatus::InvalidTransaction), QString(),
                             "Connection::Rollback");
    Transaction tra = std::move(transaction);
    tra.rollback(lastError);
}

void ConnectionState::forget(OpenHandle* handle) {
    handles.erase(std::remove(handles.begin(), handles.end(), handle), handles.end());
}

} // namespace detail
