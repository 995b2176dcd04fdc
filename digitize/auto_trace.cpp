#include "digitize/auto_trace.h"

#include "calibration/axes_transform.h"
#include "calibration/calibration.h"
#include "digitize/follow_path.h"
#include "digitize/line_runs.h"
#include "digitize/line_weight.h"
#include "digitize/trace_bounds.h"
#include "digitize/trace_scan.h"

#include <QPainter>

#include <QImage>

#include <algorithm>
#include <cmath>

namespace {

// A run of positions first, first + 1, ... up to last, the way a counting loop
// over single-precision pixel positions visits them.
struct PositionRun
{
    float first = 0;
    int count = 0;
    bool cut = false; // more positions remained than `limit` allowed
};

PositionRun positionRun(float first, float last, int limit)
{
    PositionRun run{first, 0, false};
    float p = first;
    while (p <= last) {
        if (run.count == limit) {
            run.cut = true;
            break;
        }
        ++run.count;
        p += 1.0f;
    }
    return run;
}

// Every position first, first + 1, ... up to last, without a limit: rows
// outside the surface are skipped later, so only their number matters.
PositionRun fullRun(float first, float last)
{
    const double span = double(last) - double(first);
    const int count = span >= 0 ? int(std::min(std::floor(span) + 1, 1.0e9)) : 0;
    return {first, count, false};
}

// The pixel a position falls on; far-off positions are clamped so that the
// conversion cannot overflow.
long long pixelIndex(float position)
{
    return std::llround(std::clamp(double(position), -1.0e12, 1.0e12));
}

// The weighted centre, as a row index of the area, of the line around the
// picked row of column k: its core (pixels weighing at least half the picked
// one), widened by the fading edge pixels of an antialiased line, weighed
// above the level of what surrounds it, so that a light grid line or a grey
// background under the line does not pull the centre.
double lineCentre(const QImage &image, const ScanArea &area, int k, int picked, const TraceOptions &options)
{
    const long long x = area.firstColumn + k;
    auto weightAt = [&](int j) -> double {
        const long long y = area.firstRow + j;
        if (j < 0 || j >= area.rowCount || x < 0 || y < 0 || x >= image.width() || y >= image.height())
            return 0;
        return lineWeight(reinterpret_cast<const QRgb *>(image.constScanLine(int(y)))[x], options.colour, options.tolerance);
    };
    const double peak = weightAt(picked);
    if (peak <= 0)
        return picked;
    constexpr int MaxEdge = 2;        // antialiasing fades a line over a pixel or two
    constexpr int MaxCoreReach = 64; // the core of the thickest line read, each side of the pick
    int ends[2] = {picked, picked};
    double around = peak;
    for (int side = 0; side < 2; ++side) {
        const int step = side == 0 ? -1 : 1;
        int j = picked;
        while (weightAt(j + step) >= peak / 2 && std::abs(j + step - picked) < MaxCoreReach)
            j += step;
        for (int edge = 0; edge < MaxEdge && weightAt(j + step) > 0 && weightAt(j + step) <= weightAt(j); ++edge)
            j += step;
        ends[side] = j;
        around = std::min(around, weightAt(j + step));
    }
    double sum = 0;
    double moment = 0;
    for (int j = ends[0]; j <= ends[1]; ++j) {
        const double w = std::max(weightAt(j) - around, 0.0);
        sum += w;
        moment += w * (j - picked);
    }
    return sum > 0 ? picked + moment / sum : picked;
}

} // namespace

