#include "digitize/axis_finder.h"

#include "calibration/number_text.h"
#include "calibration/tick_labels.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr int Ink = 160;    // darker than this is ink: axis lines, ticks, label text
constexpr int Marked = 236; // darker than this marks a tick, light grid lines included
constexpr double LongLine = 0.3; // an axis line spans at least this share of the picture

class Gray
{
public:
    explicit Gray(const QImage &picture) : m_image(picture.convertToFormat(QImage::Format_Grayscale8)) {}
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
std::vector<AxisLine> longLines(const Gray &g, bool horizontal)
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
            if (v < Ink) {
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
std::vector<double> ticksAlong(const Gray &g, const AxisLine &line, const std::vector<AxisLine> &across, bool horizontal)
{
    auto pixel = [&](int along, int across) { return horizontal ? g.at(along, across) : g.at(across, along); };
    auto markedSide = [&](int along, int edge, int direction) {
        for (int k = 2; k <= 4; ++k) {
            if (pixel(along, edge + direction * k) >= Marked)
                return 0;
        }
        return 255 - pixel(along, edge + direction * 3);
    };
    std::vector<double> ticks;
    double sum = 0, weights = 0;
    for (int a = line.from; a <= line.to + 1; ++a) {
        // A frame or axis line crossing this one is no tick, though a tick drawn beside it is.
        const bool crossing = std::any_of(across.begin(), across.end(), [a](const AxisLine &l) { return a >= l.first && a <= l.last; });
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
double tilt(const Gray &g, const AxisLine &line)
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

// A connected piece of ink and its pixels.
struct Piece
{
    QRect box;
    std::vector<QPoint> pixels;
};

std::vector<Piece> inkPieces(const Gray &g, const QRect &region)
{
    const QRect r = region.intersected(QRect(0, 0, g.width(), g.height()));
    std::vector<char> seen(size_t(std::max(0, r.width() * r.height())), 0);
    auto index = [&](int x, int y) { return size_t((y - r.top()) * r.width() + (x - r.left())); };
    std::vector<Piece> pieces;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (seen[index(x, y)] || g.at(x, y) >= Ink)
                continue;
            Piece piece;
            std::vector<QPoint> stack{{x, y}};
            seen[index(x, y)] = 1;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                piece.pixels.push_back(p);
                piece.box |= QRect(p, QSize(1, 1));
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const QPoint q(p.x() + dx, p.y() + dy);
                        if (r.contains(q) && !seen[index(q.x(), q.y())] && g.at(q.x(), q.y()) < Ink) {
                            seen[index(q.x(), q.y())] = 1;
                            stack.push_back(q);
                        }
                    }
                }
            }
            if (piece.pixels.size() < 100000)
                pieces.push_back(std::move(piece));
        }
    }
    return pieces;
}

bool overlaps(int a0, int a1, int b0, int b1, int slack = 0) { return a0 <= b1 + slack && b0 <= a1 + slack; }

// Keeps the pieces of the label row (or column) nearest the axis: those that
// overlap, directly or through others, the pieces closest to it.
std::vector<Piece> nearestBand(std::vector<Piece> pieces, bool below)
{
    if (pieces.empty())
        return pieces;
    auto near = [&](const Piece &p) { return below ? p.box.top() : -p.box.right(); };
    auto low = [&](const QRect &b) { return below ? b.top() : b.left(); };
    auto high = [&](const QRect &b) { return below ? b.bottom() : b.right(); };
    int nearest = INT_MAX;
    for (const Piece &p : pieces)
        nearest = std::min(nearest, near(p));
    int bandLow = INT_MAX, bandHigh = INT_MIN;
    for (const Piece &p : pieces) {
        if (near(p) <= nearest + 4) {
            bandLow = std::min(bandLow, low(p.box));
            bandHigh = std::max(bandHigh, high(p.box));
        }
    }
    // Characters of one label lie up to about half a character apart.
    std::vector<int> heights;
    for (const Piece &p : pieces)
        heights.push_back(p.box.height());
    std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
    const int slack = std::max(3, heights[heights.size() / 2] / 2);
    std::vector<Piece> kept;
    for (bool grew = true; grew;) {
        grew = false;
        for (auto it = pieces.begin(); it != pieces.end();) {
            if (overlaps(low(it->box), high(it->box), bandLow, bandHigh, slack)) {
                bandLow = std::min(bandLow, low(it->box));
                bandHigh = std::max(bandHigh, high(it->box));
                kept.push_back(std::move(*it));
                it = pieces.erase(it);
                grew = true;
            } else {
                ++it;
            }
        }
    }
    return kept;
}

