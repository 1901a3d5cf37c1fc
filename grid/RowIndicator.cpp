#include "grid/RowIndicator.h"

#include <QImage>
#include <QPainter>

#include <array>

namespace {

constexpr int kGlyphWidth = 6;
constexpr int kGlyphHeight = 11;
using Pattern = std::array<const char*, kGlyphHeight>;

// '#' is the mark, '.' the background; top row first.
constexpr Pattern kArrow = {"#.....", "##....", "###...", "####..", "#####.", "######",
                            "#####.", "####..", "###...", "##....", "#....."};
constexpr Pattern kIBeam = {"##..##", "..##..", "..##..", "..##..", "..##..", "..##..",
                            "..##..", "..##..", "..##..", "..##..", "##..##"};
constexpr Pattern kAsterisk = {"......", "......", "......", ".#..#.", "..##..", "######",
                               "..##..", ".#..#.", "......", "......", "......"};

QImage makeGlyph(const Pattern& pattern, QColor colour) {
    QImage image(kGlyphWidth, kGlyphHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < kGlyphHeight; ++y)
        for (int x = 0; x < kGlyphWidth; ++x)
            if (pattern[std::size_t(y)][x] == '#')
                image.setPixelColor(x, y, colour);
    return image;
}

} // namespace

const QImage& indicatorGlyphImage(IndicatorGlyph glyph) {
    static const QImage none;
    static const QImage browse = makeGlyph(kArrow, Qt::black);
    static const QImage edit = makeGlyph(kIBeam, Qt::black);
    static const QImage insert = makeGlyph(kAsterisk, Qt::black);
    static const QImage search = makeGlyph(kArrow, QColor(255, 255, 0));
    switch (glyph) {
    case IndicatorGlyph::Browse: return browse;
    case IndicatorGlyph::Edit: return edit;
    case IndicatorGlyph::Insert: return insert;
    case IndicatorGlyph::Search: return search;
    case IndicatorGlyph::None: break;
    }
    return none;
}

void drawIndicatorGlyph(QPainter& painter, const QRect& cell, IndicatorGlyph glyph) {
    if (glyph == IndicatorGlyph::None)
        return;
    const int x = cell.left() + (cell.width() - kGlyphWidth) / 2 + 1;
    const int y = cell.top() + (cell.height() - kGlyphHeight) / 2;
    painter.drawImage(x, y, indicatorGlyphImage(glyph));
}
