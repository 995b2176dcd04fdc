#pragma once

#include "imaging/gray_picture.h"

#include <QImage>

#include <optional>
#include <vector>

// The picture in grey levels, and the long straight lines and tick marks
// finding the axes starts from.

// A straight axis line: the rows (or columns) of its band, its darkness-weighted
// centre and its extent along the line.
struct AxisLine
{
    int first = 0, last = 0;
    double centre = 0;
    int from = 0, to = 0;
};

// Long runs darker than `ink` along rows (horizontal) or columns, grouped into lines.
std::vector<AxisLine> longLines(const GrayPicture &g, bool horizontal, int ink = GrayPicture::Ink);

// How far apart from the plot area's edge some styles begin their ticks, in pixels.
constexpr int TickGap = 4;

// Ticks along a line: places where marks leave the line's band on either
// side (beginning up to `gap` pixels apart from it), each at its
// darkness-weighted centre; lines in `across` crossing it are none.
std::vector<double> ticksAlong(const GrayPicture &g, const AxisLine &line, const std::vector<AxisLine> &across,
                               bool horizontal, int gap = 0);

// The tilt of a horizontal line in degrees, counter-clockwise.
double tilt(const GrayPicture &g, const AxisLine &line);

// The tilt in degrees (counter-clockwise) of the longest dark line that runs
// across the picture's width from row to row, as the lines of a turned scan
// do; nothing when there is no such line.
std::optional<double> turnedLineAngle(const GrayPicture &g);
