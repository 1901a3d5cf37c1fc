#include "app/DesignFont.h"

#include <QFontDatabase>

QFont designFont(int pixelHeight, bool narrow) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pixelHeight * 72.0 / 96.0);
    font.setStretch(narrow ? QFont::Condensed : QFont::SemiCondensed);
    return font;
}
