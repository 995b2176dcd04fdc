#include "digitize/line_weight.h"

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
