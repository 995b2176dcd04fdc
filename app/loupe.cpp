#include "app/loupe.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {

constexpr int Gap = 24; // between the pointer and the loupe
constexpr int TextHeight = 18;
constexpr int Side = (2 * Loupe::Radius + 1) * Loupe::Zoom;

} // namespace

Loupe::Loupe(QWidget *parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("Loupe"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(Side, Side + TextHeight);
    setAccessibleName(QStringLiteral("Loupe"));
}

QPoint Loupe::placeFor(QPoint pointer, QSize size, const QRect &screen)
{
    QPoint at = pointer + QPoint(Gap, Gap);
    if (at.x() + size.width() > screen.right() + 1)
        at.setX(pointer.x() - Gap - size.width());
    if (at.y() + size.height() > screen.bottom() + 1)
        at.setY(pointer.y() - Gap - size.height());
    at.setX(std::max(at.x(), screen.left()));
    at.setY(std::max(at.y(), screen.top()));
    return at;
}

void Loupe::showAt(const QImage &around, QPoint pixel, QPoint globalPointer)
{
    m_around = around;
    m_pixel = pixel;
    const QScreen *screen = QGuiApplication::screenAt(globalPointer);
    const QRect area = screen ? screen->availableGeometry() : QRect(QPoint(), QSize(1 << 20, 1 << 20));
    move(placeFor(globalPointer, size(), area));
    update();
    show();
}

void Loupe::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.drawImage(QRect(0, 0, Side, Side), m_around);
    // The pointer's pixel, outlined in two colours so that it shows on any picture.
    const QRect centre(Radius * Zoom, Radius * Zoom, Zoom, Zoom);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(centre.adjusted(-1, -1, 0, 0));
    painter.setPen(QPen(QColor(0, 120, 255), 1));
    painter.drawLine(0, centre.center().y(), centre.left() - 2, centre.center().y());
    painter.drawLine(centre.right() + 2, centre.center().y(), Side, centre.center().y());
    painter.drawLine(centre.center().x(), 0, centre.center().x(), centre.top() - 2);
    painter.drawLine(centre.center().x(), centre.bottom() + 2, centre.center().x(), Side);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(centre.adjusted(-2, -2, 1, 1));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(0, Side, Side, TextHeight), Qt::AlignCenter,
                     QStringLiteral("%1, %2").arg(m_pixel.x()).arg(m_pixel.y()));
}
