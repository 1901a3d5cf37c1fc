#pragma once
// The font the grid and its find dialog were designed with: an 8-point sans-serif
// (11 pixels at 96 dpi), the system's own sans-serif standing in for it.

#include <QFont>

QFont designFont();
// The same, narrowed: the stand-in runs wider than the design's face, and a
// caption sized to the design's text gets this one so that it shows whole.
QFont narrowDesignFont();
