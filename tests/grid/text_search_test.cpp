// How a cell's text is compared with a searched text.

#include "grid/TextSearch.h"

#include <gtest/gtest.h>

namespace {

bool matches(const char* cell, const char* text, FindMatching matching, bool caseInsensitive = true) {
    return CellTextMatcher(QString::fromUtf8(text), matching, caseInsensitive).matches(QString::fromUtf8(cell));
}

TEST(CellTextMatcher, ComparesPartsWholesAndStartsInEitherCase) {
    EXPECT_TRUE(matches("peña", "EÑ", FindMatching::AnyPart));
    EXPECT_FALSE(matches("peña", "EÑ", FindMatching::AnyPart, false));
    EXPECT_FALSE(matches("Pref", "Pre", FindMatching::WholeField));
    EXPECT_FALSE(matches("Pr", "Pre", FindMatching::FromBeginning)); // a shorter cell
    // An empty text starts every cell, is the whole of an empty one, and occurs in none.
    EXPECT_TRUE(matches("abc", "", FindMatching::FromBeginning));
    EXPECT_FALSE(matches("abc", "", FindMatching::WholeField));
    EXPECT_FALSE(matches("abc", "", FindMatching::AnyPart));
}

TEST(CellTextMatcher, UpperCasingKeepsEveryCharacterInItsPlace) {
    // A capital of two letters would move every later character.
    EXPECT_EQ(upperCased(QString::fromUtf8("straße")), QString::fromUtf8("STRAßE"));
    EXPECT_TRUE(matches("straße", "STRAßE", FindMatching::WholeField));
}

} // namespace
