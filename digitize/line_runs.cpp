#include "digitize/line_runs.h"


#include <QRectF>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cmath>
#include <functional>
#include <optional>

namespace {

// Runs weaker than this never count, whatever the curve weighs: a light
// grid line or JPEG noise on white.
constexpr float FloorWeight = 24;
// Columns keep their strongest runs only; more are text or hatching.
constexpr size_t MaxRunsPerColumn = 24;

// How strongly a pixel belongs to the line, 0 ... 255, with what stays the
// same for every pixel worked out once.
class Weigher
{
public:
    explicit Weigher(const TraceOptions &options)
        : m_colour(options.colour)
        , m_tolerance2(float(options.tolerance) * float(options.tolerance))
    {
        if (m_colour) {
            m_d = {255.0f - qRed(*m_colour), 255.0f - qGreen(*m_colour), 255.0f - qBlue(*m_colour)};
            m_dd = m_d[0] * m_d[0] + m_d[1] * m_d[1] + m_d[2] * m_d[2];
        }
    }

    float operator()(QRgb pixel) const
    {
        if (!m_colour)
            return float(255 - qGreen(pixel));
        // As lineWeight: the pixel's nearness to the blend of the colour with white.
        if (m_dd == 0)
            return 0;
        const float e[3] = {255.0f - qRed(pixel), 255.0f - qGreen(pixel), 255.0f - qBlue(pixel)};
        const float alpha = std::clamp((e[0] * m_d[0] + e[1] * m_d[1] + e[2] * m_d[2]) / m_dd, 0.0f, 1.0f);
        float residual = 0;
        for (int i = 0; i < 3; ++i)
            residual += (e[i] - alpha * m_d[size_t(i)]) * (e[i] - alpha * m_d[size_t(i)]);
        return residual <= m_tolerance2 ? 255 * alpha : 0;
    }

    bool isDarkness() const { return !m_colour; }

