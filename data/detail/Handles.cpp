#include "data/detail/Handles.h"

#include "data/detail/FbStatus.h"

namespace detail {

namespace {

// Runs one ending call on a fresh status; true when the server took it.
template <class End>
bool endWith(const ClientLibrary& lib, End end) {
    Status status(lib);
    end(status.get());
    return !status.failed();
}

} // namespace

void endQuietly(const ClientLibrary& lib, Firebird::IAttachment* attachment) {
    if (!endWith(lib, [&](auto* s) { attachment->detach(s); }))
        attachment->release();
}

void endQuietly(const ClientLibrary& lib, Firebird::ITransaction* transaction) {
    if (!endWith(lib, [&](auto* s) { transaction->rollback(s); }))
        transaction->release();
}

void endQuietly(const ClientLibrary& lib, Firebird::IStatement* statement) {
    if (!endWith(lib, [&](auto* s) { statement->free(s); }))
        statement->release();
}

void endQuietly(const ClientLibrary& lib, Firebird::IResultSet* results) {
    if (!endWith(lib, [&](auto* s) { results->close(s); }))
        results->release();
}

void endQuietly(const ClientLibrary&, Firebird::IMessageMetadata* metadata) { metadata->release(); }
void endQuietly(const ClientLibrary&, Firebird::IMetadataBuilder* builder) { builder->release(); }
void endQuietly(const ClientLibrary&, Firebird::IXpbBuilder* builder) { builder->dispose(); }
void endQuietly(const ClientLibrary&, Firebird::IStatus* status) { status->dispose(); }

void Transaction::commit(QString& lastError) {
    Status status(lib());
    get()->commit(status.get());
    if (status.failed()) {
        reset();
        check(lastError, lib(), status.wrapper(), "Transaction::Commit");
    }
    forget(); // a committed transaction is gone on the client too
}

void Transaction::commitRetaining(QString& lastError) {
    Status status(lib());
    get()->commitRetaining(status.get());
    if (status.failed()) {
        reset();
        check(lastError, lib(), status.wrapper(), "Transaction::CommitRetaining");
    }
}

void Transaction::rollback(QString& lastError) {
    Status status(lib());
    get()->rollback(status.get());
    if (status.failed()) {
        get()->release();
        forget();
        check(lastError, lib(), status.wrapper(), "Transaction::Rollback");
    }
    forget();
}

Status::Status(const ClientLibrary& lib) : wrapper_(lib.master()->getStatus()) {}
Status::~Status() { wrapper_.dispose(); }

} // namespace detail
