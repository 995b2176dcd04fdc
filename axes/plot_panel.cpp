#include "axes/plot_panel.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

constexpr int Lightest = 250;   // lighter than this is paper, not a panel
constexpr int Darkest = 190;    // darker than this is ink, not a panel
constexpr int Near = 3;         // grey levels of one fill
constexpr double Spread = 0.3;  // a panel row or column holds at least this share of the fill
constexpr double Filled = 0.5;  // and the rectangle at least this share

bool nearGrey(int v, int grey)
{
    return std::abs(v - grey) <= Near;
}

} // namespace

std::optional<PlotPanel> findPlotPanel(const QImage &grey)
{
    const int w = grey.width(), h = grey.height();
    if (w < 40 || h < 40 || grey.format() != QImage::Format_Grayscale8)
        return std::nullopt;
    std::array<qint64, 256> counts{};
    for (int y = 0; y < h; ++y) {
        const uchar *line = grey.constScanLine(y);
        for (int x = 0; x < w; ++x)
            ++counts[line[x]];
    }
    const auto commonest = std::max_element(counts.begin() + Darkest, counts.begin() + Lightest + 1);
    const int fill = int(commonest - counts.begin());
    qint64 near = 0;
    for (int v = fill - Near; v <= fill + Near; ++v)
        near += counts[size_t(v)];
    if (near < qint64(w) * h / 6)
        return std::nullopt;
    std::vector<int> inRow(size_t(h), 0), inColumn(size_t(w), 0);
    for (int y = 0; y < h; ++y) {
        const uchar *line = grey.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            if (nearGrey(line[x], fill))
                ++inRow[size_t(y)], ++inColumn[size_t(x)];
        }
    }
    auto extent = [](const std::vector<int> &counts, int minimum) -> std::pair<int, int> {
        int first = -1, last = -1;
        for (int i = 0; i < int(counts.size()); ++i) {
            if (counts[size_t(i)] >= minimum) {
                if (first < 0)
                    first = i;
                last = i;
            }
        }
        return {first, last};
    };
    const auto [top, bottom] = extent(inRow, int(Spread * w));
    const auto [left, right] = extent(inColumn, int(Spread * h));
    if (top < 0 || left < 0)
        return std::nullopt;
    const QRect rect(QPoint(left, top), QPoint(right, bottom));
    qint64 inside = 0;
    for (int y = top; y <= bottom; ++y)
        inside += inRow[size_t(y)];
    if (rect.width() < w / 4 || rect.height() < h / 4 || inside < Filled * rect.width() * rect.height())
        return std::nullopt;
    return PlotPanel{rect, fill};
}

QImage panelAsFrame(const QImage &grey, const PlotPanel &panel)
{
    QImage out = grey.convertToFormat(QImage::Format_Grayscale8);
    const int p = std::max(1, panel.grey);
    for (int y = 0; y < out.height(); ++y) {
        uchar *line = out.scanLine(y);
        for (int x = 0; x < out.width(); ++x)
            line[x] = line[x] >= p - Near ? 255 : uchar(line[x] * 255 / p);
    }
    const QRect r = panel.rect;
    for (int x = r.left(); x <= r.right(); ++x)
        out.scanLine(r.top())[x] = out.scanLine(r.bottom())[x] = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        out.scanLine(y)[r.left()] = out.scanLine(y)[r.right()] = 0;
    return out;
}
