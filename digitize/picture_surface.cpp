#include "digitize/picture_surface.h"

#include <QPainter>

namespace {

// The surface paints text at 96 dots per inch, as the screen does.
constexpr int DotsPerMeter96 = 3780;

} // namespace

QImage PictureSurface::compose(const QImage &picture, QSize size, QColor background)
{
    // A picture that covers the whole surface is the surface: shared, not
    // copied (nothing is printed on a surface with a picture).
    if (picture.size() == size && picture.format() == QImage::Format_RGB32)
        return picture;
    QImage surface(size, QImage::Format_RGB32);
    surface.setDotsPerMeterX(DotsPerMeter96);
    surface.setDotsPerMeterY(DotsPerMeter96);
    surface.fill(background);
    if (!picture.isNull()) {
        QPainter painter(&surface);
        painter.drawImage(0, 0, picture);
    }
    return surface;
}

QImage PictureSurface::composeWhole(const QImage &picture)
{
    return compose(picture, picture.size().expandedTo(Size));
}
