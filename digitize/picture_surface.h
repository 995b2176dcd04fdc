#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

// The picture area's drawing surface: what the window shows and what the
// trace and the point read-out read, pixel for pixel.
namespace PictureSurface {

// The interior of the main window's picture box (and of the graph window's).
inline constexpr QSize Size(1005, 805);
// The main window's picture area around and beyond a loaded picture.
inline constexpr QRgb Background = 0xffc0c0c0;

// A surface of the given size filled with the background colour, with the
// picture unscaled at its top left, clipped to the surface. Transparent
// picture pixels show the background, as on screen.
QImage compose(const QImage &picture, QSize size = Size, QColor background = QColor::fromRgb(Background));

// The surface the command-line tracer reads: as the window's for a picture
// that fits the picture area, and the whole picture for a larger one.
QImage composeWhole(const QImage &picture);

} // namespace PictureSurface
