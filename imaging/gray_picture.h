#pragma once

#include <QImage>

// The picture in grey levels; outside it is white.
class GrayPicture
{
public:
    static constexpr int Ink = 160;     // darker than this is ink: axis lines, ticks, label text
    static constexpr int CoreInk = 100; // the core of a stroke, inside its antialiased rim

    explicit GrayPicture(const QImage &picture) : m_image(picture.convertToFormat(QImage::Format_Grayscale8)) {}
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width() && y < height(); }
    int at(int x, int y) const { return contains(x, y) ? m_image.constScanLine(y)[x] : 255; }

private:
    QImage m_image;
};
