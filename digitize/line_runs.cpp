#include "digitize/line_runs.h"

#include "digitize/line_weight.h"

#include <QRectF>

#include <algorithm>
#include <cmath>

namespace {

// Runs weaker than this never count, whatever the curve weighs: a light
// grid line or JPEG noise on white.
constexpr float FloorWeight = 24;
// Columns keep their strongest runs only; more are text or hatching.
constexpr size_t MaxRunsPerColumn = 24;

// Calls visit(k, j, weight) for each pixel of the area inside the image and
// outside every exclusion, row by row in memory order.
template<typename Visit>
void forEachWeight(const QImage &image, const ScanArea &area, const TraceOptions &options,
                   const std::vector<QRectF> &exclusions, Visit visit)
{
    const long long kLo = std::max(0LL, -area.firstColumn);
    const long long kHi = std::min<long long>(area.columnCount, image.width() - area.firstColumn);
    const long long jLo = std::max(0LL, -area.firstRow);
    const long long jHi = std::min<long long>(area.rowCount, image.height() - area.firstRow);
    for (long long j = jLo; j < jHi; ++j) {
        const long long y = area.firstRow + j;
        const auto *pixels = reinterpret_cast<const QRgb *>(image.constScanLine(int(y)));
        for (long long k = kLo; k < kHi; ++k) {
            const long long x = area.firstColumn + k;
            if (!exclusions.empty()
                && std::any_of(exclusions.begin(), exclusions.end(),
                               [&](const QRectF &r) { return r.contains(QPointF(x + 0.5, y + 0.5)); }))
                continue;
            visit(int(k), int(j), float(lineWeight(pixels[x], options.colour, options.tolerance)));
        }
    }
}

std::array<float, 3> inkOf(QRgb colour)
{
    std::array<float, 3> ink{255.0f - qRed(colour), 255.0f - qGreen(colour), 255.0f - qBlue(colour)};
    const float length = std::sqrt(ink[0] * ink[0] + ink[1] * ink[1] + ink[2] * ink[2]);
    if (length == 0)
        return {0.57735f, 0.57735f, 0.57735f};
    for (float &c : ink)
        c /= length;
    return ink;
}

} // namespace

ColumnRuns lineRuns(const QImage &image, const ScanArea &area, const TraceOptions &options,
                    const std::vector<QRectF> &exclusions)
{
    ColumnRuns columns(size_t(std::max(0, area.columnCount)));
    if (area.columnCount <= 0 || area.rowCount <= 0)
        return columns;

    // What the curve weighs: the median of the columns' strongest pixels.
    std::vector<float> strongest(size_t(area.columnCount), 0);
    forEachWeight(image, area, options, exclusions, [&](int k, int, float w) {
        strongest[size_t(k)] = std::max(strongest[size_t(k)], w);
    });
    std::vector<float> present;
    for (float w : strongest)
        if (w >= FloorWeight)
            present.push_back(w);
    if (present.empty())
        return columns;
    std::nth_element(present.begin(), present.begin() + present.size() / 2, present.end());
    const float threshold = std::max(FloorWeight, present[present.size() / 2] / 2);

    // Runs grow row by row; an open run per column.
    struct Open
    {
        int top = -1;
        int last = -2;
        LineRun run;
        double sum = 0;
        double moment = 0;
        QRgb peakColour = 0;
    };
    auto pixelAt = [&](int k, int j) {
        return reinterpret_cast<const QRgb *>(image.constScanLine(int(area.firstRow + j)))[area.firstColumn + k];
    };
    std::vector<Open> open(size_t(area.columnCount));
    auto close = [&](int k) {
        Open &o = open[size_t(k)];
        if (o.top < 0)
            return;
        o.run.top = o.top;
        o.run.bottom = o.last;
        o.run.centre = float(o.moment / o.sum);
        o.run.ink = inkOf(o.peakColour);
        columns[size_t(k)].push_back(o.run);
        o = Open{};
    };
    forEachWeight(image, area, options, exclusions, [&](int k, int j, float w) {
        Open &o = open[size_t(k)];
        if (w < threshold) {
            if (o.top >= 0)
                close(k);
            return;
        }
        if (o.top >= 0 && o.last != j - 1) // a row skipped (excluded): a new run
            close(k);
        if (o.top < 0) {
            o.top = j;
            o.run.peak = -1;
        }
        o.last = j;
        if (w > o.run.peak) {
            o.run.peak = w;
            o.run.peakRow = j;
            o.peakColour = pixelAt(k, j);
        }
        o.sum += w;
        o.moment += double(w) * j;
    });
    for (int k = 0; k < area.columnCount; ++k) {
        close(k);
        auto &runs = columns[size_t(k)];
        if (runs.size() > MaxRunsPerColumn) {
            std::partial_sort(runs.begin(), runs.begin() + MaxRunsPerColumn, runs.end(),
                              [](const LineRun &a, const LineRun &b) { return a.peak > b.peak; });
            runs.resize(MaxRunsPerColumn);
            std::sort(runs.begin(), runs.end(), [](const LineRun &a, const LineRun &b) { return a.top < b.top; });
        }
    }
    return columns;
}
