#pragma once

#include <QImage>

#include <optional>
#include <vector>

// The picture in grey levels, and the long straight lines and tick marks
// finding the axes starts from.

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

// A straight axis line: the rows (or columns) of its band, its darkness-weighted
// centre and its extent along the line.
struct AxisLine
{
    int first = 0, last = 0;
    double centre = 0;
    int from = 0, to = 0;
};

// Long dark runs along rows (horizontal) or columns, grouped into lines.
std::vector<AxisLine> longLines(const GrayPicture &g, bool horizontal);

// Ticks along a line: places where marks leave the line's band on either
// side, each at its darkness-weighted centre; lines in `across` crossing it are none.
std::vector<double> ticksAlong(const GrayPicture &g, const AxisLine &line, const std::vector<AxisLine> &across,
                               bool horizontal);

// The tilt of a horizontal line in degrees, counter-clockwise.
double tilt(const GrayPicture &g, const AxisLine &line);

// The tilt in degrees (counter-clockwise) of the longest dark line that runs
// across the picture's width from row to row, as the lines of a turned scan
// do; nothing when there is no such line.
std::optional<double> turnedLineAngle(const GrayPicture &g);