namespace {

// Where a trace reads: the columns and rows of the frame and the area of the
// image they cover, with the exclusions in image coordinates.
struct TraceSetup
{
    PositionRun columns;
    PositionRun rows;
    ScanArea area;
    QImage image;
    std::vector<QRectF> exclusions;
};

TraceSetup traceSetup(const QImage &surface, const Calibration &calibration, const TraceOptions &options,
                      QPoint origin)
{
    const TraceBounds bounds = TraceBounds::of(calibration);
    TraceSetup setup;
    setup.columns = positionRun(bounds.firstColumn, bounds.lastColumn, options.columnLimit());
    setup.rows = fullRun(bounds.firstRow, bounds.lastRow);
    setup.area = {pixelIndex(setup.columns.first) - origin.x(), setup.columns.count,
                  pixelIndex(setup.rows.first) - origin.y(), setup.rows.count};
    setup.image = surface.format() == QImage::Format_RGB32 || surface.format() == QImage::Format_ARGB32
        ? surface
        : surface.convertToFormat(QImage::Format_RGB32);
    for (const QRectF &rect : options.exclusions)
        setup.exclusions.push_back(rect.translated(-QPointF(origin)));
    return setup;
}

// The image with the exclusions painted white, so that the column scans read
// nothing in them.
QImage withoutExclusions(const TraceSetup &setup)
{
    if (setup.exclusions.empty())
        return setup.image;
    QImage masked = setup.image.copy();
    QPainter painter(&masked);
    for (const QRectF &rect : setup.exclusions) {
        // Whole pixels whose centres lie inside, as the followed trace counts them.
        const QRect pixels(QPoint(int(std::ceil(rect.left() - 0.5)), int(std::ceil(rect.top() - 0.5))),
                           QPoint(int(std::ceil(rect.right() - 0.5)) - 1, int(std::ceil(rect.bottom() - 0.5)) - 1));
        painter.fillRect(pixels, Qt::white);
    }
    return masked;
}

// The row read in column k from a chosen run: the window's rule (its
// topmost strongest pixel) or the line's weighted centre. A run thicker than
// the line (a marker on it, a crossing) has its top elsewhere: there the
// line's top is taken as where it would be around the run's centre.
double runRow(const TraceSetup &setup, int k, const LineRun &run, const TraceOptions &options, float lineHeight)
{
    if (options.line == LineRule::Centre)
        return lineCentre(setup.image, setup.area, k, run.peakRow, options);
    if (float(run.height()) > lineHeight + 2)
        return std::round(run.centre - (lineHeight - 1) / 2);
    return run.peakRow;
}

// The followed path's rows (area row indices) on columns first ... last.
// A bridge is drawn as a cubic between its two ends, meeting the slope the
// path has on each side (a straight line where a side shows no slope).
std::vector<double> pathRows(const TraceSetup &setup, const ColumnRuns &runs, const FollowedPath &path,
                             const TraceOptions &options)
{
    std::vector<double> rows;
    if (path.empty())
        return rows;
    rows.resize(size_t(path.last - path.first + 1));
    auto seen = [&](int k) { return k >= path.first && k <= path.last && path.choice[size_t(k)] >= 0; };
    auto at = [&](int k) -> double & { return rows[size_t(k - path.first)]; };
    for (int k = path.first; k <= path.last; ++k)
        if (seen(k))
            at(k) = runRow(setup, k, runs[size_t(k)][size_t(path.choice[size_t(k)])], options, path.lineHeight);
    int before = -1;
    for (int k = path.first; k <= path.last; ++k) {
        if (!seen(k))
            continue;
        if (before >= 0 && k - before > 1) {
            const double span = k - before;
            const double secant = (at(k) - at(before)) / span;
            // Each side's slope over up to three columns, where the path shows them.
            auto slopeFrom = [&](int end, int step) {
                int reach = 0;
                while (reach < 3 && seen(end + step * (reach + 1)))
                    ++reach;
                return reach ? (at(end) - at(end + step * reach)) / (-step * reach) : secant;
            };
            const double m0 = slopeFrom(before, -1);
            const double m1 = slopeFrom(k, 1);
            for (int b = before + 1; b < k; ++b) {
                const double t = (b - before) / span;
                const double h00 = (1 + 2 * t) * (1 - t) * (1 - t), h10 = t * (1 - t) * (1 - t);
                const double h01 = t * t * (3 - 2 * t), h11 = t * t * (t - 1);
                at(b) = h00 * at(before) + h10 * span * m0 + h01 * at(k) + h11 * span * m1;
            }
        }
        before = k;
    }
    return rows;
}

std::optional<PathSeed> seedIn(const TraceSetup &setup, const TraceOptions &options, QPoint origin)
{
    if (!options.seed)
        return std::nullopt;
    const QPointF at = *options.seed - QPointF(origin);
    return PathSeed{int(std::floor(at.x()) - setup.area.firstColumn), float(at.y() - double(setup.area.firstRow))};
}

} // namespace