// Groups pieces into labels: along the X axis by small horizontal gaps,
// beside the Y axis by overlapping rows.
std::vector<std::vector<Piece>> labelGroups(std::vector<Piece> pieces, bool xAxis)
{
    std::sort(pieces.begin(), pieces.end(), [&](const Piece &a, const Piece &b) {
        return xAxis ? a.box.left() < b.box.left() : a.box.top() < b.box.top();
    });
    std::vector<std::vector<Piece>> groups;
    QRect groupBox;
    for (Piece &p : pieces) {
        bool joins = false;
        if (!groups.empty()) {
            if (xAxis) {
                const int gap = p.box.left() - groupBox.right() - 1;
                joins = gap <= std::max(2, int(0.45 * groupBox.height()));
            } else {
                joins = overlaps(p.box.top(), p.box.bottom(), groupBox.top(), groupBox.bottom());
            }
        }
        if (!joins) {
            groups.emplace_back();
            groupBox = QRect();
        }
        groupBox |= p.box;
        groups.back().push_back(std::move(p));
    }
    return groups;
}

// Splits a label into its main line and its raised part (an exponent): the
// pieces right of the first main piece that end well above the baseline,
// with any raised sign just before them.
LabelBox splitLabel(const std::vector<Piece> &group, std::vector<bool> &raised)
{
    LabelBox label;
    int baseline = INT_MIN, tallest = 0;
    for (const Piece &p : group) {
        label.box |= p.box;
        baseline = std::max(baseline, p.box.bottom());
        tallest = std::max(tallest, p.box.height());
    }
    int firstMainRight = INT_MAX;
    for (const Piece &p : group) {
        if (p.box.bottom() >= baseline - 2) {
            firstMainRight = std::min(firstMainRight, p.box.right());
        }
    }
    raised.assign(group.size(), false);
    const int highBottom = baseline - int(0.35 * tallest);
    for (size_t i = 0; i < group.size(); ++i) {
        const QRect &b = group[i].box;
        raised[i] = b.bottom() < highBottom && b.left() > firstMainRight;
    }
    for (size_t i = 0; i + 1 < group.size(); ++i) {
        const QRect &b = group[i].box;
        if (!raised[i] && raised[i + 1] && b.bottom() < highBottom && b.left() > firstMainRight)
            raised[i] = true;
    }
    for (size_t i = 0; i < group.size(); ++i)
        (raised[i] ? label.raised : label.main) |= group[i].box;
    return label;
}

// The pieces alone, dark on white with a margin, as a text reader wants them.
QImage pieceImage(const Gray &g, const std::vector<Piece> &group, const std::vector<bool> &take, bool raised)
{
    QRect box;
    for (size_t i = 0; i < group.size(); ++i) {
        if (take[i] == raised)
            box |= group[i].box;
    }
    if (box.isEmpty())
        return {};
    constexpr int Margin = 4;
    QImage image(box.size() + QSize(2 * Margin, 2 * Margin), QImage::Format_Grayscale8);
    image.fill(255);
    for (size_t i = 0; i < group.size(); ++i) {
        if (take[i] != raised)
            continue;
        // The piece's antialiased rim lies outside its ink: copy its box's lighter pixels too.
        for (int y = group[i].box.top() - 1; y <= group[i].box.bottom() + 1; ++y) {
            for (int x = group[i].box.left() - 1; x <= group[i].box.right() + 1; ++x) {
                const QPoint at(x - box.left() + Margin, y - box.top() + Margin);
                if (QRect(QPoint(), image.size()).contains(at))
                    image.scanLine(at.y())[at.x()] = uchar(std::min<int>(image.scanLine(at.y())[at.x()], g.at(x, y)));
            }
        }
    }
    return image;
}

struct ReadLabel
{
    LabelBox box;
    QString text;
};

