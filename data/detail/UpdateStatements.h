#pragma once
// The statements that write one changed row back to its table. Private to the
// data layer.

#include "data/ChangeLog.h"
#include "data/SqlParam.h"

#include <QString>

#include <vector>

namespace detail {

struct RowStatement {
    QString text;                // lines, each ended by CR LF
    std::vector<SqlParam> params; // in the order of the "?" marks
    bool empty = false;          // an UPDATE with no changed field: nothing to run
};

// Builds the INSERT, UPDATE or DELETE for one entry. quote is the identifier quote
// character, table the quoted table name. Raises "Unable to find record.  No key
// specified" when no field can identify the row.
RowStatement buildRowStatement(const UpdateEntry& entry, const RowLayout& layout, const QString& quote,
                               const QString& table);

} // namespace detail
