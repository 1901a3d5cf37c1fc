#pragma once
// The transaction one piece of work runs in. Private to the data layer.
//
// When the connection has an explicit transaction in progress the work joins it,
// and its end is left to whoever started it. Otherwise the scope starts one and
// owns it: only a commit keeps the work, and an owned transaction still open when
// the scope ends is rolled back, on every path out.

#include "data/detail/ConnectionState.h"

namespace detail {

class ScopedTransaction {
public:
    enum class Reach {
        // A transaction of the scope's own, seen by nothing else (a statement or cursor
        // run outside an explicit transaction).
        Private,
        // The connection's explicit transaction, so that every statement of the
        // connection runs in it (the apply of a batch).
        Connection,
    };
    ScopedTransaction(ConnectionState& st, Reach reach);
    ~ScopedTransaction();
    ScopedTransaction(const ScopedTransaction&) = delete;
    ScopedTransaction& operator=(const ScopedTransaction&) = delete;

    // The transaction to run in; null once the scope's own transaction has ended.
    Firebird::ITransaction* get() const;
    // Whether the scope started the transaction (rather than joining one).
    bool owned() const { return owned_; }
    // Whether an owned transaction is still open.
    bool open() const;

    // Commits an owned transaction (as the connection's settings say, for the
    // connection's own); a joined one is left to its owner.
    void commit();
    // Rolls back the transaction the work runs in, owned or joined: nothing of it may
    // stay. Raises when the server refuses.
    void rollback();

private:
    ConnectionState& st_;
    Reach reach_;
    bool owned_ = false;
    Transaction own_;                           // Private and owned
    Firebird::ITransaction* started_ = nullptr; // Connection and owned: the one started
};

} // namespace detail
