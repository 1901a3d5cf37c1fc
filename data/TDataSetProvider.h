#pragma once
// A provider hands a source's rows to a cached dataset in packets, and writes the
// cached dataset's changes back to the source's table.

#include "data/DataPacket.h"
#include "data/TSQLDataSet.h"

#include <QString>

#include <functional>
#include <optional>

enum TProviderOption { poAllowCommandText = 1, poReadOnly = 2, poDisableInserts = 4, poDisableEdits = 8, poDisableDeletes = 16 };
enum TUpdateMode { upWhereAll, upWhereChanged, upWhereKeyOnly };

class TDataSetProvider {
public:
    explicit TDataSetProvider(TCustomSQLDataSet* dataSet = nullptr) : DataSet(dataSet) {}

    QString Name;
    TCustomSQLDataSet* DataSet = nullptr;
    int Options = 0;
    TUpdateMode UpdateMode = upWhereAll;

    enum RequestFlag { grMetaData = 1, grReset = 2 };

    // Hands out up to count rows (-1: all that remain) from the source's current row.
    // A non-empty command text becomes the query source's text first (only with
    // poAllowCommandText). The source is opened when closed; when fewer rows than
    // asked come back the provider resets at once. A count of 0 with grReset only
    // resets: the source is closed if this provider opened it.
    DataPacket GetRecords(int count, int flags, const QString& commandText);

    // Closes the source if this provider opened it and starts the count again.
    void Reset();

private:
    bool openedSource_ = false;
    int rowsSent_ = 0;
};
