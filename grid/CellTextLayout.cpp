#include "grid/CellTextLayout.h"

CellTextPlacement placeCellText(const QFontMetrics& metrics, const QRect& textRect, const QString& text,
                                Qt::Alignment alignment) {
    CellTextPlacement placement;
    const int width = metrics.horizontalAdvance(text);
    if (width <= textRect.width()) {
        placement.shown = text;
        placement.keptWidth = width;
        placement.left = alignment & Qt::AlignRight     ? textRect.left() + textRect.width() - width
                         : alignment & Qt::AlignHCenter ? textRect.left() + (textRect.width() - width) / 2
                                                        : textRect.left();
        return placement;
    }
    placement.left = textRect.left();
    placement.shown = metrics.elidedText(text, Qt::ElideRight, textRect.width());
    QString kept = placement.shown;
    if (kept.endsWith(QChar(0x2026)))
        kept.chop(1);
    placement.keptWidth = metrics.horizontalAdvance(kept);
    return placement;
}