// The text of one part of a label, or nothing when it has fewer characters
// than the part has pieces of ink (touching characters make one piece, so
// more characters than pieces are fine).
QString readPart(const LabelReader &read, const QImage &image, int pieces)
{
    QString text = read(image, pieces);
    text.remove(u' ');
    return text.size() >= pieces ? text : QString();
}

std::vector<ReadLabel> readLabels(const Gray &g, std::vector<Piece> pieces, bool xAxis, const LabelReader *read)
{
    std::vector<ReadLabel> out;
    for (const auto &group : labelGroups(nearestBand(std::move(pieces), xAxis), xAxis)) {
        std::vector<bool> raised;
        ReadLabel label{splitLabel(group, raised), {}};
        if (read) {
            const int raisedPieces = int(std::count(raised.begin(), raised.end(), true));
            const int mainPieces = int(group.size()) - raisedPieces;
            const QString main = readPart(*read, pieceImage(g, group, raised, false), mainPieces);
            const QString high = raisedPieces ? readPart(*read, pieceImage(g, group, raised, true), raisedPieces) : QString();
            // A part read incompletely (a lost decimal point or minus sign, an
            // exponent not read) would give a wrong value: the label is left out.
            if (!main.isEmpty() && (raisedPieces == 0 || !high.isEmpty()))
                label.text = raisedPieces ? main + u'^' + high : main;
        }
        out.push_back(label);
    }
    return out;
}

struct Geometry
{
    AxesGeometry axes;
    std::vector<ReadLabel> xLabels, yLabels;
};

std::optional<Geometry> geometry(const Gray &g, QString *failure, const LabelReader *read)
{
    const auto rows = longLines(g, true);
    const auto columns = longLines(g, false);
    if (rows.empty() || columns.empty()) {
        *failure = rows.empty() ? QStringLiteral("no X axis line found") : QStringLiteral("no Y axis line found");
        return std::nullopt;
    }
    const AxisLine xLine = rows.back();     // the lowest long horizontal line
    const AxisLine yLine = columns.front(); // the leftmost long vertical line
    if (!overlaps(yLine.first - 3, yLine.last + 3, xLine.from, xLine.to)
        || !overlaps(xLine.first - 3, xLine.last + 3, yLine.from, yLine.to)) {
        *failure = QStringLiteral("the X and Y axis lines do not meet");
        return std::nullopt;
    }
    Geometry out;
    AxesGeometry &a = out.axes;
    a.xAxisRow = xLine.centre;
    a.yAxisColumn = yLine.centre;
    a.xAxisLeft = xLine.from;
    a.xAxisRight = xLine.to;
    a.yAxisTop = yLine.from;
    a.yAxisBottom = yLine.to;
    a.angle = tilt(g, xLine);
    a.xTicks = ticksAlong(g, xLine, columns, true);
    a.yTicks = ticksAlong(g, yLine, rows, false);
    // A frame or axis line crossing an axis often stands where a tick would:
    // at the axis limit. It is a tick for a label centred on it with no drawn tick near.
    auto crossings = [](const std::vector<AxisLine> &across, const AxisLine &line) {
        std::vector<double> out;
        for (const AxisLine &l : across) {
            if (l.centre >= line.from && l.centre <= line.to)
                out.push_back(l.centre);
        }
        return out;
    };
    a.xCrossings = crossings(columns, xLine);
    a.yCrossings = crossings(rows, yLine);

    // Labels lie in a band below the X axis and left of the Y axis. Pieces
    // touching the band's edge next to the axis are outward ticks or the
    // other axis's labels cut by the band, and are left out.
    const QRect below(QPoint(xLine.from - 60, xLine.last + 2), QPoint(xLine.to + 60, xLine.last + 70));
    const QRect left(QPoint(yLine.first - 200, yLine.from - 30), QPoint(yLine.first - 2, yLine.to + 30));
    auto notTick = [](const QRect &band, bool xAxis) {
        return [band, xAxis](const Piece &p) {
            return xAxis ? p.box.top() == band.top() : p.box.right() == band.right();
        };
    };
    auto pieces = inkPieces(g, below);
    pieces.erase(std::remove_if(pieces.begin(), pieces.end(), notTick(below, true)), pieces.end());
    out.xLabels = readLabels(g, std::move(pieces), true, read);
    pieces = inkPieces(g, left);
    pieces.erase(std::remove_if(pieces.begin(), pieces.end(), notTick(left, false)), pieces.end());
    out.yLabels = readLabels(g, std::move(pieces), false, read);
    for (const ReadLabel &l : out.xLabels)
        a.xLabels.push_back(l.box);
    for (const ReadLabel &l : out.yLabels)
        a.yLabels.push_back(l.box);
    return out;
}

