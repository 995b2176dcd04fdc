#include "axes/axis_finder.h"

#include "calibration/number_text.h"
#include "axes/tick_labels.h"
#include "axes/axis_lines.h"
#include "axes/digit_shapes.h"
#include "axes/label_pieces.h"
#include "axes/plot_panel.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

struct Geometry
{
    AxesGeometry axes;
    std::vector<ReadLabel> xLabels, yLabels;
    std::optional<ReadLabel> xEnd, yEnd; // the text at each axis end, where a multiplier or an offset stands
};

std::optional<Geometry> geometry(const GrayPicture &g, QString *failure, const LabelReader *read, int lineInk)
{
    const auto rows = longLines(g, true, lineInk);
    const auto columns = longLines(g, false, lineInk);
    if (rows.empty() || columns.empty()) {
        *failure = rows.empty() ? QStringLiteral("no X axis line found") : QStringLiteral("no Y axis line found");
        return std::nullopt;
    }
    const AxisLine xLine = rows.back();     // the lowest long horizontal line
    const AxisLine yLine = columns.front(); // the leftmost long vertical line
    // The axes meet, or stand apart at the corner as some styles draw them,
    // moved out from the data: the Y axis a little left of where the X axis
    // starts, the X axis a little below where the Y axis ends.
    constexpr int Apart = 40;
    if (!overlaps(yLine.first, yLine.last, xLine.from - Apart, xLine.to, 3)
        || !overlaps(xLine.first, xLine.last, yLine.from, yLine.to + Apart, 3)) {
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
    // Ticks set apart from the axis are looked for only where none touch it:
    // small print can stand as close.
    auto ticksOf = [&](const AxisLine &line, const std::vector<AxisLine> &across, bool horizontal, int *gap) {
        *gap = 0;
        auto ticks = ticksAlong(g, line, across, horizontal);
        if (ticks.empty()) {
            *gap = TickGap;
            ticks = ticksAlong(g, line, across, horizontal, TickGap);
        }
        return ticks;
    };
    int xGap = 0, yGap = 0;
    a.xTicks = ticksOf(xLine, columns, true, &xGap);
    a.yTicks = ticksOf(yLine, rows, false, &yGap);
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

    // Labels lie in a band below the X axis and left of the Y axis.
    const QRect below(QPoint(xLine.from - 60, xLine.last + 2), QPoint(xLine.to + 60, xLine.last + 70));
    const QRect left(QPoint(yLine.first - 200, yLine.from - 30), QPoint(yLine.first - 2, yLine.to + 30));
    // A piece touching the band's edge next to the axis is an outward tick
    // when a tick or a crossing line runs through it, or the other axis's label cut by the band
    // when it lies beyond this axis's ends; a raised exponent may touch the edge too.
    auto tickOrCut = [](const QRect &band, bool xAxis, std::vector<double> ticks, const std::vector<double> &crossings,
                        const AxisLine &line, int gap) {
        ticks.insert(ticks.end(), crossings.begin(), crossings.end());
        return [=](const Piece &p) {
            const int fromAxis = xAxis ? p.box.top() - band.top() : band.right() - p.box.right();
            if (fromAxis < 0 || fromAxis > gap)
                return false;
            const int low = xAxis ? p.box.left() : p.box.top(), high = xAxis ? p.box.right() : p.box.bottom();
            // A short thin mark at the axis is a minor tick, which is drawn
            // where no tick was found (between the labelled ones).
            const int across = xAxis ? p.box.height() : p.box.width();
            if (high - low < 3 && across <= 10)
                return true;
            const bool onTick = std::any_of(ticks.begin(), ticks.end(), [&](double t) { return t >= low - 1 && t <= high + 1; });
            return onTick || low < line.from - 2 || high > line.to + 2;
        };
    };
    auto pieces = inkPieces(g, below);
    pieces.erase(std::remove_if(pieces.begin(), pieces.end(), tickOrCut(below, true, a.xTicks, a.xCrossings, xLine, xGap)), pieces.end());
    out.xLabels = readLabels(g, std::move(pieces), true, read);
    pieces = inkPieces(g, left);
    pieces.erase(std::remove_if(pieces.begin(), pieces.end(), tickOrCut(left, false, a.yTicks, a.yCrossings, yLine, yGap)), pieces.end());
    out.yLabels = readLabels(g, std::move(pieces), false, read);
    // Each axis's digits are checked against the other's; the labels left
    // teach the shapes small print and unread labels are compared with.
    DigitShapes xShapes, yShapes, shapes;
    learnDigits(g, out.xLabels, xShapes);
    learnDigits(g, out.yLabels, yShapes);
    dropContradicted(g, out.xLabels, yShapes);
    dropContradicted(g, out.yLabels, xShapes);
    learnDigits(g, out.xLabels, shapes);
    learnDigits(g, out.yLabels, shapes);
    readByShape(g, out.xLabels, shapes);
    readByShape(g, out.yLabels, shapes);
    // An axis-wide multiplier: under the X axis's right end below its labels,
    // over the Y axis near its left.
    if (!out.xLabels.empty()) {
        const int h = printHeight(out.xLabels);
        int labelsBottom = INT_MIN;
        for (const ReadLabel &l : out.xLabels)
            labelsBottom = std::max(labelsBottom, l.box.box.bottom());
        // Down to four print heights: a multiplier set a line below the labels ends there.
        const QRect region(QPoint(xLine.to - 12 * h, labelsBottom + 1), QPoint(xLine.to + 4 * h, labelsBottom + 4 * h));
        out.xEnd = textAtEnd(g, region, out.xLabels, xLine.to, true, 3 * h, read, shapes);
    }
    if (!out.yLabels.empty()) {
        const int h = printHeight(out.yLabels);
        const QRect region(QPoint(yLine.first - 4 * h, yLine.from - 3 * h), QPoint(yLine.first + 12 * h, yLine.from - 2));
        out.yEnd = textAtEnd(g, region, out.yLabels, int(yLine.centre), false, 3 * h, read, shapes);
    }
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

// Applies the multiplier or offset standing at the axis end to the labels'
// values. Text there that does not read as one leaves the axis unknown: if
// it were one, the labels alone would give values off by a power of ten or the offset.
bool applyAxisEnd(const std::optional<ReadLabel> &end, std::vector<AxisTick> &ticks, const QString &axis, QString *failure)
{
    if (!end)
        return true;
    const auto change = axisEndText(end->text);
    if (!change) {
        *failure = QStringLiteral("text at the end of the %1 axis, where a multiplier or an offset stands, could not be read as either: %2")
                       .arg(axis, end->text.isEmpty() ? QStringLiteral("nothing read") : end->text);
        return false;
    }
    for (AxisTick &t : ticks)
        t.value = axisEndValue(t.value, *change);
    return true;
}

// Frames and axis lines drawn in a light grey, as some styles draw them.
constexpr int LightLine = 225;

// The geometry of the picture as it is; failing that, of its shaded panel
// drawn as a frame, or with light grey lines taken for the axis lines. The
// first reason stands when neither finds more.
std::optional<Geometry> anyGeometry(const QImage &grey, QString *failure, const LabelReader *read)
{
    const GrayPicture g(grey);
    if (auto geo = geometry(g, failure, read, GrayPicture::Ink))
        return geo;
    QString ignored;
    std::optional<Geometry> geo;
    if (const auto panel = findPlotPanel(grey))
        geo = geometry(GrayPicture(panelAsFrame(grey, *panel)), &ignored, read, GrayPicture::Ink);
    if (!geo || geo->xLabels.empty() || geo->yLabels.empty())
        geo = geometry(g, &ignored, read, LightLine);
    // A turned scan's lines found only so would calibrate it as if straight.
    constexpr double Straight = 0.05;
    // Lines with no labels beside them, found only so, are no axes.
    if (!geo || std::abs(geo->axes.angle) > Straight || geo->xLabels.empty() || geo->yLabels.empty())
        return std::nullopt;
    failure->clear();
    return geo;
}

} // namespace

CornerTexts FoundAxes::texts() const
{
    return {formatShortestNumber(xs), formatShortestNumber(ys), formatShortestNumber(xe), formatShortestNumber(ye)};
}

std::optional<AxesGeometry> findAxesGeometry(const QImage &picture, QString *failure)
{
    QString reason;
    const auto g = anyGeometry(picture.convertToFormat(QImage::Format_Grayscale8), &reason, nullptr);
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
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    const auto geo = anyGeometry(grey, &found.failure, &read);
    if (!geo) {
        // The lines of a turned scan run from row to row and are not found as
        // lines: the user is told by how much the picture is turned. A long
        // straight path far steeper than a scan is turned is a curve.
        constexpr double SteepestTurn = 5;
        if (const auto angle = turnedLineAngle(GrayPicture(grey)); angle && std::abs(*angle) > 0.05 && std::abs(*angle) <= SteepestTurn) {
            found.angle = *angle;
            found.failure = QStringLiteral("the picture is turned by %1°; straighten it to find the axes")
                                .arg(QString::number(*angle, 'f', 2));
        }
        return found;
    }
    if (geo->xLabels.empty() || geo->yLabels.empty()) {
        found.failure = geo->xLabels.empty() ? QStringLiteral("no tick labels read under the X axis")
                                             : QStringLiteral("no tick labels read left of the Y axis");
        return found;
    }
    auto xTicks = labelledTicks(geo->xLabels, geo->axes.xTicks, geo->axes.xCrossings, true);
    auto yTicks = labelledTicks(geo->yLabels, geo->axes.yTicks, geo->axes.yCrossings, false);
    if (!applyAxisEnd(geo->xEnd, xTicks, QStringLiteral("X"), &found.failure)
        || !applyAxisEnd(geo->yEnd, yTicks, QStringLiteral("Y"), &found.failure))
        return found;
    AxisFit x = fitAxis(xTicks, QStringLiteral("X"));
    AxisFit y = fitAxis(yTicks, QStringLiteral("Y"));
    // An outer label not read leaves its tick to put the corner on.
    extendToTicks(x, geo->axes.xTicks);
    extendToTicks(y, geo->axes.yTicks);
    if (!x.found() || !y.found()) {
        found.failure = !x.found() ? x.failure : y.failure;
        return found;
    }
    const bool xLog = x.kind == AxisKind::Logarithmic;
    const bool yLog = y.kind == AxisKind::Logarithmic;
    found.scale = xLog ? (yLog ? AxisScale::LogLog : AxisScale::LogLinear) : (yLog ? AxisScale::LinearLog : AxisScale::LinearLinear);
    // Rows grow downwards: the lowest Y tick is the last in pixel order.
    found.xs = x.agreeing.front().value;
    found.xe = x.agreeing.back().value;
    found.ys = y.agreeing.back().value;
    found.ye = y.agreeing.front().value;
    // The corners are the extreme ticks where they are drawn: plotting
    // programs put ticks on whole pixels, which a fit through all of them
    // would move by a fraction of a pixel at the axis ends.
    found.start = QPointF(x.agreeing.front().pixel, y.agreeing.back().pixel);
    found.end = QPointF(x.agreeing.back().pixel, y.agreeing.front().pixel);
    found.residual = std::max(x.residual, y.residual);
    found.angle = geo->axes.angle;
    return found;
}
