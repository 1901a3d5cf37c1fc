#pragma once
// The marks of the indicator column: which state the current record is in.

#include <QRect>

class QImage;
class QPainter;

enum class IndicatorGlyph {
    None,
    Browse,  // black arrow
    Edit,    // I-beam
    Insert,  // asterisk
    Search,  // the arrow in yellow, while an incremental search runs
};

// The glyph as a 6 x 11 image: the mark's pixels opaque, the rest transparent.
const QImage& indicatorGlyphImage(IndicatorGlyph glyph);

// Draws the glyph centred in an indicator cell (one pixel right of centre).
void drawIndicatorGlyph(QPainter& painter, const QRect& cell, IndicatorGlyph glyph);
