#pragma once
// The baseline of every apply: a plain loop over the Firebird client that runs one
// prepared statement once per row in one transaction and reads the affected-row
// count after each execute. No layer of this system is involved.

#include <QString>

#include <functional>


// Writes parameter `index` of row `row` into the input buffer at data (null flag at nullFlag).
using ParameterWriter = std::function<void(int row, unsigned index, unsigned char* data, short* nullFlag)>;

// Attaches (user SYSDBA, password masterkey), reads the whole of warmUpQuery when
// given (as the system has read its rows before it applies changes to them), then
// prepares sql, runs it rows times and commits; only that part is timed when timing
// is given. Returns the sum of affected rows.
long long plainExecute(const QString& databasePath, const QString& sql, int rows, const ParameterWriter& write,
                       const std::function<void(bool start)>& timing = {}, const QString& warmUpQuery = {});
