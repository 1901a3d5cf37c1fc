#pragma once
// Where a cell's text goes inside the cell's text rectangle. A text that fits is
// placed by the column's alignment. A wider one starts at the left edge and is
// cut at its right end with "…": a right-aligned text that does not fit would
// otherwise lose its first characters, and a rate of 19 would read as 9.

#include <QFontMetrics>
#include <QRect>
#include <QString>

struct CellTextPlacement {
    QString shown;        // the text as drawn, ended by "…" when it was cut
    int left = 0;         // where its first character starts
    int keptWidth = 0;    // the width of the characters kept from the text (without the "…")
};

CellTextPlacement placeCellText(const QFontMetrics& metrics, const QRect& textRect, const QString& text,
                                Qt::Alignment alignment);
