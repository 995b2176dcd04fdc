#include "app/exclusion_areas.h"

#include "app/picture_box.h"

#include <QPainter>

namespace {

const QColor Fill(255, 140, 0, 70); // translucent orange: the chart stays readable beneath
const QColor Outline(255, 140, 0);

} // namespace

ExclusionAreas::ExclusionAreas(PictureBox *picture, Rects rects, QObject *parent)
    : QObject(parent)
    , m_picture(picture)
    , m_rects(std::move(rects))
{
    picture->addOverlay(
        [this](QPainter &painter) {
            painter.save();
            painter.setPen(QPen(Outline, 1));
            painter.setBrush(Fill);
            for (const QRectF &rect : m_rects())
                painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
            if (m_drawing)
                painter.drawRect(m_drawing->adjusted(0.5, 0.5, -0.5, -0.5));
            painter.restore();
        },
        true);
}

void ExclusionAreas::showDrawing(std::optional<QRectF> rect)
{
    m_drawing = rect;
    m_picture->overlayChanged();
}
