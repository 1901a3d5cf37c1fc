#pragma once
// The connection `Quelmar`: one connection to one Firebird database, configured by
// its parameter list. A database path with a host part ("host:/folder/file.fdb",
// "host/3050:/folder/file.fdb") reaches a server over TCP; a plain path opens the
// file with the engine embedded in this process.

#include "data/ConnectionParams.h"
#include "data/RowLayout.h"
#include "data/SqlParam.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class SqlCursor;
class SqlStatement;
namespace detail {
struct ConnectionState;
}

// Something bound to the connection that must let go of the database before the
// connection detaches (a source with an open cursor).
class ConnectionClient {
public:
    virtual void connectionClosing() = 0;

protected:
    ~ConnectionClient() = default;
};

class TSQLConnection {
public:
    TSQLConnection();
    ~TSQLConnection();
    TSQLConnection(const TSQLConnection&) = delete;
    TSQLConnection& operator=(const TSQLConnection&) = delete;

    // The name under which the system knows the connection ("Quelmar").
    QString Name;
    // The client library loaded when connecting.
    QString VendorLib = QStringLiteral("libfbclient.so.2");

    // How long, in seconds, every transaction waits for a lock held by another
    // connection before it fails with the server's lock time-out; 0 waits as long as
    // the lock is held. Taken when connecting.
    int LockTimeout = 0;
    // How long, in seconds, connecting may take before the client gives up on a
    // server that does not answer; 0 leaves it to the client's configuration.
    int ConnectTimeout = 0;

    ConnectionParams& Params() { return params_; }
    const ConnectionParams& Params() const { return params_; }

    bool Connected() const;
    // true connects, false disconnects; either is harmless when already so.
    void setConnected(bool connected);
    void Open() { setConnected(true); }
    void Close() { setConnected(false); }

    // The explicit transaction. Statements and cursors run inside it while it is
    // active; outside it each statement and each cursor runs in a transaction of its
    // own, committed when the statement succeeded or the cursor closed.
    bool InTransaction() const;
    void StartTransaction();
    void Commit();
    void Rollback();

    // Runs a statement with positional parameters; returns the rows it affected.
    int Execute(const QString& sql, const std::vector<SqlParam>& params = {});
    // Prepares a statement to run many times (as long as the connection stays open).
    std::unique_ptr<SqlStatement> Prepare(const QString& sql);
    // Opens a cursor over a SELECT; the first row is read by the first next().
    std::unique_ptr<SqlCursor> OpenCursor(const QString& sql,
                                          const std::vector<SqlParam>& params = {});

    // The identifier quote character reported after connecting (the double quote
    // for a dialect 3 database; none for dialect 1).
    QString QuoteChar() const;
    // The table name quoted for SQL text: a name already starting or ending with a
    // quote of any kind stays as it is; a dotted name is quoted part by part.
    QString QuotedTableName(const QString& tableName) const;

    // The message of the last error the connection raised.
    QString LastError() const;

    // Hears every statement text as it is prepared (a trace of what the program sends).
    std::function<void(const QString& sql)> OnPrepare;

    void addClient(ConnectionClient* client);
    void removeClient(ConnectionClient* client);

private:
    // The provider runs a whole apply in one transaction of the connection's.
    friend class TDataSetProvider;
    ConnectionParams params_ = ConnectionParams::designList();
    std::unique_ptr<detail::ConnectionState> state_;
};

// A statement prepared once and run many times. Runs inside the connection's
// explicit transaction when there is one, else in a transaction of its own.
class SqlStatement {
public:
    ~SqlStatement();
    const QString& text() const;
    int execute(const std::vector<SqlParam>& params);

private:
    friend class TSQLConnection;
    struct Impl;
    explicit SqlStatement(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

// A cursor over a result. The current row stays in one block laid out by the
// statement's output metadata until the next fetch.
class SqlCursor {
public:
    ~SqlCursor();
    const RowLayout& layout() const;
    // Fetches the next row; false at the end of the result (the cursor is then closed).
    bool next();
    const std::byte* row() const;
    Value value(int column) const { return layout().value(row(), column); }
    bool isOpen() const;
    // Closes the result; a transaction the cursor started for itself is committed.
    void close();

private:
    friend class TSQLConnection;
    struct Impl;
    explicit SqlCursor(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};
