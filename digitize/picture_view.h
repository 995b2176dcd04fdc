#pragma once

#include <QPointF>
#include <QSize>
#include <QSizeF>

// How the picture area shows the surface: at a zoom, with the surface point
// `origin` at the view's top left. The specified view is zoom 1 at origin
// (0, 0), the surface unscaled from its top left.
struct PictureView
{
    static constexpr double MaxZoom = 16;
    static constexpr double Step = 1.25; // one wheel notch or Ctrl+Plus

    double zoom = 1;
    QPointF origin;

    bool isSpecified() const { return zoom == 1 && origin.isNull(); }

    // View position (in the view's pixels) of a surface position, and back.
    QPointF toView(QPointF surface) const { return (surface - origin) * zoom; }
    QPointF toSurface(QPointF view) const { return origin + view / zoom; }

    // Where a press at view position p lands: the pixel under it in the
    // specified view (as the picture area always read presses), the point
    // under the pointer, fractions kept, at any other.
    QPointF pressAt(QPointF view) const;

    // The least zoom: the whole surface in the view, or 1 if that is smaller.
    static double fitZoom(QSize surface, QSize view);

    // The zoom multiplied by `factor`, within [fitZoom, MaxZoom], keeping the
    // surface point under view position `anchor` where it is.
    PictureView zoomedAbout(QPointF anchor, double factor, QSize surface, QSize view) const;
    // Moved by (dx, dy) view pixels.
    PictureView pannedBy(QPointF delta, QSize surface, QSize view) const;
    // The whole surface in the view, centred.
    static PictureView fitted(QSize surface, QSize view);

    // The origin kept so that the view shows no more beyond the surface's
    // edges than a surface smaller than the view must.
    PictureView clamped(QSize surface, QSize view) const;

    friend bool operator==(const PictureView &, const PictureView &) = default;
};
