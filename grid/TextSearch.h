#pragma once
// What a text search through the grid looks for: which way it walks the rows, how
// a cell's text must relate to the searched text, and the options of the walk.

#include <QFlags>
#include <QString>

enum class FindDirection { Up = 0, Down = 1, FromFirst = 2 };
enum class FindMatching { AnyPart = 0, WholeField = 1, FromBeginning = 2 };

enum class FindOption {
    CaseInsensitive = 0x1,  // both texts upper-cased before comparing
    AllColumns = 0x2,       // every shown column, not only the start column
    MatchDisplayText = 0x4, // the text the cell shows, not the field's plain value
    EscapeAborts = 0x8,     // an Esc key-down waiting for the window stops the walk
};
Q_DECLARE_FLAGS(FindOptions, FindOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(FindOptions)

// Upper case one character at a time, so that a text keeps its length (a
// character whose capital is two letters stays as it is).
QString upperCased(const QString& text);

// The comparison of one cell's text with the searched text.
class CellTextMatcher {
public:
    CellTextMatcher(const QString& text, FindMatching matching, bool caseInsensitive);
    // An empty searched text occurs nowhere, is the start of every text and equals
    // only an empty cell.
    bool matches(const QString& cellText) const;

private:
    QString text_;
    FindMatching matching_;
    bool caseInsensitive_;
};
