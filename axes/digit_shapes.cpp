#include "axes/digit_shapes.h"

#include "axes/axis_lines.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// The ink in the box with a pixel of rim around it (small print is mostly
// antialiased rim), as darkness row by row.
std::vector<float> darknessAround(const GrayPicture &g, const QRect &box)
{
    std::vector<float> out;
    out.reserve(size_t((box.width() + 2) * (box.height() + 2)));
    for (int y = box.top() - 1; y <= box.bottom() + 1; ++y) {
        for (int x = box.left() - 1; x <= box.right() + 1; ++x)
            out.push_back(float(255 - g.at(x, y)));
    }
    return out;
}

// Normalised correlation of two grids of equal size, from -1 to 1.
double correlation(const std::vector<float> &a, const std::vector<float> &b)
{
    const double n = double(a.size());
    const double meanA = std::accumulate(a.begin(), a.end(), 0.0) / n, meanB = std::accumulate(b.begin(), b.end(), 0.0) / n;
    double ab = 0, aa = 0, bb = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        ab += (a[i] - meanA) * (b[i] - meanB);
        aa += (a[i] - meanA) * (a[i] - meanA);
        bb += (b[i] - meanB) * (b[i] - meanB);
    }
    return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0;
}

// How much each of `from` learnt pixels along one axis counts in each of
// `to` target pixels (to × from, row by row): the learnt ink scaled by
// `scale` about its centre `fromCentre`, put at `toCentre` (coordinates in
// pixels, a pixel's centre at half). Each target pixel averages the learnt
// ink, read between its pixels, over the part it covers.
std::vector<float> reduction(int to, int from, double scale, double toCentre, double fromCentre)
{
    constexpr int Samples = 4; // across each target pixel
    std::vector<float> weights(size_t(to * from), 0);
    for (int t = 0; t < to; ++t) {
        for (int i = 0; i < Samples; ++i) {
            const double at = (t + (i + 0.5) / Samples - toCentre) / scale + fromCentre - 0.5;
            const int low = int(std::floor(at));
            const double high = at - low;
            if (low >= 0 && low < from)
                weights[size_t(t * from + low)] += float((1 - high) / Samples);
            if (low + 1 >= 0 && low + 1 < from)
                weights[size_t(t * from + low + 1)] += float(high / Samples);
        }
    }
    return weights;
}

} // namespace

void DigitShapes::learn(const GrayPicture &g, const QRect &box, QChar digit)
{
    if (!digit.isDigit() || box.isEmpty() || m_ink[size_t(digit.digitValue())].size() >= Kept)
        return;
    m_ink[size_t(digit.digitValue())].push_back(Ink{box.width(), box.height(), darknessAround(g, box)});
}

bool DigitShapes::knows(QChar digit) const
{
    return digit.isDigit() && !m_ink[size_t(digit.digitValue())].empty();
}

std::optional<double> DigitShapes::likeness(const GrayPicture &g, const QRect &box, QChar digit, bool sameSize) const
{
    if (!knows(digit) || box.isEmpty())
        return std::nullopt;
    const int w = box.width() + 2, h = box.height() + 2;
    const std::vector<float> target = darknessAround(g, box);
    std::vector<float> drawn(target.size());
    double best = -1;
    for (const Ink &ink : m_ink[size_t(digit.digitValue())]) {
        const int iw = ink.width + 2, ih = ink.height + 2;
        std::vector<float> narrowed(size_t(ih * w));
        // The box is known to a pixel, the ink's true size and place to a
        // fraction of one; its width keeps the learnt digit's proportions.
        const std::vector<double> heights = sameSize ? std::vector<double>{0.0} : std::vector<double>{-0.5, 0.0, 0.5};
        const std::vector<double> stretches = sameSize ? std::vector<double>{1.0} : std::vector<double>{0.85, 1.0, 1.15};
        const std::vector<double> across = sameSize ? std::vector<double>{-0.25, 0.25} : std::vector<double>{-0.5, -0.25, 0.0, 0.25, 0.5};
        const std::vector<double> down = sameSize ? std::vector<double>{-0.25, 0.25} : std::vector<double>{-0.25, 0.0, 0.25};
        for (double dh : heights) {
            const double scale = (box.height() + dh) / ink.height;
            std::vector<std::vector<float>> rows;
            for (double oy : down)
                rows.push_back(reduction(h, ih, scale, 1 + box.height() / 2.0 + oy, 1 + ink.height / 2.0));
            for (double stretch : stretches) {
                for (double ox : across) {
                    const auto columns = reduction(w, iw, scale * stretch, 1 + box.width() / 2.0 + ox, 1 + ink.width / 2.0);
                    // Columns first (the learnt rows reduced to the box's width), then rows.
                    for (int v = 0; v < ih; ++v) {
                        for (int x = 0; x < w; ++x) {
                            float sum = 0;
                            for (int u = 0; u < iw; ++u)
                                sum += columns[size_t(x * iw + u)] * ink.darkness[size_t(v * iw + u)];
                            narrowed[size_t(v * w + x)] = sum;
                        }
                    }
                    for (const std::vector<float> &rowWeights : rows) {
                        for (int y = 0; y < h; ++y) {
                            for (int x = 0; x < w; ++x) {
                                float sum = 0;
                                for (int v = 0; v < ih; ++v)
                                    sum += rowWeights[size_t(y * ih + v)] * narrowed[size_t(v * w + x)];
                                drawn[size_t(y * w + x)] = sum;
                            }
                        }
                        best = std::max(best, correlation(target, drawn));
                    }
                }
            }
        }
    }
    return best;
}

std::vector<std::pair<double, QChar>> DigitShapes::ranked(const GrayPicture &g, const QRect &box, bool sameSize) const
{
    std::vector<std::pair<double, QChar>> out;
    for (char16_t d = u'0'; d <= u'9'; ++d) {
        if (const auto l = likeness(g, box, QChar(d), sameSize))
            out.emplace_back(*l, QChar(d));
    }
    std::sort(out.begin(), out.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    return out;
}

std::optional<QChar> DigitShapes::closest(const GrayPicture &g, const QRect &box) const
{
    const auto r = ranked(g, box);
    return r.empty() ? std::nullopt : std::optional<QChar>(r.front().second);
}

std::optional<QChar> DigitShapes::clearly(const GrayPicture &g, const QRect &box) const
{
    // Measured on typeset exponents of 3 to 9 pixels against the labels'
    // digits: where the digit is among them, it is mostly the best at 0.9 and
    // more, 0.05 ahead of the next; where it is not, the best scores at most 0.85.
    constexpr double Like = 0.9, Apart = 0.05;
    const auto r = ranked(g, box);
    if (r.empty() || r.front().first < Like || (r.size() > 1 && r[1].first > r.front().first - Apart))
        return std::nullopt;
    return r.front().second;
}

DigitShapes::Verdict DigitShapes::verdict(const GrayPicture &g, const QRect &box, QChar read, bool sameSize) const
{
    const auto r = ranked(g, box, sameSize);
    if (r.empty())
        return Verdict::Undecided;
    if (r.front().second == read)
        return Verdict::Agrees;
    const auto readLikeness = std::find_if(r.begin(), r.end(), [&](const auto &l) { return l.second == read; });
    if (readLikeness != r.end())
        return readLikeness->first < r.front().first - 0.1 ? Verdict::Contradicts : Verdict::Undecided;
    // A digit never learnt, where print of the learnt size is nearly the
    // same as a learnt digit: that digit misread.
    return sameSize && r.front().first >= SameAs ? Verdict::Contradicts : Verdict::Undecided;
}
