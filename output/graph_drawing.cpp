#include "output/graph_drawing.h"

#include "calibration/number_text.h"
#include "calibration/work_state.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace {

std::optional<AxisFault> cornerValueFault(const CornerValues &values)
{
    if (!std::isfinite(values.xs) || !std::isfinite(values.xe))
        return AxisFault{Axis::X, MappingFault::OutOfRange};
    if (!std::isfinite(values.ys) || !std::isfinite(values.ye))
        return AxisFault{Axis::Y, MappingFault::OutOfRange};
    return std::nullopt;
}

QPen foregroundPen(qreal width)
{
    QPen pen(Qt::black, width);
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

GraphDrawOutcome drawGraph(QImage &surface, const WorkState &state, const CornerValues &values,
                           const QFont &labelFont)
{
    GraphDrawOutcome outcome;
    if ((outcome.fault = cornerValueFault(values)))
        return outcome;
    std::optional<double> yDecades;
    std::optional<double> xDecades;
    if (isYLogarithmic(state.AxisScale)) {
        const AxisValue n = decadeCount(values.ys, values.ye);
        if (!n.value) {
            outcome.fault = AxisFault{Axis::Y, n.fault};
            return outcome;
        }
        yDecades = n.value;
    }
    if (isXLogarithmic(state.AxisScale)) {
        const AxisValue m = decadeCount(values.xs, values.xe);
        if (!m.value) {
            outcome.fault = AxisFault{Axis::X, m.fault};
            return outcome;
        }
        xDecades = m.value;
    }

    const double sx = state.StartPixelX;
    const double sy = state.StartPixelY;
    const double ex = state.EndPixelX;
    const double ey = state.EndPixelY;
    const double width = ex - sx;
    const double height = sy - ey;

    surface.fill(Qt::white);
    QPainter painter(&surface);

    painter.setPen(foregroundPen(2));
    painter.drawPolyline(QPolygonF({QPointF(float(sx), float(sy)), QPointF(float(ex), float(sy)),
                                    QPointF(float(ex), float(ey)), QPointF(float(sx), float(ey)),
                                    QPointF(float(sx), float(sy))}));

    painter.setPen(foregroundPen(1));
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
    QPolygonF curve;
    curve << QPointF(float(sx + 2), state.CurveY[1]);
    int i = 2;
    const float last = float(ex - 2);
    for (float x = float(sx + 3); x <= last; x += 1.0f, ++i) {
        if (i > WorkState::TableLast) {
            outcome.truncated = true;
            break;
        }
        curve << QPointF(x, state.CurveY[size_t(i)]);
    }
    if (curve.size() == 1)
        painter.drawPoint(curve.front());
    else
        painter.drawPolyline(curve);

    painter.setPen(foregroundPen(1));
    painter.setFont(labelFont);
    printAt(painter, sx - 0.05 * width, sy + 0.02 * height, formatNumberItem(values.xs));
    printAt(painter, ex - 0.05 * width, sy + 0.02 * height, formatNumberItem(values.xe));
    printAt(painter, ex + 0.02 * width, sy - 0.02 * height, formatNumberItem(values.ys));
    printAt(painter, ex + 0.02 * width, ey - 0.02 * height, formatNumberItem(values.ye));
    return outcome;
}
