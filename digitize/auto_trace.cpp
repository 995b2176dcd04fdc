#include "digitize/auto_trace.h"

#include "calibration/work_state.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

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

// The index range [lo, hi) of a run whose pixels lie inside 0 ... size - 1.
std::pair<int, int> insideRange(long long firstPixel, int count, int size)
{
    const long long lo = std::clamp<long long>(-firstPixel, 0, count);
    const long long hi = std::clamp<long long>(size - firstPixel, lo, count);
    return {int(lo), int(hi)};
}

// Folds one picture row into the running best green and picked row of each
// column. Strictly less: between equal greens the row scanned first wins.
// Built for AVX2 as well as the baseline; the loader picks what the processor has.
__attribute__((target_clones("avx2", "default")))
void foldRow(const QRgb *__restrict pixels, int row, int from, int to,
                    std::int32_t *__restrict best, std::int32_t *__restrict picked)
{
    for (int k = from; k < to; ++k) {
        const std::int32_t green = std::int32_t((pixels[k] >> 8) & 0xff);
        const bool darker = green < best[k];
        best[k] = darker ? green : best[k];
        picked[k] = darker ? row : picked[k];
    }
}

// The same for four consecutive rows, top to bottom, keeping each column's
// best and row in registers between them.
__attribute__((target_clones("avx2", "default")))
void foldFourRows(const QRgb *const rows[4], int firstRow, int from, int to,
                         std::int32_t *__restrict best, std::int32_t *__restrict picked)
{
    const QRgb *__restrict r0 = rows[0];
    const QRgb *__restrict r1 = rows[1];
    const QRgb *__restrict r2 = rows[2];
    const QRgb *__restrict r3 = rows[3];
    for (int k = from; k < to; ++k) {
        std::int32_t b = best[k];
        std::int32_t p = picked[k];
        const std::int32_t g0 = std::int32_t((r0[k] >> 8) & 0xff);
        p = g0 < b ? firstRow : p;
        b = g0 < b ? g0 : b;
        const std::int32_t g1 = std::int32_t((r1[k] >> 8) & 0xff);
        p = g1 < b ? firstRow + 1 : p;
        b = g1 < b ? g1 : b;
        const std::int32_t g2 = std::int32_t((r2[k] >> 8) & 0xff);
        p = g2 < b ? firstRow + 2 : p;
        b = g2 < b ? g2 : b;
        const std::int32_t g3 = std::int32_t((r3[k] >> 8) & 0xff);
        p = g3 < b ? firstRow + 3 : p;
        b = g3 < b ? g3 : b;
        best[k] = b;
        picked[k] = p;
    }
}

constexpr int NoQualifyingRow = -1;

// For each of the run's columns, the index of the first row with the smallest
// green below 255, or NoQualifyingRow. Reads the picture row by row, in
// memory order, each pixel once.
std::vector<int> darkestRows(const QImage &image, const PositionRun &columns, const PositionRun &rows)
{
    std::vector<std::int32_t> picked(size_t(columns.count), NoQualifyingRow);
    std::vector<std::int32_t> best(size_t(columns.count), 255);

    const long long firstColumnPixel = pixelIndex(columns.first);
    const long long firstRowPixel = pixelIndex(rows.first);
    const auto [kLo, kHi] = insideRange(firstColumnPixel, columns.count, image.width());
    const auto [jLo, jHi] = insideRange(firstRowPixel, rows.count, image.height());

    // Pixel k of a row pointer is the pixel of column k of the run.
    auto rowPixels = [&](int j) {
        return reinterpret_cast<const QRgb *>(image.constScanLine(int(firstRowPixel + j))) + firstColumnPixel;
    };
    int j = jLo;
    for (; j + 4 <= jHi; j += 4) {
        const QRgb *const four[4] = {rowPixels(j), rowPixels(j + 1), rowPixels(j + 2), rowPixels(j + 3)};
        foldFourRows(four, j, kLo, kHi, best.data(), picked.data());
    }
    for (; j < jHi; ++j)
        foldRow(rowPixels(j), j, kLo, kHi, best.data(), picked.data());
    return std::vector<int>(picked.begin(), picked.end());
}

} // namespace

int greenAt(const QImage &surface, int x, int y)
{
    if (x < 0 || y < 0 || x >= surface.width() || y >= surface.height())
        return 255;
    return qGreen(surface.pixel(x, y));
}

TraceOutcome traceCurve(const QImage &surface, const CornerValues &values, WorkState &state)
{
    TraceOutcome outcome;
    MappingFault fault{};
    const auto mapX = TraceMapping::create(AxisCalibration::forX(state, values), &fault);
    if (!mapX) {
        outcome.fault = AxisFault{Axis::X, fault};
        return outcome;
    }
    const auto mapY = TraceMapping::create(AxisCalibration::forY(state, values), &fault);
    if (!mapY) {
        outcome.fault = AxisFault{Axis::Y, fault};
        return outcome;
    }

    const PositionRun columns = positionRun(state.StartPixelX + 2, state.EndPixelX - 2, WorkState::TableLast);
    const PositionRun rows = fullRun(state.EndPixelY + 3, state.StartPixelY - 15);

    const QImage image = surface.format() == QImage::Format_RGB32 || surface.format() == QImage::Format_ARGB32
        ? surface
        : surface.convertToFormat(QImage::Format_RGB32);
    const std::vector<int> picked = darkestRows(image, columns, rows);

    // Compute every value first, commit only when all are defined.
    std::vector<double> xs(size_t(columns.count));
    std::vector<double> ys(size_t(columns.count));
    std::vector<float> curve(size_t(columns.count));
    float pickedRow = 0;
    float x = columns.first;
    for (int k = 0; k < columns.count; ++k, x += 1.0f) {
        if (picked[size_t(k)] != NoQualifyingRow)
            pickedRow = rows.first + float(picked[size_t(k)]);
        const AxisValue xValue = mapX->valueAt(x);
        if (!xValue.value) {
            outcome.fault = AxisFault{Axis::X, xValue.fault};
            return outcome;
        }
        const AxisValue yValue = mapY->valueAt(pickedRow);
        if (!yValue.value) {
            outcome.fault = AxisFault{Axis::Y, yValue.fault};
            return outcome;
        }
        xs[size_t(k)] = *xValue.value;
        ys[size_t(k)] = *yValue.value;
        curve[size_t(k)] = pickedRow;
    }

    std::copy(xs.begin(), xs.end(), state.Points[0].begin() + 1);
    std::copy(ys.begin(), ys.end(), state.Points[1].begin() + 1);
    std::copy(curve.begin(), curve.end(), state.CurveY.begin() + 1);
    state.PointCount = columns.count;
    state.ClickMode = 0;
    outcome.pointCount = columns.count;
    outcome.truncated = columns.cut;
    return outcome;
}
