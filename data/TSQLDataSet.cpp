#include "data/TSQLDataSet.h"

#include "data/DataSetMessages.h"
#include "data/DatabaseError.h"

TCustomSQLDataSet::TCustomSQLDataSet(TSQLConnection* connection) { setSQLConnection(connection); }

TCustomSQLDataSet::~TCustomSQLDataSet() {
    // A source that goes away ends its cursor normally: what it did stays.
    try {
        Close();
    } catch (const EDatabaseError&) {
        // Nothing can be reported from a destructor; the server keeps what was committed.
    }
    if (connection_)
        connection_->removeClient(this);
}

void TCustomSQLDataSet::setSQLConnection(TSQLConnection* connection) {
    if (connection == connection_)
        return;
    Close();
    if (connection_)
        connection_->removeClient(this);
    connection_ = connection;
    if (connection_)
        connection_->addClient(this);
}

void TCustomSQLDataSet::checkInactive() const {
    if (Active())
        throw EDatabaseError(dsmsg::openDataSet());
}

void TCustomSQLDataSet::Open() {
    if (Active())
        return;
    if (!connection_)
        throw EDatabaseError(dsmsg::noConnection());
    // Connects with the parameter list the connection holds at this moment.
    connection_->setConnected(true);
    cursor_ = connection_->OpenCursor(commandText(), params());
}

void TCustomSQLDataSet::Close() {
    // Closing the cursor commits the transaction it ran in, when it had its own.
    std::unique_ptr<SqlCursor> cursor = std::move(cursor_);
    if (cursor)
        cursor->close();
}

const RowLayout& TCustomSQLDataSet::layout() const {
    if (!cursor_)
        throw EDatabaseError(dsmsg::closedDataSet());
    return cursor_->layout();
}

bool TCustomSQLDataSet::fetchNext() { return cursor_ && cursor_->next(); }

const std::byte* TCustomSQLDataSet::row() const { return cursor_->row(); }

void TSQLQuery::setSQL(const QString& sql) {
    if (sql == sql_)
        return;
    checkInactive();
    sql_ = sql;
}

QString TSQLTable::commandText() const {
    return QStringLiteral(" select * from ") + SQLConnection()->QuotedTableName(TableName);
}

QString TSQLStoredProc::commandText() const {
    QStringList marks;
    for (std::size_t i = 0; i < Params.size(); ++i)
        marks << QStringLiteral("?");
    return QStringLiteral("select * from ") + StoredProcName +
           (marks.isEmpty() ? QString() : QLatin1Char('(') + marks.join(QStringLiteral(", ")) + QLatin1Char(')'));
}

std::vector<SqlParam> TSQLStoredProc::params() const {
    std::vector<SqlParam> out;
    for (const Param& p : Params)
        out.push_back({p.type, p.value});
    return out;
}
