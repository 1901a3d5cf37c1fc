#pragma once
// The texts of the cached-dataset layer's own errors.

#include <QString>

namespace dsmsg {
inline QString fieldNotFound() { return QStringLiteral("Field '%1' not found"); }
inline QString typeMismatch() { return QStringLiteral("Type mismatch for field '%1', expecting: %2 actual: %3"); }
inline QString sizeMismatch() { return QStringLiteral("Size mismatch for field '%1', expecting: %2 actual: %3"); }
inline QString notEditing() { return QStringLiteral("Dataset not in edit or insert mode"); }
inline QString mustHaveValue() { return QStringLiteral("Field '%1' must have a value"); }
inline QString closedDataSet() { return QStringLiteral("Cannot perform this operation on a closed dataset"); }
inline QString emptyDataSet() { return QStringLiteral("Cannot perform this operation on an empty dataset"); }
inline QString openDataSet() { return QStringLiteral("Cannot perform this operation on an open dataset"); }
inline QString noCommandText() { return QStringLiteral("CommandText changes are not allowed"); }
inline QString noProvider() { return QStringLiteral("Missing data provider or data packet"); }
inline QString noConnection() { return QStringLiteral("Missing SQLConnection property"); }
inline QString invalidDate() { return QStringLiteral("'%1' is not a valid date"); }
inline QString invalidNumber() { return QStringLiteral("'%1' is not a valid number"); }
inline QString invalidInteger() { return QStringLiteral("'%1' is not a valid integer value"); }
inline QString outOfRange() {
    return QStringLiteral("%1 is not a valid value for field '%2'. The allowed range is %3 to %4");
}
inline QString invalidValue() { return QStringLiteral("Invalid value for field '%1'"); }
inline QString badFilter() { return QStringLiteral("Filter expression incorrectly formatted: %1"); }
} // namespace dsmsg
