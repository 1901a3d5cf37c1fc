#pragma once
// What an open connection holds. Private to the data layer.

#include "data/detail/ClientLibrary.h"
#include "data/detail/FbStatus.h"
#include "data/detail/Handles.h"

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
    Attachment attachment;
    Transaction transaction;        // the explicit transaction, if any
    Transaction retained;           // a context kept by a commit-retaining
    std::vector<unsigned char> tpb; // isolation and lock wait of every transaction
    bool commitRetain = false;
    unsigned dialect = 3;
    QString quoteChar;
    QString lastError;
    std::vector<ConnectionClient*> clients;
    std::vector<OpenHandle*> handles;

    bool connected() const { return bool(attachment); }

    // Raises "Cannot perform this operation on a closed connection" when not attached.
    void requireConnected() const;
    // Raises the error a failed status holds, naming the operation that failed.
    void check(Status& status, const char* operation) { detail::check(lastError, *lib, status.wrapper(), operation); }

    // A transaction with the connection's parameters, owned by the caller.
    Transaction startTransaction();

    // The explicit transaction: started (or taken over from a commit-retaining),
    // committed as the connection's settings say, rolled back.
    void startExplicit();
    void commitExplicit();
    void rollbackExplicit();

    void forget(OpenHandle* handle);
};

} // namespace detail
