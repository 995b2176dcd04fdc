#include "app/picture_box.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWheelEvent>
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
    m_view = PictureView{};
    clearSurface();
}

void PictureBox::clearSurface()
{
    m_surface = PictureSurface::compose(m_picture, PictureSurface::Size.expandedTo(m_picture.size()), m_background);
    m_view = m_view.clamped(m_surface.size(), viewSize());
    update();
}

void PictureBox::setView(const PictureView &view)
{
    m_view = view.clamped(m_surface.size(), viewSize());
    update();
}

void PictureBox::zoomBy(double factor)
{
    const QSize view = viewSize();
    setView(m_view.zoomedAbout(QPointF(view.width() / 2.0, view.height() / 2.0), factor, m_surface.size(), view));
}

void PictureBox::showWhole()
{
    setView(PictureView::fitted(m_surface.size(), viewSize()));
}

void PictureBox::showActualSize()
{
    setView(PictureView{});
}

void PictureBox::wheelEvent(QWheelEvent *event)
{
    const PictureView before = m_view;
    const double notches = event->angleDelta().y() / 120.0;
    const QPointF at = event->position() - contentsRect().topLeft();
    if (event->modifiers() & Qt::ControlModifier) {
        setView(m_view.zoomedAbout(at, std::pow(PictureView::Step, notches), m_surface.size(), viewSize()));
    } else {
        // A notch pans a tenth of the area; Shift pans sideways.
        const double along = notches * viewSize().height() / 10.0;
        const QPointF delta = event->modifiers() & Qt::ShiftModifier ? QPointF(along, 0) : QPointF(0, along);
        setView(m_view.pannedBy(delta, m_surface.size(), viewSize()));
    }
    // A wheel that moved nothing here scrolls what holds the area (a small screen).
    event->setAccepted(!(m_view == before));
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

void PictureBox::paintSurface(QPainter &painter) const
{
    if (m_view.isSpecified()) {
        painter.drawImage(0, 0, m_surface);
        return;
    }
    const QRectF shown(m_view.origin, QSizeF(viewSize()) / m_view.zoom);
    if (m_view.zoom >= 1) {
        // Magnified: the shown part alone, its pixels as squares.
        painter.drawImage(QRectF(QPointF(), QSizeF(viewSize())), m_surface, shown);
        return;
    }
    // Reduced: scaled once for this view, not at every repaint.
    if (m_scaledKey != m_surface.cacheKey() || !(m_scaledView == m_view)) {
        m_scaled = m_surface.scaled((QSizeF(m_surface.size()) * m_view.zoom).toSize(), Qt::IgnoreAspectRatio,
                                    Qt::SmoothTransformation);
        m_scaledKey = m_surface.cacheKey();
        m_scaledView = m_view;
    }
    painter.drawImage(m_view.toView(QPointF()), m_scaled);
}

namespace {

// A line of text on a pale box, over the view at one of its corners.
void paintViewNote(QPainter &painter, const QString &text, const QSize &view, Qt::Corner corner)
{
    QFont font = painter.font();
    font.setPixelSize(12);
    font.setItalic(false);
    painter.setFont(font);
    QRect box = painter.fontMetrics().boundingRect(text).adjusted(-4, -2, 4, 2);
    if (corner == Qt::BottomRightCorner)
        box.moveBottomRight(QPoint(view.width() - 6, view.height() - 6));
    else
        box.moveTopLeft(QPoint(6, 6));
    painter.fillRect(box, QColor(255, 255, 220, 230));
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter, text);
}

} // namespace

void PictureBox::paintHint(QPainter &painter) const
{
    const QRectF shown(m_view.origin, QSizeF(viewSize()) / m_view.zoom);
    if (shown.contains(QRectF(QPointF(), QSizeF(m_surface.size()))) || m_picture.isNull())
        return;
    const QString hint = QCoreApplication::translate("Picture", "%1 × %2  Ctrl+0 で全体 (shows it whole)").arg(m_picture.width()).arg(m_picture.height());
    paintViewNote(painter, hint, viewSize(), Qt::BottomRightCorner);
}

void PictureBox::setNote(const QString &note)
{
    if (note == m_note)
        return;
    m_note = note;
    setAccessibleDescription(note);
    update();
}

void PictureBox::paintNote(QPainter &painter) const
{
    if (!m_note.isEmpty())
        paintViewNote(painter, m_note, viewSize(), Qt::TopLeftCorner);
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
    if (!m_view.isSpecified())
        painter.fillRect(QRect(QPoint(), viewSize()), m_background);
    paintSurface(painter);
    painter.save();
    painter.scale(m_view.zoom, m_view.zoom);
    painter.translate(-m_view.origin);
    paintOverlays(painter);
    painter.restore();
    paintHint(painter);
    paintNote(painter);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    QFrame::mousePressEvent(event);
    if (!contentsRect().contains(event->position().toPoint()))
        return; // a press on the border is not a press on the surface
    if (event->button() == Qt::MiddleButton)
        m_panFrom = event->position();
    const QPointF p = m_view.pressAt(event->position() - contentsRect().topLeft());
    emit pressed(float(p.x()), float(p.y()));
}

QPointF PictureBox::surfacePosition(const QMouseEvent *event) const
{
    const QPointF p = m_view.toSurface(event->position() - contentsRect().topLeft());
    return {std::clamp(p.x(), 0.0, double(m_surface.width())), std::clamp(p.y(), 0.0, double(m_surface.height()))};
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::MiddleButton)
        m_panFrom.reset();
    if (event->button() == Qt::LeftButton)
        emit released(surfacePosition(event));
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    QFrame::mouseMoveEvent(event);
    if (m_panFrom && (event->buttons() & Qt::MiddleButton)) {
        setView(m_view.pannedBy(event->position() - *m_panFrom, m_surface.size(), viewSize()));
        m_panFrom = event->position();
    }
    if (event->buttons() & Qt::LeftButton)
        emit dragged(surfacePosition(event));
    const QPoint at = event->position().toPoint();
    if (!contentsRect().contains(at)) {
        emit left();
        return;
    }
    const QPointF p = m_view.toSurface(event->position() - contentsRect().topLeft());
    emit hovered(QPoint(int(std::floor(p.x())), int(std::floor(p.y()))));
}

void PictureBox::leaveEvent(QEvent *event)
{
    QFrame::leaveEvent(event);
    emit left();
}
