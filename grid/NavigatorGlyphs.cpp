#include "grid/NavigatorGlyphs.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace {

constexpr int kSize = 12;

QPolygon triangle(bool pointingLeft, int x) {
    // 4 pixels wide, 7 high, centred vertically.
    return pointingLeft ? QPolygon({QPoint(x, 6), QPoint(x + 4, 2), QPoint(x + 4, 10)})
                        : QPolygon({QPoint(x + 4, 6), QPoint(x, 2), QPoint(x, 10)});
}

QPixmap drawGlyph(NavigatorButton button, QColor ink) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(ink);
    p.setBrush(ink);
    switch (button) {
    case NavigatorButton::First:
        p.fillRect(2, 2, 2, 9, ink);
        p.drawPolygon(triangle(true, 5));
        break;
    case NavigatorButton::Prior: p.drawPolygon(triangle(true, 4)); break;
    case NavigatorButton::Next: p.drawPolygon(triangle(false, 4)); break;
    case NavigatorButton::Last:
        p.drawPolygon(triangle(false, 3));
        p.fillRect(8, 2, 2, 9, ink);
        break;
    case NavigatorButton::Insert:
        p.fillRect(5, 2, 2, 8, ink);
        p.fillRect(2, 5, 8, 2, ink);
        break;
    case NavigatorButton::Delete: p.fillRect(2, 5, 8, 2, ink); break;
    case NavigatorButton::Cancel:
        p.setPen(QPen(ink, 2));
        p.drawLine(3, 3, 9, 9);
        p.drawLine(9, 3, 3, 9);
        break;
    }
    return pixmap;
}

} // namespace

QIcon navigatorGlyph(NavigatorButton button) {
    QIcon icon;
    icon.addPixmap(drawGlyph(button, Qt::black), QIcon::Normal);
    icon.addPixmap(drawGlyph(button, QColor(160, 160, 160)), QIcon::Disabled);
    return icon;
}
