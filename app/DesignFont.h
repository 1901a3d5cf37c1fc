#pragma once
// The window's fonts. The design's "MS Sans Serif" and "Arial Narrow" are not on
// Linux; the system's sans-serif stands in for both, at the design's size.

#include <QFont>

// The sans-serif whose characters are pixelHeight pixels high at 96 dpi (the
// design's font height -11 is 8.25 points). The common Linux sans-serifs run wider
// than the design's faces, so the stand-in is narrowed to keep every caption
// within its designed width; narrow gives the stand-in for "Arial Narrow".
QFont designFont(int pixelHeight, bool narrow = false);
