#include "reading/SuttaTreeIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace {

QPainterPath starPath(QPointF centre, qreal outer, qreal inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2) ? inner : outer;
        const qreal a = qDegreesToRadians(-90.0 + i * 36.0);
        const QPointF p(centre.x() + r * qCos(a), centre.y() + r * qSin(a));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

void drawStar(QPainter &p, QPointF centre, qreal outer)
{
    p.setPen(QPen(QColor(0xb3, 0x5c, 0x00), 0.8));
    p.setBrush(QColor(0xff, 0xb0, 0x20));
    p.drawPath(starPath(centre, outer, outer * 0.45));
}

void drawBook(QPainter &p)
{
    // Two facing pages opened from a spine in the middle.
    p.setPen(QPen(QColor(0x3a, 0x4a, 0x7a), 1.0));
    p.setBrush(QColor(0xf4, 0xf1, 0xe6));
    QPainterPath left, right;
    left.moveTo(8, 5); left.quadTo(5, 3, 1, 4); left.lineTo(1, 13); left.quadTo(5, 12, 8, 14); left.closeSubpath();
    right.moveTo(8, 5); right.quadTo(11, 3, 15, 4); right.lineTo(15, 13); right.quadTo(11, 12, 8, 14); right.closeSubpath();
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QPen(QColor(0x8a, 0x94, 0xb0), 0.7));
    for (int y : {7, 9, 11}) {
        p.drawLine(QPointF(2.5, y), QPointF(6.5, y + 0.6));
        p.drawLine(QPointF(9.5, y + 0.6), QPointF(13.5, y));
    }
}

QIcon paint(bool book, bool star)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (book)
        drawBook(p);
    if (star)
        drawStar(p, book ? QPointF(11.5, 4.5) : QPointF(8, 8.5), book ? 4.5 : 7.5);
    p.end();
    return QIcon(pm);
}

} // namespace

namespace SuttaTreeIcons {

QIcon Favourite()
{
    static const QIcon icon = paint(false, true);
    return icon;
}

QIcon OtherTranslation()
{
    static const QIcon icon = paint(true, false);
    return icon;
}

QIcon Both()
{
    static const QIcon icon = paint(true, true);
    return icon;
}

QIcon ForStatus(int fav)
{
    switch (fav) {
    case 1: return Favourite();
    case 2: return Both();
    case 3: return OtherTranslation();
    default: return QIcon();
    }
}

} // namespace SuttaTreeIcons
