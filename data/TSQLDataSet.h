#pragma once
// Sources: datasets bound to the connection that hand a statement's rows to a
// provider. They are opened and closed only by their provider (or by the
// connection going away).

#include "data/RowLayout.h"
#include "data/TSQLConnection.h"

#include <QString>

#include <memory>
#include <vector>

class TCustomSQLDataSet : public ConnectionClient {
public:
    explicit TCustomSQLDataSet(TSQLConnection* connection = nullptr);
    virtual ~TCustomSQLDataSet();
    TCustomSQLDataSet(const TCustomSQLDataSet&) = delete;
    TCustomSQLDataSet& operator=(const TCustomSQLDataSet&) = delete;

    QString Name;
    TSQLConnection* SQLConnection() const { return connection_; }
    void setSQLConnection(TSQLConnection* connection);

    bool Active() const { return cursor_ != nullptr; }
    // Connects the connection first when it is closed, then runs the statement.
    void Open();
    void Close();

    // Valid while open.
    const RowLayout& layout() const;
    // Fetches the next row into the current row block; false at the end.
    bool fetchNext();
    const std::byte* row() const;

    void connectionClosing() override { Close(); }

protected:
    // The SELECT text to run, built when the source opens.
    virtual QString commandText() const = 0;
    virtual std::vector<SqlParam> params() const { return {}; }
    // Raises "Cannot perform this operation on an open dataset" while open.
    void checkInactive() const;

private:
    TSQLConnection* connection_ = nullptr;
    std::unique_ptr<SqlCursor> cursor_;
};

// A free SELECT text.
class TSQLQuery : public TCustomSQLDataSet {
public:
    using TCustomSQLDataSet::TCustomSQLDataSet;
    const QString& SQL() const { return sql_; }
    // Replaceable only while closed; an equal text changes nothing.
    void setSQL(const QString& sql);

protected:
    QString commandText() const override { return sql_; }

private:
    QString sql_;
};

// One whole table, read as " select * from " + the quoted table name: no WHERE, no
// ORDER BY, and (metadata reading off) no key or index information from the server.
class TSQLTable : public TCustomSQLDataSet {
public:
    using TCustomSQLDataSet::TCustomSQLDataSet;
    QString TableName;
    bool GetMetadata = false;

protected:
    QString commandText() const override;
};

// A stored procedure by name with its input parameters. Declared only: nothing in
// the program runs it.
class TSQLStoredProc : public TCustomSQLDataSet {
public:
    struct Param {
        QString name;
        FieldType type;
        Value value;
    };
    using TCustomSQLDataSet::TCustomSQLDataSet;
    QString StoredProcName;
    std::vector<Param> Params;

protected:
    QString commandText() const override;
    std::vector<SqlParam> params() const override;
};
