#include "output/graph_drawing.h"

#include "calibration/calibration.h"
#include "calibration/number_text.h"
#include "digitize/trace_bounds.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace {

std::optional<AxisFault> cornerValueFault(const CornerValues &values)
{
    if (!std::isfinite(values.startX) || !std::isfinite(values.endX))
        return AxisFault{Axis::X, MappingFault::OutOfRange};
    if (!std::isfinite(values.startY) || !std::isfinite(values.endY))
        return AxisFault{Axis::Y, MappingFault::OutOfRange};
    return std::nullopt;
}

QPen foregroundPen(const QColor &colour, qreal width)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

// Prints text with its top-left corner at the text cursor (x, y).
void printAt(QPainter &painter, double x, double y, const QString &text)
{
    const QFontMetricsF metrics(painter.font());
    painter.drawText(QPointF(float(x), float(y + metrics.ascent())), text);
}

} // namespace

AxisValue decadeCount(double startValue, double endValue)
{
    if (startValue == 0)
        return {std::nullopt, MappingFault::LogStartZero};
    const double ratio = endValue / startValue;
    if (!(ratio > 0))
        return {std::nullopt, MappingFault::LogRatioNotPositive};
    const double n = std::log(ratio) / std::log(10.0);
    if (!std::isfinite(n))
        return {std::nullopt, MappingFault::OutOfRange};
    return {n, MappingFault::OutOfRange};
}

GraphDrawOutcome drawGraph(QImage &surface, const Calibration &calibration,
                           std::span<const float> pickedRows, const QFont &labelFont,
                           const QColor &foreground)
{
    const CornerValues &values = calibration.values;
    GraphDrawOutcome outcome;
    if ((outcome.fault = cornerValueFault(values)))
        return outcome;
    std::optional<double> yDecades;
    std::optional<double> xDecades;
    if (calibration.yLogarithmic()) {
        const AxisValue n = decadeCount(values.startY, values.endY);
        if (!n.value) {
            outcome.fault = AxisFault{Axis::Y, n.fault};
            return outcome;
        }
        yDecades = n.value;
    }
    if (calibration.xLogarithmic()) {
        const AxisValue m = decadeCount(values.startX, values.endX);
        if (!m.value) {
            outcome.fault = AxisFault{Axis::X, m.fault};
            return outcome;
        }
        xDecades = m.value;
    }

    const double sx = calibration.start.x;
    const double sy = calibration.start.y;
    const double ex = calibration.end.x;
    const double ey = calibration.end.y;
    const double width = ex - sx;
    const double height = sy - ey;

    surface.fill(Qt::white);
    QPainter painter(&surface);

    painter.setPen(foregroundPen(foreground, 2));
    painter.drawPolyline(QPolygonF({QPointF(float(sx), float(sy)), QPointF(float(ex), float(sy)),
                                    QPointF(float(ex), float(ey)), QPointF(float(sx), float(ey)),
                                    QPointF(float(sx), float(sy))}));

    painter.setPen(foregroundPen(foreground, 1));
    if (yDecades) {
        for (int j = 1; j <= *yDecades; ++j) {
            const float y = float(sy - height * j / *yDecades);
            painter.drawLine(QPointF(float(sx), y), QPointF(float(ex), y));
        }
    }
    if (xDecades) {
        for (int j = 1; j <= *xDecades; ++j) {
            const float x = float(sx + width * j / *xDecades);
            painter.drawLine(QPointF(x, float(sy)), QPointF(x, float(ey)));
        }
    }

    // The curve: one point per traced column, joined in trace order.
    QPen curvePen(QColor(255, 0, 0), 2);
    curvePen.setCapStyle(Qt::RoundCap);
    curvePen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(curvePen);
    const TraceBounds bounds = TraceBounds::of(calibration);
    QPolygonF curve;
    curve << QPointF(bounds.firstColumn, pickedRows.empty() ? 0.f : pickedRows[0]);
    size_t k = 1;
    for (float x = bounds.firstColumn + 1; x <= bounds.lastColumn; x += 1.0f, ++k) {
        if (k >= pickedRows.size()) {
            outcome.truncated = true;
            break;
        }
        curve << QPointF(x, pickedRows[k]);
    }
    if (curve.size() == 1)
        painter.drawPoint(curve.front());
    else
        painter.drawPolyline(curve);

    painter.setPen(foregroundPen(foreground, 1));
    painter.setFont(labelFont);
    printAt(painter, sx - 0.05 * width, sy + 0.02 * height, formatNumberItem(values.startX));
    printAt(painter, ex - 0.05 * width, sy + 0.02 * height, formatNumberItem(values.endX));
    printAt(painter, ex + 0.02 * width, sy - 0.02 * height, formatNumberItem(values.startY));
    printAt(painter, ex + 0.02 * width, ey - 0.02 * height, formatNumberItem(values.endY));
    return outcome;
}
