#include "digitize/trace_scan.h"

#include "digitize/line_weight.h"

#include <algorithm>
#include <cstdint>

namespace {

// The index range [lo, hi) of a run whose pixels lie inside 0 ... size - 1.
std::pair<int, int> insideRange(long long firstPixel, int count, int size)
{
    const long long lo = std::clamp<long long>(-firstPixel, 0, count);
    const long long hi = std::clamp<long long>(size - firstPixel, lo, count);
    return {int(lo), int(hi)};
}

// Folds one picture row into the running best green and picked row of each
// column. Strictly less: between equal greens the row scanned first wins.
[[gnu::always_inline]] inline void foldRow(const QRgb *__restrict pixels, int row, int from, int to,
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
[[gnu::always_inline]] inline void foldFourRows(const QRgb *const rows[4], int firstRow, int from, int to,
                                                std::int32_t *__restrict best,
                                                std::int32_t *__restrict picked)
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

struct ScanRows
{
    const QImage &image;
    const ScanArea &area;
    int kLo, kHi, jLo, jHi;

    // Pixel k of the returned pointer is the pixel of column k of the area.
    const QRgb *row(int j) const
    {
        return reinterpret_cast<const QRgb *>(image.constScanLine(int(area.firstRow + j)))
            + area.firstColumn;
    }
};

[[gnu::always_inline]] inline void scanAll(const ScanRows &s, std::int32_t *best, std::int32_t *picked)
{
    int j = s.jLo;
    for (; j + 4 <= s.jHi; j += 4) {
        const QRgb *const four[4] = {s.row(j), s.row(j + 1), s.row(j + 2), s.row(j + 3)};
        foldFourRows(four, j, s.kLo, s.kHi, best, picked);
    }
    for (; j < s.jHi; ++j)
        foldRow(s.row(j), j, s.kLo, s.kHi, best, picked);
}

void scanBaseline(const ScanRows &s, std::int32_t *best, std::int32_t *picked)
{
    scanAll(s, best, picked);
}

__attribute__((target("avx2"))) void scanAvx2(const ScanRows &s, std::int32_t *best, std::int32_t *picked)
{
    scanAll(s, best, picked);
}

ScanRows scanRows(const QImage &image, const ScanArea &area)
{
    const auto [kLo, kHi] = insideRange(area.firstColumn, area.columnCount, image.width());
    const auto [jLo, jHi] = insideRange(area.firstRow, area.rowCount, image.height());
    return {image, area, kLo, kHi, jLo, jHi};
}

} // namespace

bool scanPathAvailable(ScanPath path)
{
    return path == ScanPath::Baseline || __builtin_cpu_supports("avx2");
}

std::vector<int> darkestRows(const QImage &image, const ScanArea &area, std::optional<ScanPath> path)
{
    std::vector<std::int32_t> picked(size_t(area.columnCount), NoQualifyingRow);
    std::vector<std::int32_t> best(size_t(area.columnCount), 255);
    static const ScanPath bestPath = scanPathAvailable(ScanPath::Avx2) ? ScanPath::Avx2 : ScanPath::Baseline;
    const ScanRows rows = scanRows(image, area);
    if (path.value_or(bestPath) == ScanPath::Avx2)
        scanAvx2(rows, best.data(), picked.data());
    else
        scanBaseline(rows, best.data(), picked.data());
    return std::vector<int>(picked.begin(), picked.end());
}

std::vector<int> strongestColourRows(const QImage &image, const ScanArea &area, QRgb colour, int tolerance)
{
    std::vector<int> picked(size_t(area.columnCount), NoQualifyingRow);
    std::vector<double> best(size_t(area.columnCount), 0);
    const ScanRows rows = scanRows(image, area);
    for (int j = rows.jLo; j < rows.jHi; ++j) {
        const QRgb *pixels = rows.row(j);
        for (int k = rows.kLo; k < rows.kHi; ++k) {
            const double w = lineWeight(pixels[k], colour, tolerance);
            if (w > best[size_t(k)]) {
                best[size_t(k)] = w;
                picked[size_t(k)] = j;
            }
        }
    }
    return picked;
}
