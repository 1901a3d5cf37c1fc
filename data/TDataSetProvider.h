#pragma once
// A provider hands a source's rows to a cached dataset in packets, and writes the
// cached dataset's changes back to the source's table.

#include "data/ChangeLog.h"
#include "data/DataPacket.h"
#include "data/TSQLDataSet.h"

#include <QFlags>
#include <QString>

#include <functional>
#include <optional>

enum class TProviderOption {
    poAllowCommandText = 1,
    poReadOnly = 2,
    poDisableInserts = 4,
    poDisableEdits = 8,
    poDisableDeletes = 16,
};
Q_DECLARE_FLAGS(TProviderOptions, TProviderOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TProviderOptions)
enum class TUpdateMode { upWhereAll, upWhereChanged, upWhereKeyOnly };
// The answer to a row that failed while changes were applied.
enum class TResolverResponse { rrSkip, rrAbort, rrMerge, rrApply, rrIgnore };

class TClientDataSet;
class EUpdateError;

// The outcome of writing a batch of changes.
struct ApplyResult {
    struct Failure {
        std::uint32_t rowId;
        QString message;
        TResolverResponse response;
    };
    int errorCount = 0;
    std::vector<Failure> errors;             // the failed rows that were counted
    std::vector<std::uint32_t> appliedRowIds; // rows durably written (their transaction committed)
};

class TDataSetProvider {
public:
    explicit TDataSetProvider(TCustomSQLDataSet* dataSet = nullptr) : DataSet(dataSet) {}

    QString Name;
    TCustomSQLDataSet* DataSet = nullptr;
    TProviderOptions Options;
    TUpdateMode UpdateMode = TUpdateMode::upWhereAll;

    enum class RequestFlag { grMetaData = 1, grReset = 2 };
    Q_DECLARE_FLAGS(RequestFlags, RequestFlag)

    // Hands out up to count rows (-1: all that remain) from the source's current row.
    // A non-empty command text becomes the query source's text first (only with
    // poAllowCommandText). The source is opened when closed; when fewer rows than
    // asked come back the provider resets at once. A count of 0 with grReset only
    // resets: the source is closed if this provider opened it.
    DataPacket GetRecords(int count, RequestFlags flags, const QString& commandText);

    // Closes the source if this provider opened it and starts the count again.
    void Reset();

    // Called once per failing row with the response preset; the handler may change it.
    std::function<void(TDataSetProvider& sender, TClientDataSet& dataSet, const EUpdateError& error,
                       UpdateKind kind, TResolverResponse& response)>
        OnUpdateError;

    // Writes the batch to the source's table with one statement per row, in one
    // transaction (the connection's own when one is in progress). maxErrors -1 allows
    // any number of failed rows; the transaction is committed when the failures do
    // not exceed maxErrors, else rolled back. Row failures never raise; failures of
    // the transaction itself do.
    ApplyResult ApplyUpdates(TClientDataSet& dataSet, const UpdateBatch& batch, int maxErrors);

private:
    bool openedSource_ = false;
    int rowsSent_ = 0;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TDataSetProvider::RequestFlags)
