#include "Pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace pictures {

namespace {

const QColor blue(0x1f, 0x4e, 0xc8);
const QColor red(0xd0, 0x20, 0x20);

QPixmap canvas() {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    return pm;
}

} // namespace

QPixmap commandPicture(Shape shape, const QColor& colour) {
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    switch (shape) {
    case Shape::Plus:
        p.drawRoundedRect(QRectF(6.5, 2, 3, 12), 1, 1);
        p.drawRoundedRect(QRectF(2, 6.5, 12, 3), 1, 1);
        break;
    case Shape::Minus:
        p.drawRoundedRect(QRectF(2, 6.5, 12, 3), 1, 1);
        break;
    case Shape::Floppy: {
        QPainterPath body;
        body.moveTo(1.5, 1.5);
        body.lineTo(12.5, 1.5);
        body.lineTo(14.5, 3.5);
        body.lineTo(14.5, 14.5);
        body.lineTo(1.5, 14.5);
        body.closeSubpath();
        p.drawPath(body);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 2.5, 8, 5));       // the white label
        p.setBrush(colour.darker(140));
        p.drawRect(QRectF(4.5, 10, 7, 4.5));    // the shutter
        break;
    }
    }
    return pm;
}

QIcon commandIcon(Shape shape) {
    QIcon icon;
    icon.addPixmap(commandPicture(shape, blue), QIcon::Normal);
    icon.addPixmap(commandPicture(shape, red), QIcon::Active);
    return icon;
}

QIcon browserIcon() {
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1f, 0x6e, 0xb8), 1.2));
    p.setBrush(QColor(0xcf, 0xe6, 0xfa));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.drawEllipse(QRectF(5, 1.5, 6, 13));
    p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
    p.drawLine(QPointF(3, 4.5), QPointF(13, 4.5));
    p.drawLine(QPointF(3, 11.5), QPointF(13, 11.5));
    return QIcon(pm);
}

QIcon copyIcon() {
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(Qt::white);
    p.drawRect(1, 1, 8, 10);
    p.drawRect(6, 5, 8, 10);
    p.setPen(QColor(0x80, 0x80, 0x80));
    for (int y = 8; y <= 12; y += 2)
        p.drawLine(8, y, 12, y);
    return QIcon(pm);
}

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        // A key over a card: log-in data of suppliers.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1f, 0x4e, 0xc8));
        p.drawRoundedRect(QRectF(1, 3, 14, 10), 2, 2);
        p.setBrush(QColor(0xf2, 0xc2, 0x30));
        p.drawEllipse(QRectF(3, 5.5, 5, 5));
        p.drawRect(QRectF(7, 7.2, 6, 1.6));
        p.drawRect(QRectF(11, 8.5, 1.4, 2));
        p.setBrush(QColor(0x1f, 0x4e, 0xc8));
        p.drawEllipse(QRectF(4.6, 7.1, 1.8, 1.8));
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace pictures
