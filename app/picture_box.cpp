#include "app/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

PictureBox::PictureBox(const QColor &background, QWidget *parent)
    : QFrame(parent)
    , m_background(background)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(BorderWidth);
    setFixedSize(BoxSize);
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::PreventContextMenu);
    clearSurface();
    // The marker lines are the first overlay, always on; each line has its own visibility.
    addOverlay(
        [this](QPainter &painter) {
            painter.setPen(QPen(QColor::fromRgb(MarkerColour), 1));
            for (const Marker &marker : m_markers) {
                if (marker.visible)
                    painter.drawLine(marker.line);
            }
        },
        true);
}

void PictureBox::setPicture(const QImage &picture)
{
    m_picture = picture;
    clearSurface();
}

void PictureBox::clearSurface()
{
    m_surface = PictureSurface::compose(m_picture, PictureSurface::Size, m_background);
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

int PictureBox::addOverlay(OverlayPainter painter, bool visible)
{
    m_overlays.push_back({std::move(painter), visible});
    update();
    return int(m_overlays.size()) - 1;
}

void PictureBox::setOverlayVisible(int id, bool visible)
{
    m_overlays[size_t(id)].visible = visible;
    update();
}

void PictureBox::paintOverlays(QPainter &painter) const
{
    for (const Overlay &overlay : m_overlays) {
        if (!overlay.visible)
            continue;
        painter.save();
        overlay.paint(painter);
        painter.restore();
    }
}

QImage PictureBox::rendered(const QRect &area) const
{
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(m_background);
    QPainter painter(&image);
    painter.translate(-area.topLeft());
    painter.drawImage(0, 0, m_surface);
    paintOverlays(painter);
    return image;
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect interior = contentsRect();
    painter.setClipRect(interior);
    painter.translate(interior.topLeft());
    painter.drawImage(0, 0, m_surface);
    paintOverlays(painter);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    QFrame::mousePressEvent(event);
    if (!contentsRect().contains(event->position().toPoint()))
        return; // a press on the border is not a press on the surface
    const QPointF p = event->position() - contentsRect().topLeft();
    emit pressed(float(std::floor(p.x())), float(std::floor(p.y())));
}

QPointF PictureBox::surfacePosition(const QMouseEvent *event) const
{
    const QPointF p = event->position() - contentsRect().topLeft();
    return {std::clamp(p.x(), 0.0, double(m_surface.width())), std::clamp(p.y(), 0.0, double(m_surface.height()))};
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit released(surfacePosition(event));
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    QFrame::mouseMoveEvent(event);
    if (event->buttons() & Qt::LeftButton)
        emit dragged(surfacePosition(event));
    const QPoint at = event->position().toPoint();
    if (!contentsRect().contains(at)) {
        emit left();
        return;
    }
    const QPointF p = event->position() - contentsRect().topLeft();
    emit hovered(QPoint(int(std::floor(p.x())), int(std::floor(p.y()))));
}

void PictureBox::leaveEvent(QEvent *event)
{
    QFrame::leaveEvent(event);
    emit left();
}
