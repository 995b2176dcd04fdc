#include "app/exclusion_areas.h"

#include "app/picture_box.h"

#include <QPainter>

namespace {

const QColor Fill(255, 140, 0, 70); // translucent orange: the chart stays readable beneath
const QColor Outline(255, 140, 0);

// The whole pixels a drag from `a` to `b` covers, both ends included.
QRectF pixelsBetween(QPointF a, QPointF b)
{
    const QPointF topLeft(std::floor(std::min(a.x(), b.x())), std::floor(std::min(a.y(), b.y())));
    const QPointF bottomRight(std::floor(std::max(a.x(), b.x())) + 1, std::floor(std::max(a.y(), b.y())) + 1);
    return QRectF(topLeft, bottomRight);
}

} // namespace

ExclusionAreas::ExclusionAreas(PictureBox *picture, QObject *parent)
    : QObject(parent)
    , m_picture(picture)
{
    picture->addOverlay(
        [this](QPainter &painter) {
            painter.save();
            painter.setPen(QPen(Outline, 1));
            painter.setBrush(Fill);
            for (const QRectF &rect : m_rects)
                painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
            if (m_from)
                painter.drawRect(m_drawing.adjusted(0.5, 0.5, -0.5, -0.5));
            painter.restore();
        },
        true);
    connect(picture, &PictureBox::dragged, this, &ExclusionAreas::drag);
    connect(picture, &PictureBox::released, this, &ExclusionAreas::release);
}

void ExclusionAreas::setRects(std::vector<QRectF> rects)
{
    m_rects = std::move(rects);
    m_picture->overlayChanged();
    emit changed();
}

void ExclusionAreas::clear()
{
    m_armed = false;
    m_from.reset();
    setRects({});
}

void ExclusionAreas::arm()
{
    m_armed = true;
    m_picture->setCursor(Qt::CrossCursor);
}

bool ExclusionAreas::press(QPointF position)
{
    if (!m_armed)
        return false;
    m_from = position;
    m_drawing = pixelsBetween(position, position);
    m_picture->overlayChanged();
    return true;
}

void ExclusionAreas::drag(QPointF position)
{
    if (!m_from)
        return;
    m_drawing = pixelsBetween(*m_from, position);
    m_picture->overlayChanged();
}

void ExclusionAreas::release(QPointF position)
{
    if (!m_from)
        return;
    const QRectF rect = pixelsBetween(*m_from, position);
    m_from.reset();
    m_armed = false;
    m_rects.push_back(rect);
    m_picture->overlayChanged();
    emit changed();
}
