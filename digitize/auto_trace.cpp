#include "digitize/auto_trace.h"

#include "calibration/calibration.h"
#include "digitize/trace_bounds.h"
#include "digitize/trace_scan.h"

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

// How strongly a pixel belongs to the line, 0 ... 255: its darkness, or for
// a curve colour how far it lies from white towards that colour, when it is
// a blend of the two (the antialiased edge of the curve on white paper).
// Pixels of other colours (black grid lines, another curve) weigh nothing.
double lineWeight(QRgb pixel, const TraceOptions &options)
{
    if (!options.colour)
        return 255 - qGreen(pixel);
    const QRgb c = *options.colour;
    const double d[3] = {255.0 - qRed(c), 255.0 - qGreen(c), 255.0 - qBlue(c)};
    const double e[3] = {255.0 - qRed(pixel), 255.0 - qGreen(pixel), 255.0 - qBlue(pixel)};
    const double dd = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
    if (dd == 0)
        return 0;
    const double alpha = std::clamp((e[0] * d[0] + e[1] * d[1] + e[2] * d[2]) / dd, 0.0, 1.0);
    double residual = 0;
    for (int i = 0; i < 3; ++i)
        residual += (e[i] - alpha * d[i]) * (e[i] - alpha * d[i]);
    return residual <= double(options.tolerance) * options.tolerance ? 255 * alpha : 0;
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
        return lineWeight(reinterpret_cast<const QRgb *>(image.constScanLine(int(y)))[x], options);
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

TraceResult traceCurve(const QImage &surface, const Calibration &calibration, const TraceOptions &options,
                       QPoint origin)
{
    TraceResult result;
    AxisFault fault{};
    const auto mapping = CalibrationMapping::create(calibration, &fault);
    if (!mapping) {
        result.fault = fault;
        return result;
    }

    const TraceBounds bounds = TraceBounds::of(calibration);
    const PositionRun columns = positionRun(bounds.firstColumn, bounds.lastColumn, options.columnLimit());
    const PositionRun rows = fullRun(bounds.firstRow, bounds.lastRow);
    const ScanArea area{pixelIndex(columns.first) - origin.x(), columns.count, pixelIndex(rows.first) - origin.y(),
                        rows.count};

    const QImage image = surface.format() == QImage::Format_RGB32 || surface.format() == QImage::Format_ARGB32
        ? surface
        : surface.convertToFormat(QImage::Format_RGB32);
    const std::vector<int> picked = options.colour
        ? nearestColourRows(image, area, *options.colour, options.tolerance)
        : darkestRows(image, area);

    // Compute every value first; the result holds points only when all are defined.
    std::vector<double> xs(size_t(columns.count));
    std::vector<double> ys(size_t(columns.count));
    std::vector<float> pickedRows(size_t(columns.count));
    float pickedRow = 0;
    float x = columns.first;
    for (int k = 0; k < columns.count; ++k, x += 1.0f) {
        if (const int j = picked[size_t(k)]; j != NoQualifyingRow) {
            pickedRow = options.line == LineRule::Centre
                ? float(double(rows.first) + lineCentre(image, area, k, j, options))
                : rows.first + float(j);
        }
        const AxisValue xValue = mapping->x.valueAt(x);
        const AxisValue yValue = mapping->y.valueAt(pickedRow);
        if ((result.fault = firstFault(xValue, yValue)))
            return result;
        xs[size_t(k)] = *xValue.value;
        ys[size_t(k)] = *yValue.value;
        pickedRows[size_t(k)] = pickedRow;
    }
    result.xs = std::move(xs);
    result.ys = std::move(ys);
    result.pickedRows = std::move(pickedRows);
    result.truncated = columns.cut;
    return result;
}

std::optional<AxisFault> traceFault(const Calibration &calibration, const TraceOptions &options)
{
    AxisFault fault{};
    const auto mapping = CalibrationMapping::create(calibration, &fault);
    if (!mapping)
        return fault;
    const TraceBounds bounds = TraceBounds::of(calibration);
    const PositionRun columns = positionRun(bounds.firstColumn, bounds.lastColumn, options.columnLimit());
    if (columns.count == 0)
        return std::nullopt;
    // Both mappings are monotonic: the values at the ends bound all others.
    const float lastColumn = columns.first + float(columns.count - 1);
    for (float x : {columns.first, lastColumn}) {
        if (const AxisValue v = mapping->x.valueAt(x); !v.value)
            return AxisFault{Axis::X, v.fault};
    }
    for (float y : {bounds.firstRow, bounds.lastRow}) {
        if (const AxisValue v = mapping->y.valueAt(y); !v.value)
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
