#pragma once

#include <QObject>
#include <QPointF>
#include <QRectF>

#include <optional>
#include <vector>

class PictureBox;

// The rectangles in which no trace reads anything (a legend, a text block,
// an inset). None exist until the user draws one: Ctrl+E arms a drag on the
// picture, which draws a rectangle as a translucent overlay, never into the
// surface.
class ExclusionAreas : public QObject
{
    Q_OBJECT

public:
    ExclusionAreas(PictureBox *picture, QObject *parent);

    const std::vector<QRectF> &rects() const { return m_rects; }
    void setRects(std::vector<QRectF> rects);
    void clear();

    // The next drag on the picture draws a rectangle.
    void arm();
    bool isArmed() const { return m_armed; }
    // A press on the picture: taken (true) when armed, as the drag's start.
    bool press(QPointF position);

signals:
    void changed();

private:
    void drag(QPointF position);
    void release(QPointF position);

    PictureBox *m_picture;
    std::vector<QRectF> m_rects;
    bool m_armed = false;
    std::optional<QPointF> m_from; // the drag's start while one is under way
    QRectF m_drawing;
};
