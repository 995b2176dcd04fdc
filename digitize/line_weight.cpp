#include "digitize/line_weight.h"

#include <QImage>

#include <algorithm>

double lineWeight(QRgb pixel, std::optional<QRgb> colour, int tolerance)
{
    if (!colour)
        return 255 - qGreen(pixel);
    const QRgb c = *colour;
    const double d[3] = {255.0 - qRed(c), 255.0 - qGreen(c), 255.0 - qBlue(c)};
    const double e[3] = {255.0 - qRed(pixel), 255.0 - qGreen(pixel), 255.0 - qBlue(pixel)};
    const double dd = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
    if (dd == 0)
        return 0;
    const double alpha = std::clamp((e[0] * d[0] + e[1] * d[1] + e[2] * d[2]) / dd, 0.0, 1.0);
    double residual = 0;
    for (int i = 0; i < 3; ++i)
        residual += (e[i] - alpha * d[i]) * (e[i] - alpha * d[i]);
    return residual <= double(tolerance) * tolerance ? 255 * alpha : 0;
}

std::optional<QRgb> clearColourNear(const QImage &picture, QPoint pixel)
{
    constexpr int Reach = 2;
    constexpr int ClearlyColoured = 60; // the spread of its channels
    std::optional<QRgb> best;
    int bestSpread = ClearlyColoured - 1;
    for (int dy = -Reach; dy <= Reach; ++dy) {
        for (int dx = -Reach; dx <= Reach; ++dx) {
            const QPoint at = pixel + QPoint(dx, dy);
            if (!picture.valid(at))
                continue;
            const QRgb p = picture.pixel(at);
            const int spread = std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)});
            if (spread > bestSpread) {
                bestSpread = spread;
                best = p | 0xff000000;
            }
        }
    }
    return best;
}