    // The weights of pixels from ... to - 1 of a row, rounded to whole
    // numbers; darkness in a loop the compiler turns into vector instructions.
    void row(const QRgb *pixels, int from, int to, std::uint8_t *weights) const
    {
        if (!m_colour) {
            for (int k = from; k < to; ++k)
                weights[k] = std::uint8_t(255 - ((pixels[k] >> 8) & 0xff));
            return;
        }
        for (int k = from; k < to; ++k)
            weights[k] = std::uint8_t(std::lround((*this)(pixels[k])));
    }

private:
    std::optional<QRgb> m_colour;
    float m_tolerance2;
    std::array<float, 3> m_d{};
    float m_dd = 0;
};

// The columns of each row (area indices) that an exclusion covers.
std::vector<std::pair<int, int>> excludedSpans(const std::vector<QRectF> &exclusions, const ScanArea &area, long long y,
                                               int kLo, int kHi)
{
    std::vector<std::pair<int, int>> spans;
    for (const QRectF &r : exclusions) {
        if (!(y + 0.5 > r.top() && y + 0.5 < r.bottom()))
            continue;
        // Pixels whose centres lie inside.
        const long long from = std::max<long long>(kLo, (long long)std::ceil(r.left() - 0.5) - area.firstColumn);
        const long long to = std::min<long long>(kHi, (long long)std::ceil(r.right() - 0.5) - area.firstColumn);
        if (from < to)
            spans.emplace_back(int(from), int(to));
    }
    return spans;
}

constexpr int Block = 32;

// The darkness of an area at a glance, from one pass over its pixels: the
// darkest green of each column, and of each block of Block columns in each
// row, so that the pass that grows runs passes paper by.
struct DarknessSurvey
{
    int kLo = 0, kHi = 0, jLo = 0, jHi = 0;
    int blocks = 0;
    std::vector<std::int32_t> column;   // darkest green of each column
    std::vector<std::uint8_t> blockRow; // darkest green of block b in row j: [(j - jLo) * blocks + b]
};

// Folds `rows` (1 to 4) consecutive rows into the columns' darkest green and
// notes each row's darkest green per block, keeping a column's value in a
// register across the rows. Built for AVX2 and for the baseline; the
// processor's best runs.
[[gnu::target_clones("avx2", "default")]] void surveyRows(const QRgb *const *pixels, int rows, int kLo, int kHi,
                                                           std::int32_t *__restrict column,
                                                           std::uint8_t *__restrict blockRows, int blocks)
{
    for (int block = kLo, b = 0; block < kHi; block += Block, ++b) {
        const int end = std::min(kHi, block + Block);
        std::int32_t darkest[4] = {255, 255, 255, 255};
        if (rows == 4) {
            const QRgb *__restrict r0 = pixels[0];
            const QRgb *__restrict r1 = pixels[1];
            const QRgb *__restrict r2 = pixels[2];
            const QRgb *__restrict r3 = pixels[3];
            std::int32_t d0 = 255, d1 = 255, d2 = 255, d3 = 255;
            for (int k = block; k < end; ++k) {
                const std::int32_t g0 = std::int32_t((r0[k] >> 8) & 0xff);
                const std::int32_t g1 = std::int32_t((r1[k] >> 8) & 0xff);
                const std::int32_t g2 = std::int32_t((r2[k] >> 8) & 0xff);
                const std::int32_t g3 = std::int32_t((r3[k] >> 8) & 0xff);
                column[k] = std::min(std::min(column[k], std::min(g0, g1)), std::min(g2, g3));
                d0 = std::min(d0, g0);
                d1 = std::min(d1, g1);
                d2 = std::min(d2, g2);
                d3 = std::min(d3, g3);
            }
            darkest[0] = d0, darkest[1] = d1, darkest[2] = d2, darkest[3] = d3;
        } else {
            for (int r = 0; r < rows; ++r) {
                for (int k = block; k < end; ++k) {
                    const std::int32_t green = std::int32_t((pixels[r][k] >> 8) & 0xff);
                    column[k] = std::min(column[k], green);
                    darkest[r] = std::min(darkest[r], green);
                }
            }
        }
        for (int r = 0; r < rows; ++r)
            blockRows[size_t(r) * size_t(blocks) + size_t(b)] = std::uint8_t(darkest[r]);
    }
}

DarknessSurvey surveyDarkness(const QImage &image, const ScanArea &area)
{
    DarknessSurvey survey;
    survey.kLo = int(std::max(0LL, -area.firstColumn));
    survey.kHi = int(std::min<long long>(area.columnCount, image.width() - area.firstColumn));
    survey.jLo = int(std::max(0LL, -area.firstRow));
    survey.jHi = int(std::min<long long>(area.rowCount, image.height() - area.firstRow));
    survey.column.assign(size_t(std::max(0, area.columnCount)), 255);
    if (survey.kHi <= survey.kLo || survey.jHi <= survey.jLo)
        return survey;
    survey.blocks = (survey.kHi - survey.kLo + Block - 1) / Block;
    survey.blockRow.assign(size_t(survey.blocks) * size_t(survey.jHi - survey.jLo), 255);
    for (int j = survey.jLo; j < survey.jHi; j += 4) {
        const int rows = std::min(4, survey.jHi - j);
        const QRgb *pixels[4];
        for (int r = 0; r < rows; ++r)
            pixels[r] = reinterpret_cast<const QRgb *>(image.constScanLine(int(area.firstRow + j + r))) + area.firstColumn;
        surveyRows(pixels, rows, survey.kLo, survey.kHi, survey.column.data(),
                   survey.blockRow.data() + size_t(j - survey.jLo) * size_t(survey.blocks), survey.blocks);
    }
    return survey;
}

// Calls visit(k, j, weight) for each pixel of the area inside the image whose
// weight reaches `floor`, and close(k, j) where a column's pixel falls short
// of it or is excluded, row by row in memory order.
// `open` marks the columns whose run is still growing, which need close().
// With a survey (darkness without exclusions), blocks it shows to hold no
// dark pixel are not read again.
template<typename Visit, typename Close>
void forEachRow(const QImage &image, const ScanArea &area, const Weigher &weigh, float floor,
                const std::vector<QRectF> &exclusions, const std::vector<int> &openInBlock,
                const DarknessSurvey *survey, Visit visit, Close close)
{
    const int kLo = int(std::max(0LL, -area.firstColumn));
    const int kHi = int(std::min<long long>(area.columnCount, image.width() - area.firstColumn));
    const int jLo = int(std::max(0LL, -area.firstRow));
    const int jHi = int(std::min<long long>(area.rowCount, image.height() - area.firstRow));
    std::vector<std::uint8_t> weights(size_t(std::max(0, kHi)));
    const std::uint8_t least = std::uint8_t(std::clamp(int(std::ceil(floor)), 1, 255));
    const bool direct = survey != nullptr;
    const std::uint8_t lightest = std::uint8_t(255 - least); // the lightest green that counts
    for (int j = jLo; j < jHi; ++j) {
        const long long y = area.firstRow + j;
        const QRgb *pixels = reinterpret_cast<const QRgb *>(image.constScanLine(int(y))) + area.firstColumn;
        if (!direct) {
            weigh.row(pixels, kLo, kHi, weights.data());
            for (const auto &[from, to] : excludedSpans(exclusions, area, y, kLo, kHi))
                std::fill(weights.begin() + from, weights.begin() + to, std::uint8_t(0));
        }
        // Most of a row is paper: blocks with nothing to visit or close are passed by.
        const std::uint8_t *darkest = direct ? survey->blockRow.data() + size_t(j - jLo) * size_t(survey->blocks) : nullptr;
        for (int block = kLo, b = 0; block < kHi; block += Block, ++b) {
            const int end = std::min(kHi, block + Block);
            int busy = openInBlock[size_t(b)] > 0;
            if (direct) {
                busy |= int(darkest[b] <= lightest);
            } else {
                for (int k = block; k < end; ++k)
                    busy |= int(weights[size_t(k)] >= least);
            }
            if (!busy)
                continue;
            if (direct)
                weigh.row(pixels, block, end, weights.data());
            for (int k = block; k < end; ++k) {
                const std::uint8_t w = weights[size_t(k)];
                if (w >= least)
                    visit(k, j, float(w));
                else
                    close(k, j);
            }
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
    const int columnCount = std::max(0, area.columnCount);
    if (area.columnCount <= 0 || area.rowCount <= 0)
        return ColumnRuns(columnCount, {});
    const Weigher weigh(options);
    auto pixelAt = [&](int k, int j) {
        return reinterpret_cast<const QRgb *>(image.constScanLine(int(area.firstRow + j)))[area.firstColumn + k];
    };

    // What the curve weighs: the median of the columns' strongest pixels.
    std::vector<float> strongest(size_t(area.columnCount), 0);
    std::optional<DarknessSurvey> survey;
    const int blocks = (area.columnCount + Block - 1) / Block + 1;
    std::vector<int> openInBlock(size_t(blocks), 0);
    if (weigh.isDarkness() && exclusions.empty()) {
        survey = surveyDarkness(image, area);
        for (int k = 0; k < area.columnCount; ++k)
            strongest[size_t(k)] = float(255 - survey->column[size_t(k)]);
    } else {
        forEachRow(image, area, weigh, FloorWeight, exclusions, openInBlock, nullptr,
                   [&](int k, int, float w) { strongest[size_t(k)] = std::max(strongest[size_t(k)], w); },
                   [](int, int) {});
    }
    std::vector<float> present;
    for (float w : strongest)
        if (w >= FloorWeight)
            present.push_back(w);
    if (present.empty())
        return ColumnRuns(columnCount, {});
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
    std::vector<Open> open(size_t(area.columnCount));
    std::vector<char> isOpen(size_t(area.columnCount), 0); // compact: read for every pixel near ink
    std::vector<std::pair<int, LineRun>> found;
    found.reserve(size_t(area.columnCount) * 2);
    const int kLo = int(std::max(0LL, -area.firstColumn));
    auto blockOf = [&](int k) { return size_t((k - kLo) / Block); };
    auto close = [&](int k) {
        Open &o = open[size_t(k)];
        if (o.top < 0)
            return;
        o.run.top = o.top;
        o.run.bottom = o.last;
        o.run.centre = float(o.moment / o.sum);
        o.run.ink = inkOf(o.peakColour);
        found.emplace_back(k, o.run);
        o = Open{};
        isOpen[size_t(k)] = 0;
        --openInBlock[blockOf(k)];
    };
    forEachRow(
        image, area, weigh, threshold, exclusions, openInBlock, survey ? &*survey : nullptr,
        [&](int k, int j, float w) {
            Open &o = open[size_t(k)];
            if (o.top < 0) {
                o.top = j;
                o.run.peak = -1;
                isOpen[size_t(k)] = 1;
                ++openInBlock[blockOf(k)];
            }
            o.last = j;
            if (w > o.run.peak) {
                o.run.peak = w;
                o.run.peakRow = j;
                o.peakColour = pixelAt(k, j);
            }
            o.sum += w;
            o.moment += double(w) * j;
        },
        [&](int k, int) {
            if (isOpen[size_t(k)])
                close(k);
        });
    for (int k = 0; k < area.columnCount; ++k)
        close(k);
    // A column with more runs than MaxRunsPerColumn keeps its strongest.
    std::vector<int> perColumn(size_t(columnCount), 0);
    for (const auto &[k, run] : found)
        ++perColumn[size_t(k)];
    if (std::any_of(perColumn.begin(), perColumn.end(), [](int n) { return n > int(MaxRunsPerColumn); })) {
        std::vector<std::vector<float>> peaks(static_cast<size_t>(columnCount));
        for (const auto &[k, run] : found)
            if (perColumn[size_t(k)] > int(MaxRunsPerColumn))
                peaks[size_t(k)].push_back(run.peak);
        std::vector<float> least(size_t(columnCount), 0);
        for (int k = 0; k < columnCount; ++k) {
            auto &p = peaks[size_t(k)];
            if (p.size() > MaxRunsPerColumn) {
                std::nth_element(p.begin(), p.begin() + MaxRunsPerColumn - 1, p.end(), std::greater<float>());
                least[size_t(k)] = p[MaxRunsPerColumn - 1];
            }
        }
        std::vector<int> kept(size_t(columnCount), 0);
        std::erase_if(found, [&](const std::pair<int, LineRun> &entry) {
            const int k = entry.first;
            if (perColumn[size_t(k)] <= int(MaxRunsPerColumn))
                return false;
            if (entry.second.peak < least[size_t(k)] || kept[size_t(k)] == int(MaxRunsPerColumn))
                return true;
            ++kept[size_t(k)];
            return false;
        });
    }
    return ColumnRuns(columnCount, found);
}
