#pragma once

#include <QObject>
#include <QRectF>

#include <functional>
#include <optional>
#include <vector>

class PictureBox;

// The rectangles in which no trace reads anything (a legend, a text block,
// an inset), drawn over the picture as a translucent overlay, never into
// the surface, with the one a drag is drawing now.
class ExclusionAreas : public QObject
{
    Q_OBJECT

public:
    using Rects = std::function<const std::vector<QRectF> &()>;
    ExclusionAreas(PictureBox *picture, Rects rects, QObject *parent);

    // The rectangle a drag is drawing, or none.
    void showDrawing(std::optional<QRectF> rect);

private:
    PictureBox *m_picture;
    Rects m_rects;
    std::optional<QRectF> m_drawing;
};
