#pragma once
// What an open connection holds. Private to the data layer.

#include "data/detail/ClientLibrary.h"
#include "data/detail/FbStatus.h"

#include <QString>

#include <vector>

class ConnectionClient;

namespace detail {

// A statement or cursor that holds server resources and must let them go before the
// connection detaches.
class OpenHandle {
public:
    virtual void releaseForDisconnect() = 0;

protected:
    ~OpenHandle() = default;
};

struct ConnectionState {
    ClientLibrary* lib = nullptr;
    Firebird::IAttachment* attachment = nullptr;
    Firebird::ITransaction* transaction = nullptr; // the explicit transaction, if any
    Firebird::ITransaction* retained = nullptr;    // a context kept by a commit-retaining
    std::vector<unsigned char> tpb;                // isolation and lock wait of every transaction
    bool commitRetain = false;
    unsigned dialect = 3;
    QString quoteChar;
    QString lastError;
    std::vector<ConnectionClient*> clients;
    std::vector<OpenHandle*> handles;

    bool connected() const { return attachment != nullptr; }

    // Raises "Cannot perform this operation on a closed connection" when not attached.
    void requireConnected() const;
    void check(Firebird::CheckStatusWrapper& status) { detail::check(lastError, *lib, status); }
    Firebird::CheckStatusWrapper newStatus() const { return Firebird::CheckStatusWrapper(lib->master()->getStatus()); }

    Firebird::ITransaction* startTransaction();
    void commit(Firebird::ITransaction* tra);
    // Rolls back and lets go of the transaction; failures are ignored (the server
    // rolls back whatever it still holds when the attachment goes).
    void rollbackQuietly(Firebird::ITransaction* tra);

    void forget(OpenHandle* handle);
};

// Releases a Firebird status object on every path.
struct StatusHolder {
    Firebird::CheckStatusWrapper wrapper;
    explicit StatusHolder(const ConnectionState& st) : wrapper(st.newStatus()) {}
    ~StatusHolder() { wrapper.dispose(); }
    StatusHolder(const StatusHolder&) = delete;
    StatusHolder& operator=(const StatusHolder&) = delete;
    Firebird::CheckStatusWrapper* operator->() { return &wrapper; }
    Firebird::CheckStatusWrapper* get() { return &wrapper; }
};

} // namespace detail
