#include "grid/TextSearch.h"

QString upperCased(const QString& text) {
    // Dates and numbers have nothing to raise: they are not copied.
    qsizetype i = 0;
    while (i < text.size() && text.at(i).toUpper() == text.at(i))
        ++i;
    if (i == text.size())
        return text;
    QString upper = text;
    for (; i < upper.size(); ++i)
        upper[i] = upper.at(i).toUpper();
    return upper;
}

CellTextMatcher::CellTextMatcher(const QString& text, FindMatching matching, bool caseInsensitive)
    : text_(caseInsensitive ? upperCased(text) : text), matching_(matching), caseInsensitive_(caseInsensitive) {}

bool CellTextMatcher::matches(const QString& cellText) const {
    switch (matching_) {
    case FindMatching::AnyPart:
        return !text_.isEmpty() && (caseInsensitive_ ? upperCased(cellText) : cellText).contains(text_);
    case FindMatching::WholeField:
        return cellText.size() == text_.size() && (caseInsensitive_ ? upperCased(cellText) : cellText) == text_;
    case FindMatching::FromBeginning: {
        if (cellText.size() < text_.size())
            return false;
        const QString start = cellText.left(text_.size());
        return (caseInsensitive_ ? upperCased(start) : start) == text_;
    }
    }
    return false;
}
