#pragma once
// The statements that write one changed row back to its table. Private to the
// data layer.

#include "data/ChangeLog.h"
#include "data/SqlParam.h"

#include <QString>

#include <string>
#include <vector>

namespace detail {

struct RowStatement {
    QString text;       // lines, each ended by CR LF
    bool empty = false; // an UPDATE with no changed field: nothing to run
};

// What decides a row's statement text: its kind and, per column, whether the
// column is left out, compared with null, or carries a value. Rows of one shape
// share one text, built and prepared once.
std::string rowShape(const UpdateEntry& entry, const RowLayout& layout);

// The parameters of one entry's statement, in the order of its "?" marks.
std::vector<SqlParam> rowParams(const UpdateEntry& entry, const RowLayout& layout);

// Builds the INSERT, UPDATE or DELETE for one entry. quote is the identifier quote
// character, table the quoted table name. Raises "Unable to find record.  No key
// specified" when no field can identify the row.
RowStatement buildRowStatement(const UpdateEntry& entry, const RowLayout& layout, const QString& quote,
                               const QString& table);

} // namespace detail