TraceResult traceCurve(const QImage &surface, const Calibration &calibration, const TraceOptions &options,
                       QPoint origin)
{
    TraceResult result;
    AxisFault fault{};
    const auto mapping = AxesTransform::fromCorners(calibration, &fault);
    if (!mapping) {
        result.fault = fault;
        return result;
    }
    const TraceSetup setup = traceSetup(surface, calibration, options, origin);
    const PositionRun &columns = setup.columns;
    const PositionRun &rows = setup.rows;

    // The picture row read in each traced column.
    int first = 0;
    std::vector<float> read;
    auto pictureRow = [&](double areaRow) {
        return options.line == LineRule::Centre ? float(double(rows.first) + areaRow) : rows.first + float(areaRow);
    };
    if (options.follow) {
        const ColumnRuns runs = lineRuns(setup.image, setup.area, options, setup.exclusions);
        const FollowedPath path = followPath(runs, seedIn(setup, options, origin));
        for (double row : pathRows(setup, runs, path, options))
            read.push_back(pictureRow(row));
        first = path.empty() ? 0 : path.first;
        for (int k = path.first; k <= path.last; ++k)
            if (path.choice[size_t(k)] == FollowedPath::Bridged)
                result.bridged.push_back(k - path.first);
        result.endedEarly = path.endedEarly;
    } else {
        const QImage image = withoutExclusions(setup);
        const std::vector<int> picked = options.colour
            ? strongestColourRows(image, setup.area, *options.colour, options.tolerance)
            : darkestRows(image, setup.area);
        read.resize(picked.size());
        float row = 0; // before any pick: picture row 0
        for (size_t k = 0; k < picked.size(); ++k) {
            if (const int j = picked[k]; j != NoQualifyingRow)
                row = pictureRow(options.line == LineRule::Centre ? lineCentre(image, setup.area, int(k), j, options) : j);
            read[k] = row;
        }
    }

    // Compute every value first; the result holds points only when all are defined.
    const size_t count = read.size();
    std::vector<double> xs(count);
    std::vector<double> ys(count);
    std::vector<float> pickedRows(count);
    float x = columns.first + float(first);
    for (size_t k = 0; k < count; ++k, x += 1.0f) {
        const float pickedRow = read[k];
        const AxisValue xValue = mapping->xAt(x, pickedRow);
        const AxisValue yValue = mapping->yAt(x, pickedRow);
        if ((result.fault = firstFault(xValue, yValue))) {
            result.bridged.clear();
            return result;
        }
        xs[k] = *xValue.value;
        ys[k] = *yValue.value;
        pickedRows[k] = pickedRow;
    }
    result.xs = std::move(xs);
    result.ys = std::move(ys);
    result.pickedRows = std::move(pickedRows);
    result.firstColumn = first;
    result.truncated = columns.cut;
    return result;
}

TraceQuality traceQuality(const QImage &surface, const Calibration &calibration, const TraceOptions &options,
                          const TraceResult &trace, QPoint origin)
{
    TraceQuality quality;
    if (trace.fault)
        return quality;
    if (options.follow) {
        quality.bridged = trace.bridged;
        return quality;
    }
    // The curve the followed path finds, in the trace's own rule (through
    // the seed when one is given), against the row each column picked.
    const TraceSetup setup = traceSetup(surface, calibration, options, origin);
    const ColumnRuns runs = lineRuns(setup.image, setup.area, options, setup.exclusions);
    const FollowedPath path = followPath(runs, seedIn(setup, options, origin));
    const std::vector<double> rows = pathRows(setup, runs, path, options);
    const double firstRow = setup.rows.first;
    // A few columns before the path starts or after it ends (a dash gap at
    // the frame's edge) are where the curve was not seen: bridged.
    constexpr int EdgeReach = 10;
    const int count = int(path.choice.size());
    for (int k = 0; k < count && !path.empty(); ++k) {
        const int point = k - trace.firstColumn;
        if (point < 0 || point >= trace.pointCount())
            continue;
        if ((k < path.first && path.first - k <= EdgeReach) || (k > path.last && k - path.last <= EdgeReach)) {
            quality.bridged.push_back(point);
            continue;
        }
        if (k < path.first || k > path.last)
            continue;
        if (path.choice[size_t(k)] == FollowedPath::Bridged)
            quality.bridged.push_back(point);
        if (std::fabs(double(trace.pickedRows[size_t(point)]) - (firstRow + rows[size_t(k - path.first)])) > SuspectDistance)
            quality.suspect.push_back(point);
    }
    return quality;
}

std::optional<AxisFault> traceFault(const Calibration &calibration, const TraceOptions &options)
{
    AxisFault fault{};
    const auto mapping = AxesTransform::fromCorners(calibration, &fault);
    if (!mapping)
        return fault;
    const TraceBounds bounds = TraceBounds::of(calibration);
    const PositionRun columns = positionRun(bounds.firstColumn, bounds.lastColumn, options.columnLimit());
    if (columns.count == 0)
        return std::nullopt;
    // Both mappings are monotonic: the values at the ends bound all others.
    const float lastColumn = columns.first + float(columns.count - 1);
    for (float x : {columns.first, lastColumn}) {
        if (const AxisValue v = mapping->xAt(x, bounds.firstRow); !v.value)
            return AxisFault{Axis::X, v.fault};
    }
    for (float y : {bounds.firstRow, bounds.lastRow}) {
        if (const AxisValue v = mapping->yAt(columns.first, y); !v.value)
            return AxisFault{Axis::Y, v.fault};
    }
    return std::nullopt;
}

QRect traceArea(const Calibration &calibration, const TraceOptions &options)
{
    const TraceBounds bounds = TraceBounds::of(calibration);
    const PositionRun columns = positionRun(bounds.firstColumn, bounds.lastColumn, options.columnLimit());
    const PositionRun rows = fullRun(bounds.firstRow, bounds.lastRow);
    const long long x = pixelIndex(columns.first);
    const long long y = pixelIndex(rows.first);
    constexpr long long Far = 1LL << 30;
    if (columns.count == 0 || rows.count == 0 || std::abs(x) > Far || std::abs(y) > Far)
        return QRect();
    return QRect(int(x), int(y), columns.count, rows.count);
}
