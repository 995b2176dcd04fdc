#include "app/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

// The surface paints text at 96 dots per inch, as the screen does.
constexpr int DotsPerMeter96 = 3780;

} // namespace

PictureBox::PictureBox(const QSize &outerSize, const QColor &background, QWidget *parent)
    : QFrame(parent)
    , m_background(background)
    , m_surface(outerSize - QSize(2 * BorderWidth, 2 * BorderWidth), QImage::Format_RGB32)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(BorderWidth);
    setFixedSize(outerSize);
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::PreventContextMenu);
    m_surface.setDotsPerMeterX(DotsPerMeter96);
    m_surface.setDotsPerMeterY(DotsPerMeter96);
    clearSurface();
}

void PictureBox::setPicture(const QImage &picture)
{
    m_picture = picture;
    clearSurface();
}

void PictureBox::clearSurface()
{
    m_surface.fill(m_background);
    if (!m_picture.isNull()) {
        QPainter painter(&m_surface);
        painter.drawImage(0, 0, m_picture);
    }
    update();
}

void PictureBox::printText(float x, float y, const QString &text, const QColor &colour)
{
    QPainter painter(&m_surface);
    painter.setFont(font());
    painter.setPen(colour);
    painter.drawText(QPointF(x, y + painter.fontMetrics().ascent()), text);
    update();
}

void PictureBox::setMarker(int index, const QLineF &line)
{
    m_markers[size_t(index)].line = line;
    update();
}

void PictureBox::setMarkerVisible(int index, bool visible)
{
    m_markers[size_t(index)].visible = visible;
    update();
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect interior = contentsRect();
    painter.setClipRect(interior);
    painter.translate(interior.topLeft());
    painter.drawImage(0, 0, m_surface);
    painter.setPen(QPen(QColor(255, 0, 0), 1));
    for (const Marker &marker : m_markers) {
        if (marker.visible)
            painter.drawLine(marker.line);
    }
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    QFrame::mousePressEvent(event);
    if (!contentsRect().contains(event->position().toPoint()))
        return; // a press on the border is not a press on the surface
    const QPointF p = event->position() - contentsRect().topLeft();
    emit pressed(float(std::floor(p.x())), float(std::floor(p.y())));
}
