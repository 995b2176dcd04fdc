#include "digitize/picture_view.h"

#include <algorithm>
#include <cmath>

QPointF PictureView::pressAt(QPointF view) const
{
    const QPointF p = toSurface(view);
    if (isSpecified())
        return {std::floor(p.x()), std::floor(p.y())};
    return p;
}

double PictureView::fitZoom(QSize surface, QSize view)
{
    if (surface.isEmpty() || view.isEmpty())
        return 1;
    return std::min({1.0, double(view.width()) / surface.width(), double(view.height()) / surface.height()});
}

PictureView PictureView::zoomedAbout(QPointF anchor, double factor, QSize surface, QSize view) const
{
    PictureView next = *this;
    next.zoom = std::clamp(zoom * factor, fitZoom(surface, view), MaxZoom);
    // The surface point under the anchor stays under it.
    next.origin = toSurface(anchor) - anchor / next.zoom;
    return next.clamped(surface, view);
}

PictureView PictureView::pannedBy(QPointF delta, QSize surface, QSize view) const
{
    PictureView next = *this;
    next.origin = origin - delta / zoom;
    return next.clamped(surface, view);
}

PictureView PictureView::fitted(QSize surface, QSize view)
{
    PictureView next;
    next.zoom = fitZoom(surface, view);
    return next.clamped(surface, view);
}

PictureView PictureView::clamped(QSize surface, QSize view) const
{
    PictureView next = *this;
    const QSizeF shown(view.width() / zoom, view.height() / zoom);
    auto clampAxis = [](double origin, double surfaceLength, double shownLength) {
        if (shownLength >= surfaceLength) // all of it fits: centred
            return -(shownLength - surfaceLength) / 2;
        return std::clamp(origin, 0.0, surfaceLength - shownLength);
    };
    // In the specified view a surface smaller than the view stays at the top left.
    if (zoom == 1 && surface.width() <= view.width() && surface.height() <= view.height())
        return PictureView{1, QPointF()};
    next.origin = QPointF(clampAxis(origin.x(), surface.width(), shown.width()),
                          clampAxis(origin.y(), surface.height(), shown.height()));
    return next;
}
