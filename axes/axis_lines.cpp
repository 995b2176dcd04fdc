#include "axes/axis_lines.h"

#include <algorithm>
#include <cmath>

#include <QPoint>

namespace {

constexpr int Marked = 236;       // darker than this marks a tick, light grid lines included
constexpr double LongLine = 0.3; // an axis line spans at least this share of the picture

} // namespace

// Long dark runs along rows (horizontal) or columns, grouped into lines.
std::vector<AxisLine> longLines(const GrayPicture &g, bool horizontal, int ink)
{
    const int across = horizontal ? g.height() : g.width();
    const int along = horizontal ? g.width() : g.height();
    const int minimum = std::max(40, int(LongLine * along));
    std::vector<AxisLine> lines;
    double weightedSum = 0, weightSum = 0;
    for (int i = 0; i < across; ++i) {
        int best = 0, bestStart = 0, run = 0;
        double darkness = 0, bestDarkness = 0;
        for (int j = 0; j <= along; ++j) {
            const int v = j < along ? (horizontal ? g.at(j, i) : g.at(i, j)) : 255;
            if (v < ink) {
                ++run;
                darkness += 255 - v;
            } else {
                if (run > best) {
                    best = run;
                    bestStart = j - run;
                    bestDarkness = darkness;
                }
                run = 0;
                darkness = 0;
            }
        }
        if (best < minimum)
            continue;
        if (!lines.empty() && lines.back().last == i - 1) {
            AxisLine &l = lines.back();
            l.last = i;
            l.from = std::min(l.from, bestStart);
            l.to = std::max(l.to, bestStart + best - 1);
        } else {
            weightedSum = weightSum = 0;
            lines.push_back({i, i, double(i), bestStart, bestStart + best - 1});
        }
        weightedSum += i * bestDarkness;
        weightSum += bestDarkness;
        lines.back().centre = weightedSum / weightSum;
    }
    return lines;
}

// Ticks along a line: places where marks leave the line's band on either side,
// each at its darkness-weighted centre.
std::vector<double> ticksAlong(const GrayPicture &g, const AxisLine &line, const std::vector<AxisLine> &across, bool horizontal,
                               int gap)
{
    auto pixel = [&](int along, int across) { return horizontal ? g.at(along, across) : g.at(across, along); };
    // Three marked pixels in a row, beginning next to the band or, with a
    // gap, a little apart from it.
    auto markedSide = [&](int along, int edge, int direction) {
        for (int start = 2; start <= 2 + gap; ++start) {
            bool marked = true;
            for (int k = start; k < start + 3 && marked; ++k)
                marked = pixel(along, edge + direction * k) < Marked;
            if (marked)
                return 255 - pixel(along, edge + direction * (start + 1));
            // A mark that begins at the band is a tick or nothing.
            if (start == 2 && pixel(along, edge + direction * 2) < Marked)
                return 0;
        }
        return 0;
    };
    auto crossingAt = [&](int a) {
        return std::any_of(across.begin(), across.end(), [a](const AxisLine &l) { return a >= l.first && a <= l.last; });
    };
    std::vector<double> ticks;
    double sum = 0, weights = 0;
    for (int a = line.from; a <= line.to + 1; ++a) {
        // A frame or axis line crossing this one is no tick, though a tick drawn beside it is.
        const bool crossing = crossingAt(a);
        const int w = a <= line.to && !crossing ? std::max(markedSide(a, line.first, -1), markedSide(a, line.last, 1)) : 0;
        if (w > 0) {
            sum += a * double(w);
            weights += w;
        } else if (weights > 0) {
            ticks.push_back(sum / weights);
            sum = weights = 0;
        }
    }
    return ticks;
}

// The tilt of a horizontal line, from the darkness-weighted centre of its
// band along each end.
double tilt(const GrayPicture &g, const AxisLine &line)
{
    auto centreAt = [&](int x) {
        double sum = 0, weights = 0;
        for (int y = line.first - 3; y <= line.last + 3; ++y) {
            const int w = 255 - g.at(x, y);
            sum += y * double(w);
            weights += w;
        }
        return weights > 0 ? sum / weights : double(line.first);
    };
    // The median over a fifth of the line at each end, so that a tick or a
    // curve touching the line does not tilt it.
    auto medianCentre = [&](int from, int to) {
        std::vector<double> centres;
        for (int x = from; x < to; ++x)
            centres.push_back(centreAt(x));
        std::nth_element(centres.begin(), centres.begin() + centres.size() / 2, centres.end());
        return centres[centres.size() / 2];
    };
    const int fifth = (line.to - line.from) / 5;
    if (fifth < 2)
        return 0;
    const double left = medianCentre(line.from, line.from + fifth), right = medianCentre(line.to - fifth, line.to);
    return std::atan2(left - right, double(line.to - line.from - fifth)) * 180 / M_PI;
}

std::optional<double> turnedLineAngle(const GrayPicture &g)
{
    // From each row, follow the ink rightwards, stepping to the darkest of
    // the row and its two neighbours; keep the longest such path.
    // Rows with no ink start no path (a blank page costs one pass).
    std::vector<int> inkInRow(size_t(g.height()), 0);
    for (int y = 0; y < g.height(); ++y) {
        for (int x = 0; x < g.width(); ++x)
            inkInRow[size_t(y)] += g.at(x, y) < GrayPicture::Ink;
    }
    std::vector<QPoint> longest, path;
    for (int i = 0; i < g.height(); ++i) {
        if (inkInRow[size_t(i)] == 0)
            continue;
        path.clear();
        int y = i;
        for (int x = 0; x <= g.width(); ++x) {
            int darkest = y;
            for (int dy = -1; dy <= 1; ++dy) {
                if (g.at(x, y + dy) < g.at(x, darkest))
                    darkest = y + dy;
            }
            if (x < g.width() && g.at(x, darkest) < GrayPicture::Ink) {
                y = darkest;
                path.emplace_back(x, y);
                continue;
            }
            if (path.size() > longest.size())
                longest = path;
            path.clear();
            y = i;
        }
    }
    if (longest.size() < size_t(std::max(40.0, LongLine * g.width())))
        return std::nullopt;
    // A straight line through the darkness-weighted centres of its columns.
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const QPoint &p : longest) {
        double sum = 0, weights = 0;
        for (int y = p.y() - 2; y <= p.y() + 2; ++y) {
            sum += y * double(255 - g.at(p.x(), y));
            weights += 255 - g.at(p.x(), y);
        }
        const double centre = sum / weights;
        n += 1, sx += p.x(), sy += centre, sxx += double(p.x()) * p.x(), sxy += p.x() * centre;
    }
    const double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    return -std::atan(slope) * 180 / M_PI;
}