// Each label read as a number, on the tick nearest its centre.
std::vector<AxisTick> labelledTicks(const std::vector<ReadLabel> &labels, const std::vector<double> &ticks,
                                    const std::vector<double> &crossings, bool xAxis)
{
    std::vector<AxisTick> out;
    for (const ReadLabel &l : labels) {
        const auto value = tickLabelValue(l.text);
        if (!value)
            continue;
        const QRectF box(l.box.box);
        const double centre = xAxis ? box.center().x() : box.center().y();
        const double reach = std::max(6.0, (xAxis ? box.width() : box.height()) / 2 + 2);
        auto nearestWithinReach = [&](const std::vector<double> &candidates) -> std::optional<double> {
            const auto nearest = std::min_element(candidates.begin(), candidates.end(), [&](double a, double b) {
                return std::abs(a - centre) < std::abs(b - centre);
            });
            if (nearest == candidates.end() || std::abs(*nearest - centre) > reach)
                return std::nullopt;
            return *nearest;
        };
        if (const auto tick = nearestWithinReach(ticks))
            out.push_back({*tick, *value});
        else if (const auto crossing = nearestWithinReach(crossings))
            out.push_back({*crossing, *value});
    }
    return out;
}

} // namespace

CornerTexts FoundAxes::texts() const
{
    return {formatShortestNumber(xs), formatShortestNumber(ys), formatShortestNumber(xe), formatShortestNumber(ye)};
}

std::optional<AxesGeometry> findAxesGeometry(const QImage &picture, QString *failure)
{
    QString reason;
    const auto g = geometry(Gray(picture), &reason, nullptr);
    if (failure)
        *failure = reason;
    return g ? std::optional<AxesGeometry>(g->axes) : std::nullopt;
}

FoundAxes findAxes(const QImage &picture, const LabelReader &read)
{
    FoundAxes found;
    if (picture.isNull()) {
        found.failure = QStringLiteral("no picture");
        return found;
    }
    const Gray g(picture);
    const auto geo = geometry(g, &found.failure, &read);
    if (!geo)
        return found;
    if (geo->xLabels.empty() || geo->yLabels.empty()) {
        found.failure = geo->xLabels.empty() ? QStringLiteral("no tick labels read under the X axis")
                                             : QStringLiteral("no tick labels read left of the Y axis");
        return found;
    }
    const AxisFit x = fitAxis(labelledTicks(geo->xLabels, geo->axes.xTicks, geo->axes.xCrossings, true), QStringLiteral("X"));
    const AxisFit y = fitAxis(labelledTicks(geo->yLabels, geo->axes.yTicks, geo->axes.yCrossings, false), QStringLiteral("Y"));
    if (!x.found() || !y.found()) {
        found.failure = !x.found() ? x.failure : y.failure;
        return found;
    }
    const bool xLog = x.kind == AxisKind::Logarithmic;
    const bool yLog = y.kind == AxisKind::Logarithmic;
    if (xLog && !yLog) {
        found.failure = QStringLiteral("a logarithmic X axis with a linear Y axis is not one of the scales");
        return found;
    }
    found.scale = xLog ? AxisScale::LogLog : (yLog ? AxisScale::LinearLog : AxisScale::LinearLinear);
    // Rows grow downwards: the lowest Y tick is the last in pixel order.
    found.xs = x.agreeing.front().value;
    found.xe = x.agreeing.back().value;
    found.ys = y.agreeing.back().value;
    found.ye = y.agreeing.front().value;
    found.start = QPointF(x.pixelOf(found.xs), y.pixelOf(found.ys));
    found.end = QPointF(x.pixelOf(found.xe), y.pixelOf(found.ye));
    found.residual = std::max(x.residual, y.residual);
    found.angle = geo->axes.angle;
    return found;
}
