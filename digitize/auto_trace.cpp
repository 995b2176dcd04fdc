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

// Beyond 2^24 a single-precision position no longer advances by one.
constexpr int UnlimitedColumns = 1 << 24;

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

// How strongly a pixel belongs to the line: its darkness, or how near it is
// to the curve colour within the tolerance.
double lineWeight(QRgb pixel, const TraceOptions &options)
{
    if (!options.colour)
        return 255 - qGreen(pixel);
    return std::max(0.0, options.tolerance - std::sqrt(double(colourDistance2(pixel, *options.colour))));
}

// The weighted centre, as a row index of the area, of the contiguous run of
// line pixels around the picked row of column k. A line pixel weighs at least
// a quarter of the picked pixel's weight, so that the faint edges of an
// antialiased line count and the picture's noise does not.
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
    const double floor = peak / 4;
    double sum = peak;
    double moment = 0;
    for (int step : {-1, 1}) {
        for (int j = picked + step;; j += step) {
            const double w = weightAt(j);
            if (w < floor || w <= 0)
                break;
            sum += w;
            moment += w * (j - picked);
        }
    }
    return picked + moment / sum;
}

} // namespace

TraceResult traceCurve(const QImage &surface, const Calibration &calibration, const TraceOptions &options)
{
    TraceResult result;
    AxisFault fault{};
    const auto mapping = CalibrationMapping::create(calibration, &fault);
    if (!mapping) {
        result.fault = fault;
        return result;
    }

    const TraceBounds bounds = TraceBounds::of(calibration);
    const int limit = options.maxColumns > 0 ? options.maxColumns : UnlimitedColumns;
    const PositionRun columns = positionRun(bounds.firstColumn, bounds.lastColumn, limit);
    const PositionRun rows = fullRun(bounds.firstRow, bounds.lastRow);
    const ScanArea area{pixelIndex(columns.first), columns.count, pixelIndex(rows.first), rows.count};

    const QImage image = surface.format() == QImage::Format_RGB32 || surface.format() == QImage::Format_ARGB32
        ? surface
        : surface.convertToFormat(QImage::Format_RGB32);
    const std::vector<int> picked = options.colour
        ? nearestColourRows(image, area, *options.colour, options.tolerance)
        : darkestRows(image, area);

    // Compute every value first; the result holds points only when all are defined.
    std::vector<double> xs(size_t(columns.count));
    std::vector<double> ys(size_t(columns.count));
    std::vector<float> curve(size_t(columns.count));
    float pickedRow = 0;
    float x = columns.first;
    for (int k = 0; k < columns.count; ++k, x += 1.0f) {
        if (const int j = picked[size_t(k)]; j != NoQualifyingRow) {
            pickedRow = options.line == LineRule::Centre
                ? float(double(rows.first) + lineCentre(image, area, k, j, options))
                : rows.first + float(j);
        }
        const AxisValue xValue = mapping->x.valueAt(x);
        if (!xValue.value) {
            result.fault = AxisFault{Axis::X, xValue.fault};
            return result;
        }
        const AxisValue yValue = mapping->y.valueAt(pickedRow);
        if (!yValue.value) {
            result.fault = AxisFault{Axis::Y, yValue.fault};
            return result;
        }
        xs[size_t(k)] = *xValue.value;
        ys[size_t(k)] = *yValue.value;
        curve[size_t(k)] = pickedRow;
    }
    result.xs = std::move(xs);
    result.ys = std::move(ys);
    result.rows = std::move(curve);
    result.truncated = columns.cut;
    return result;
}

void storeTrace(const TraceResult &trace, WorkState &state)
{
    const size_t count = std::min<size_t>(trace.xs.size(), WorkState::TableLast);
    std::copy_n(trace.xs.begin(), count, state.Points[0].begin() + 1);
    std::copy_n(trace.ys.begin(), count, state.Points[1].begin() + 1);
    std::copy_n(trace.rows.begin(), count, state.CurveY.begin() + 1);
    state.PointCount = int(count);
}
