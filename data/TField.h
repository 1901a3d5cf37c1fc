#pragma once
// A field of a cached dataset: one column of its rows, read and written through
// the dataset's current row, with the text forms the grid shows and edits.

#include "data/Value.h"

#include <QString>

class TClientDataSet;

class TField {
public:
    TField(TClientDataSet& dataSet, QString fieldName, FieldType type, int size, bool required);

    // The object name: dataset name + column name for declared fields ("CAjusteAJCI_ID").
    QString Name;
    QString FieldName;
    QString DisplayLabel;
    bool Required = false;
    bool ReadOnly = false;

    FieldType DataType() const { return type_; }
    // Text: the most characters it holds; decimal: digits after the point.
    int Size() const { return size_; }
    int Precision() const { return precision_; }
    // The display label, or the field name when there is none.
    QString displayName() const { return DisplayLabel.isEmpty() ? FieldName : DisplayLabel; }
    TClientDataSet& dataSet() const { return dataSet_; }
    int index() const; // position in the dataset's field order

    // The current row's value; writing needs the edit or insert state.
    Value value() const;
    void setValue(const Value& v);
    bool IsNull() const { return value().isNull() || value().isUnset(); }
    void Clear() { setValue(Value::null()); }

    // Typed access. Reading null gives 0, an invalid date or the empty text.
    qint32 AsInteger() const;
    void setAsInteger(qint32 v);
    Currency AsCurrency() const;
    void setAsCurrency(Currency v);
    QDateTime AsDateTime() const;
    void setAsDateTime(const QDateTime& v); // a date field keeps the calendar day only
    QString AsString() const;
    void setAsString(const QString& v);     // a text field keeps its first Size characters

    // Text forms (the grid shows and edits through these). A decimal shows and edits
    // as its exact value in the shortest form, with the workstation's decimal
    // separator and no grouping ("19", "0,8"); an edited text may use "." or ",".
    QString DisplayText() const { return displayTextOf(value()); }
    // The text a value of this field is shown as (another row's, for instance).
    QString displayTextOf(const Value& v) const;
    QString EditText() const;
    // Parses and stores an edited text; an empty text stores null. Raises with a
    // clear message, storing nothing, when the text is no value of the field's type.
    void setEditText(const QString& text);
    // Whether a typed character can be part of this field's text.
    bool IsValidChar(QChar c) const;
    // Numbers to the right; dates and text to the left.
    Qt::Alignment Alignment() const;

    // The value converted to this field's type (for locate and parameters); raises
    // when it cannot be.
    Value convert(const Value& v) const;
    // Plain text of a value of this field, as SQL text and filters take it: a decimal
    // in its shortest form with a point ("19", "0.75").
    QString plainText(const Value& v) const;

private:
    friend class TClientDataSet;
    void bind(int column, FieldType type, int size, int precision) {
        column_ = column, type_ = type, size_ = size, precision_ = precision;
    }

    TClientDataSet& dataSet_;
    FieldType type_;
    int size_;
    int precision_ = 0;
    int column_ = -1; // the row column it reads, once bound at opening
};
