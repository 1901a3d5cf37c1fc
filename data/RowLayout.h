#pragma once
// The layout of a result row as the database hands it over: one byte block per row,
// laid out by the statement's own output metadata. Rows are kept in this form by
// cursors and caches, and a value is decoded only when somebody reads it.

#include "data/Value.h"

#include <QString>

#include <cstddef>
#include <vector>

struct ColumnDesc {
    QString name;          // the result column's name (its alias)
    QString relation;      // the table it was read from; empty for computed columns
    FieldType type = FieldType::Unknown;
    int size = 0;          // text: characters; decimal: digits after the point
    int precision = 0;     // decimal: total digits
    bool required = false; // declared NOT NULL
    bool readOnly = false; // computed by the server (no table behind it)

    // Where the value lies in the row block.
    unsigned sqlType = 0;  // Firebird's SQL_* type, without the nullable bit
    int sqlSubType = 0;
    int sqlScale = 0;      // Firebird's scale: -4 for four decimals
    unsigned length = 0;   // bytes of the value (for VARCHAR, not counting its 2-byte length)
    unsigned offset = 0;
    unsigned nullOffset = 0;
};

class RowLayout {
public:
    RowLayout() = default;
    RowLayout(std::vector<ColumnDesc> columns, unsigned rowSize)
        : columns_(std::move(columns)), rowSize_(rowSize) {}

    const std::vector<ColumnDesc>& columns() const { return columns_; }
    int columnCount() const { return int(columns_.size()); }
    // The index of the column with that name (any case), or -1.
    int indexOf(const QString& name) const;
    unsigned rowSize() const { return rowSize_; }

    bool isNull(const std::byte* row, int column) const;
    // Decodes one value: integers as qint64, decimals as Currency, text as QString
    // (8-bit bytes read as Latin-1; CHAR keeps its trailing blanks), null as null.
    Value value(const std::byte* row, int column) const;

private:
    std::vector<ColumnDesc> columns_;
    unsigned rowSize_ = 0;
};
