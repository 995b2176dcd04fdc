#include "app/icons.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QPixmap blank(const QColor &fill = Qt::transparent)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(fill);
    return pixmap;
}

} // namespace

namespace Icons {

QPixmap mainWindow()
{
    return QPixmap::fromImage(applicationIcon(32));
}

QImage applicationIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(255, 255, 255));
    QPainter p(&image);
    if (size != 32) {
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
    }
    p.setPen(QPen(QColor(0, 0, 128), 2));
    p.drawLine(4, 4, 4, 28);
    p.drawLine(4, 28, 29, 28);
    p.setPen(QPen(QColor(0, 0, 0), 2));
    QPainterPath curve(QPointF(5, 25));
    curve.cubicTo(12, 24, 16, 6, 28, 6);
    p.drawPath(curve);
    p.setPen(QPen(QColor(255, 0, 0), 1));
    p.drawLine(19, 12, 27, 12);
    p.drawLine(23, 8, 23, 16);
    return image;
}

QPixmap graphWindow()
{
    QPixmap pixmap = blank(QColor(255, 255, 255));
    QPainter p(&pixmap);
    p.setPen(QPen(QColor(0, 0, 0), 2));
    p.drawRect(4, 4, 24, 24);
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.drawLine(4, 16, 28, 16);
    p.drawLine(16, 4, 16, 28);
    p.setPen(QPen(QColor(255, 0, 0), 2));
    p.drawPolyline(QPolygon({QPoint(6, 25), QPoint(11, 20), QPoint(16, 21), QPoint(21, 11), QPoint(26, 7)}));
    return pixmap;
}

QPixmap exitButton()
{
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setPen(QPen(QColor(128, 64, 0), 1));
    p.setBrush(QColor(192, 128, 64));
    p.drawRect(6, 3, 14, 26);
    p.setBrush(QColor(255, 255, 0));
    p.drawEllipse(16, 15, 2, 2);
    p.setPen(QPen(QColor(0, 128, 0), 3));
    p.drawLine(14, 16, 28, 16);
    p.drawLine(28, 16, 23, 11);
    p.drawLine(28, 16, 23, 21);
    return pixmap;
}

QPixmap exitPointer()
{
    QPixmap pixmap = blank(QColor(255, 255, 255));
    QPainter p(&pixmap);
    p.setPen(QPen(QColor(0, 0, 128), 1));
    p.setBrush(QColor(255, 224, 192));
    p.drawRoundedRect(14, 10, 14, 14, 3, 3);
    p.drawRoundedRect(3, 12, 14, 5, 2, 2);
    p.setPen(QPen(QColor(0, 0, 255), 2));
    p.drawLine(4, 28, 12, 28);
    p.drawLine(4, 28, 7, 25);
    return pixmap;
}

namespace {

QPixmap folder(bool open)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(QColor(160, 120, 0), 1));
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(1, 2, 6, 2); // the tab
    p.drawRect(1, 4, 13, 9);
    if (open) {
        p.setBrush(QColor(255, 230, 140));
        p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 13), QPoint(1, 13)}));
    }
    return pixmap;
}

} // namespace

QPixmap openFolder()
{
    static const QPixmap pixmap = folder(true);
    return pixmap;
}

QPixmap closedFolder()
{
    static const QPixmap pixmap = folder(false);
    return pixmap;
}

} // namespace Icons
