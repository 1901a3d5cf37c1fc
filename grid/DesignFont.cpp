#include "grid/DesignFont.h"

#include <QFontDatabase>

QFont designFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(11 * 72.0 / 96.0);
    return font;
}

QFont narrowDesignFont() {
    QFont font = designFont();
    font.setStretch(QFont::Condensed);
    return font;
}
