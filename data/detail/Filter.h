#pragma once
// The filter of a cached dataset: "FIELD op constant", evaluated in the cache on
// every row; nothing of it reaches the server.

#include "data/RowLayout.h"
#include "data/Value.h"

#include <QString>

class TClientDataSet;

namespace detail {

class CompiledFilter {
public:
    // Parses the text against the dataset's fields; the constant takes the type of
    // the field it is compared with. Raises on a text that is no such comparison,
    // an unknown field, or a constant of the wrong form ("'%s' is not a valid date").
    static CompiledFilter compile(const QString& text, const TClientDataSet& dataSet, int column);

    int column() const { return column_; }
    // Whether a row holding that value in the filter's column is visible.
    bool accepts(const Value& v) const;

private:
    enum class Op { Eq, Ne, Lt, Gt, Le, Ge };
    int column_ = -1;
    Op op_ = Op::Eq;
    Value constant_;
};

// Splits "FIELD op constant" into its three parts; false when it has another shape.
bool splitFilter(const QString& text, QString& field, QString& op, QString& constant);

} // namespace detail
