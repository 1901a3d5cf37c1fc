#include "app/ButtonGlyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QPixmap blankGlyph() {
    QPixmap pixmap(kGlyphWidth, kGlyphHeight);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap runGlyph() {
    QPixmap pixmap = blankGlyph();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    // The sheet, with a folded corner and ruled lines.
    QPainterPath sheet;
    sheet.moveTo(7.5, 2.5);
    sheet.lineTo(23.5, 2.5);
    sheet.lineTo(29.5, 8.5);
    sheet.lineTo(29.5, 29.5);
    sheet.lineTo(7.5, 29.5);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(QColor(250, 250, 245));
    p.drawPath(sheet);
    p.drawLine(QPointF(23.5, 2.5), QPointF(23.5, 8.5));
    p.drawLine(QPointF(23.5, 8.5), QPointF(29.5, 8.5));
    p.setPen(QPen(QColor(60, 90, 170), 1));
    for (int y = 12; y <= 26; y += 3)
        p.drawLine(QPointF(10.5, y + 0.5), QPointF(y < 18 ? 26.5 : 20.5, y + 0.5));

    // The green arrow that starts the posting.
    QPainterPath arrow;
    arrow.moveTo(22, 14);
    arrow.lineTo(32, 14);
    arrow.lineTo(32, 9);
    arrow.lineTo(43, 19.5);
    arrow.lineTo(32, 30);
    arrow.lineTo(32, 25);
    arrow.lineTo(22, 25);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(20, 100, 30), 1));
    p.setBrush(QColor(50, 170, 60));
    p.drawPath(arrow);
    return pixmap;
}

QPixmap cancelGlyph() {
    QPixmap pixmap = blankGlyph();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(130, 20, 20), 1));
    p.setBrush(QColor(205, 40, 40));
    p.drawEllipse(QPointF(kGlyphWidth / 2.0, kGlyphHeight / 2.0), 14, 14);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    const QPointF c(kGlyphWidth / 2.0, kGlyphHeight / 2.0);
    p.drawLine(c + QPointF(-6, -6), c + QPointF(6, 6));
    p.drawLine(c + QPointF(-6, 6), c + QPointF(6, -6));
    return pixmap;
}
