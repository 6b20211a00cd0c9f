#include "icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

#include <functional>

namespace pel {
namespace {

QIcon drawn(const std::function<void(QPainter&)>& paint)
{
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        paint(p);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

QIcon disc(QColor fill, const std::function<void(QPainter&)>& mark = {})
{
    return drawn([fill, mark](QPainter& p) {
        p.setPen(QPen(fill.darker(140), 1));
        p.setBrush(fill);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        if (mark) {
            p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            mark(p);
        }
    });
}

} // namespace

QIcon statusIcon(int code)
{
    static const QIcon icons[6] = {
        disc(QColor(200, 30, 30), [](QPainter& p) { // none: a cross
            p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
            p.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
        }),
        disc(QColor(30, 150, 60), [](QPainter& p) { // in stock: a tick
            p.drawPolyline(QPolygonF({QPointF(4.5, 8.5), QPointF(7, 11), QPointF(11.5, 5)}));
        }),
        disc(QColor(240, 160, 0), [](QPainter& p) { // call us: a receiver
            p.drawArc(QRectF(4, 4, 8, 8), 200 * 16, 140 * 16);
            p.drawLine(QPointF(4.5, 9.5), QPointF(6, 11));
            p.drawLine(QPointF(11.5, 9.5), QPointF(10, 11));
        }),
        disc(QColor(40, 110, 200), [](QPainter& p) { // on the way: an arrow
            p.drawLine(QPointF(4, 8), QPointF(11.5, 8));
            p.drawPolyline(QPolygonF({QPointF(8.5, 5), QPointF(11.5, 8), QPointF(8.5, 11)}));
        }),
        disc(QColor(130, 60, 170), [](QPainter& p) { // special order: a star
            p.drawLine(QPointF(8, 4), QPointF(8, 12));
            p.drawLine(QPointF(4.5, 6), QPointF(11.5, 10));
            p.drawLine(QPointF(11.5, 6), QPointF(4.5, 10));
        }),
        disc(QColor(0, 150, 150), [](QPainter& p) { // being procured: a clock
            p.drawLine(QPointF(8, 4.5), QPointF(8, 8));
            p.drawLine(QPointF(8, 8), QPointF(10.5, 9.5));
        }),
    };
    if (code < 0 || code > 5)
        return neutralIcon();
    return icons[code];
}

QIcon neutralIcon()
{
    static const QIcon icon = drawn([](QPainter& p) {
        p.setPen(QPen(QColor(170, 170, 170), 1));
        p.setBrush(QColor(235, 235, 235));
        p.drawEllipse(QRectF(3.5, 3.5, 9, 9));
    });
    return icon;
}

QIcon pictureIcon()
{
    static const QIcon icon = drawn([](QPainter& p) {
        p.setPen(QPen(QColor(66, 66, 66), 1));
        p.setBrush(QColor(210, 240, 249));
        p.drawRect(QRectF(1.5, 3.5, 13, 10));
        p.setBrush(QColor(30, 150, 60));
        p.drawPolygon(QPolygonF({QPointF(2.5, 12.5), QPointF(6.5, 7), QPointF(9, 10),
                                 QPointF(10.5, 8.5), QPointF(13.5, 12.5)}));
        p.setBrush(QColor(240, 160, 0));
        p.drawEllipse(QRectF(10, 5, 2.5, 2.5));
    });
    return icon;
}

QIcon newIcon()
{
    static const QIcon icon = drawn([](QPainter& p) {
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const double r = i % 2 ? 3.2 : 7.2;
            const double a = -M_PI / 2 + i * M_PI / 5;
            const QPointF pt(8 + r * std::cos(a), 8.5 + r * std::sin(a));
            i ? star.lineTo(pt) : star.moveTo(pt);
        }
        star.closeSubpath();
        p.setPen(QPen(QColor(180, 120, 0), 1));
        p.setBrush(QColor(255, 200, 0));
        p.drawPath(star);
    });
    return icon;
}

QIcon campaignIcon()
{
    static const QIcon icon = drawn([](QPainter& p) {
        p.setPen(QPen(QColor(150, 10, 30), 1));
        p.setBrush(QColor(200, 16, 46));
        p.drawPolygon(QPolygonF({QPointF(1.5, 8), QPointF(7, 2.5), QPointF(14.5, 2.5),
                                 QPointF(14.5, 13.5), QPointF(7, 13.5)}));
        p.setPen(QPen(Qt::white, 1.5));
        p.drawText(QRectF(6, 2, 9, 12), Qt::AlignCenter, QStringLiteral("%"));
    });
    return icon;
}

QIcon searchIcon()
{
    static const QIcon icon = drawn([](QPainter& p) {
        p.setPen(QPen(QColor(0, 52, 120), 2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(2, 2, 8, 8));
        p.drawLine(QPointF(9, 9), QPointF(14, 14));
    });
    return icon;
}

} // namespace pel

namespace pel {

QIcon menuIcon()
{
    static const QIcon icon = drawn([](QPainter& p) {
        p.setPen(QPen(QColor(0, 52, 120), 2, Qt::SolidLine, Qt::RoundCap));
        for (double y : {4.0, 8.0, 12.0})
            p.drawLine(QPointF(3, y), QPointF(13, y));
    });
    return icon;
}

QPixmap logoPixmap(int height)
{
    const double s = height / 56.0;
    QPixmap pm(int(226 * s), height);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(s, s);
    // a gear in a red ring
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 16, 46));
    p.drawEllipse(QRectF(2, 2, 52, 52));
    p.setBrush(Qt::white);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(28, 28);
        p.rotate(i * 45);
        p.drawRect(QRectF(-4, -22, 8, 10));
        p.restore();
    }
    p.drawEllipse(QRectF(10, 10, 36, 36));
    p.setBrush(QColor(200, 16, 46));
    p.drawEllipse(QRectF(20, 20, 16, 16));
    // the name
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(26);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(62, 2, 164, 32), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("PELMORA"));
    f.setPixelSize(13);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    p.setFont(f);
    p.setPen(QColor(210, 240, 249));
    p.drawText(QRectF(63, 32, 164, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("OTOMOTİV B2B"));
    return pm;
}

} // namespace pel
