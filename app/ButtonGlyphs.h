#pragma once
// The pictures of the two buttons of the button bar, 46 x 32 pixels, drawn by the
// program itself.

#include <QPixmap>

constexpr int kGlyphWidth = 46;
constexpr int kGlyphHeight = 32;

// "Ejecutar": a ledger sheet with a green arrow, for posting.
QPixmap runGlyph();
// "Cancelar": a red disc with a white cross, for leaving.
QPixmap cancelGlyph();
