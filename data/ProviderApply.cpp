// Writing a cached dataset's changes back: one statement per changed row, all in
// one transaction, each failing row reported to the provider's handler.

#include "data/DataSetMessages.h"
#include "data/DatabaseError.h"
#include "data/TDataSetProvider.h"
#include "data/detail/ConnectionState.h"
#include "data/detail/ScopedTransaction.h"
#include "data/detail/UpdateStatements.h"

#include <climits>
#include <map>

namespace {

const QString kRecordChanged = QStringLiteral("Record not found or changed by another user");
const QString kTooManyRows = QStringLiteral("Update affected more than 1 record.");
const QString kNoTable = QStringLiteral("Unable to resolve records.  Table name not found.");
const QString kReadOnly = QStringLiteral("Cannot apply updates to a ReadOnly provider");

// Raised for a row whose statement ran but did not hit exactly one row.
struct RowRefused : EDatabaseError {
    using EDatabaseError::EDatabaseError;
};

} // namespace

ApplyResult TDataSetProvider::ApplyUpdates(TClientDataSet& dataSet, const UpdateBatch& batch, int maxErrors) {
    if (!DataSet || !DataSet->SQLConnection())
        throw EDatabaseError(dsmsg::noConnection());
    TSQLConnection& connection = *DataSet->SQLConnection();
    connection.setConnected(true);

    ApplyResult result;
    detail::ScopedTransaction transaction(*connection.state_, detail::ScopedTransaction::Reach::Connection);
    if (Options.testFlag(TProviderOption::poReadOnly)) {
        transaction.rollback();
        throw EDatabaseError(kReadOnly);
    }

    auto* table = dynamic_cast<TSQLTable*>(DataSet);
    const QString tableName = table && !table->TableName.isEmpty() ? connection.QuotedTableName(table->TableName) : QString();
    // Firebird keeps no statement cache: every distinct text is prepared once per
    // apply and reused for every row of the same shape.
    struct Prepared {
        std::unique_ptr<SqlStatement> statement; // none for an UPDATE that changes nothing
        bool empty = false;
    };
    std::map<std::string, Prepared> prepared;
    std::vector<std::uint32_t> written;
    int errorLimit = maxErrors == -1 ? INT_MAX : maxErrors;
    // Set once "more than 1 record" has rolled the transaction back: the rows sent
    // after it run with no transaction of the apply's, each committed on its own,
    // so they are written for good and must leave the change log.
    bool rolledBack = false;

    auto finish = [&] {
        // In a transaction of the caller's, the caller decides what stays.
        if (!transaction.owned() || rolledBack)
            result.appliedRowIds = written;
        if (!transaction.open())
            return;
        if (result.errorCount <= maxErrors || maxErrors == -1) {
            transaction.commit();
            result.appliedRowIds = std::move(written);
        } else {
            transaction.rollback();
        }
    };

    try {
        for (const UpdateEntry& entry : batch.entries) {
            int previousError = 0;
            for (;;) { // repeated only when a handler asks to run the row again
                std::exception_ptr failure;
                QString message;
                try {
                    if (tableName.isEmpty())
                        throw EDatabaseError(kNoTable);
                    const std::string shape = detail::rowShape(entry, batch.layout);
                    auto found = prepared.find(shape);
                    if (found == prepared.end()) {
                        const detail::RowStatement s =
                            detail::buildRowStatement(entry, batch.layout, connection.QuoteChar(), tableName);
                        Prepared p{s.empty ? nullptr : connection.Prepare(s.text), s.empty};
                        found = prepared.emplace(shape, std::move(p)).first;
                    }
                    if (!found->second.empty) {
                        const int rows = found->second.statement->execute(detail::rowParams(entry, batch.layout));
                        if (rows == 0)
                            throw RowRefused(kRecordChanged);
                        if (rows > 1) {
                            // More than the row itself was hit: nothing of this apply may stay.
                            transaction.rollback();
                            rolledBack = true;
                            written.clear();
                            throw RowRefused(kTooManyRows);
                        }
                    }
                    written.push_back(entry.rowId);
                    break;
                } catch (const ESQLError& e) {
                    // A lost connection is no failure of this row: the apply cannot
                    // go on, and the caller hears of it as an error.
                    if (e.connectionLost())
                        throw;
                    failure = std::current_exception();
                    message = e.message();
                } catch (const EDatabaseError& e) {
                    failure = std::current_exception();
                    message = e.message();
                }

                const EUpdateError error(message, failure, previousError);
                TResolverResponse response =
                    result.errorCount < errorLimit ? TResolverResponse::rrSkip : TResolverResponse::rrAbort;
                if (OnUpdateError)
                    OnUpdateError(*this, dataSet, error, entry.kind, response);
                if (response == TResolverResponse::rrSkip || response == TResolverResponse::rrAbort) {
                    ++result.errorCount;
                    if (result.errorCount > errorLimit)
                        response = TResolverResponse::rrAbort;
                    if (response == TResolverResponse::rrAbort)
                        errorLimit = result.errorCount - 1;
                    result.errors.push_back({entry.rowId, message, response});
                    break;
                }
                if (response == TResolverResponse::rrIgnore)
                    break;
                previousError = error.ErrorCode(); // rrMerge, rrApply: run the row again
            }
            if (result.errorCount > errorLimit)
                break; // the remaining rows are never sent
        }
    } catch (...) {
        // Not a row failure (the handler itself raised): the transaction is ended
        // as after any apply, and the error goes on.
        try {
            finish();
        } catch (...) {
        }
        throw;
    }
    finish();
    return result;
}
