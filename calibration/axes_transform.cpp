#include "calibration/axes_transform.h"

#include "calibration/calibration.h"

#include <cmath>

namespace {

double cross(QPointF a, QPointF b)
{
    return a.x() * b.y() - a.y() * b.x();
}

bool finitePoint(QPointF p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// Why a logarithmic axis has no value for `value` measured from `origin`, or nothing.
std::optional<MappingFault> logFault(double origin, double value)
{
    if (!std::isfinite(origin) || !std::isfinite(value))
        return MappingFault::OutOfRange;
    if (origin == 0)
        return MappingFault::LogStartZero;
    if (!(value / origin > 0))
        return MappingFault::LogRatioNotPositive;
    return std::nullopt;
}

void refuse(QString *why, const QString &text)
{
    if (why)
        *why = text;
}

} // namespace

AxisValue AxesTransform::Axis::valueAt(double px, double py) const
{
    const auto offset = [&](double p, double origin) {
        return singleOffsets ? double(float(p) - float(origin)) : p - origin;
    };
    double along = offset(px, originX) * alongColumns;
    if (alongRows != 0)
        along += offset(py, originY) * alongRows;
    along /= divisor;
    const double value = kind == AxisKind::Logarithmic ? originValue * std::exp(along) : originValue + along;
    if (std::isfinite(value))
        return {value, MappingFault::OutOfRange};
    return {std::nullopt, divisor == 0 ? MappingFault::ZeroSpan : MappingFault::OutOfRange};
}

std::optional<double> AxesTransform::Axis::linearisedValue(double value) const
{
    if (kind == AxisKind::Linear)
        return std::isfinite(value) ? std::optional(value - originValue) : std::nullopt;
    if (logFault(originValue, value))
        return std::nullopt;
    return std::log(value / originValue);
}

std::optional<AxesTransform> AxesTransform::fromCorners(const Calibration &calibration, AxisFault *fault)
{
    AxesTransform t;
    const auto axis = [&](const AxisCalibration &c, ::Axis which, Axis &out) {
        out.kind = c.logarithmic ? AxisKind::Logarithmic : AxisKind::Linear;
        out.singleOffsets = true;
        out.originValue = c.startValue;
        (which == ::Axis::X ? out.originX : out.originY) = c.startPixel;
        const float span = c.endPixel - c.startPixel;
        double &slope = which == ::Axis::X ? out.alongColumns : out.alongRows;
        if (!c.logarithmic) {
            slope = c.endValue - c.startValue;
            out.divisor = double(span);
            return true;
        }
        std::optional<MappingFault> why = logFault(c.startValue, c.endValue);
        if (!why && span == 0.0f)
            why = MappingFault::ZeroSpan;
        if (!why) {
            slope = std::log(c.endValue / c.startValue) / double(span);
            if (!std::isfinite(slope))
                why = MappingFault::OutOfRange;
        }
        if (why && fault)
            *fault = {which, *why};
        return !why;
    };
    if (!axis(calibration.xAxis(), ::Axis::X, t.m_x) || !axis(calibration.yAxis(), ::Axis::Y, t.m_y))
        return std::nullopt;
    return t;
}

std::optional<AxesTransform> AxesTransform::fromReferencePoints(AxisKind xKind, AxisKind yKind,
                                                                const std::array<ReferencePoint, 3> &points,
                                                                QString *why)
{
    for (const ReferencePoint &p : points) {
        if (!finitePoint(p.pixel)) {
            refuse(why, QStringLiteral("a reference point lies outside the picture"));
            return std::nullopt;
        }
    }
    const QPointF d1 = points[1].pixel - points[0].pixel, d2 = points[2].pixel - points[0].pixel;
    const double det = cross(d1, d2);
    if (det == 0) {
        refuse(why, QStringLiteral("the three points lie on one line"));
        return std::nullopt;
    }
    AxesTransform t;
    // Each axis measured from the first point: its linearised value there is 0.
    const auto axis = [&](AxisKind kind, double v0, double v1, double v2, Axis &out, const QString &name) {
        out.kind = kind;
        out.originValue = v0;
        out.originX = points[0].pixel.x();
        out.originY = points[0].pixel.y();
        const auto u1 = out.linearisedValue(v1), u2 = out.linearisedValue(v2);
        if (!u1 || !u2 || !std::isfinite(v0)) {
            refuse(why, QStringLiteral("the %1 values have no logarithm of one sign").arg(name));
            return false;
        }
        // Solve u = a dx + b dy through the two other points.
        out.alongColumns = (*u1 * d2.y() - *u2 * d1.y()) / det;
        out.alongRows = (*u2 * d1.x() - *u1 * d2.x()) / det;
        if (out.alongColumns == 0 && out.alongRows == 0) {
            refuse(why, QStringLiteral("the three points have one %1 value").arg(name));
            return false;
        }
        return true;
    };
    if (!axis(xKind, points[0].x, points[1].x, points[2].x, t.m_x, QStringLiteral("X"))
        || !axis(yKind, points[0].y, points[1].y, points[2].y, t.m_y, QStringLiteral("Y")))
        return std::nullopt;
    if (cross({t.m_x.alongColumns, t.m_x.alongRows}, {t.m_y.alongColumns, t.m_y.alongRows}) == 0) {
        refuse(why, QStringLiteral("the X and Y values of the three points do not span the plane"));
        return std::nullopt;
    }
    return t;
}

std::optional<AxesTransform> AxesTransform::fromAxisPoints(AxisKind xKind, AxisKind yKind,
                                                           const std::array<AxisPoint, 2> &xAxis,
                                                           const std::array<AxisPoint, 2> &yAxis, QString *why)
{
    for (const AxisPoint &p : {xAxis[0], xAxis[1], yAxis[0], yAxis[1]}) {
        if (!finitePoint(p.pixel)) {
            refuse(why, QStringLiteral("an axis point lies outside the picture"));
            return std::nullopt;
        }
    }
    const QPointF ex = xAxis[1].pixel - xAxis[0].pixel, ey = yAxis[1].pixel - yAxis[0].pixel;
    if (ex.isNull() || ey.isNull()) {
        refuse(why, QStringLiteral("the two points on the %1 axis are one").arg(ex.isNull() ? QStringLiteral("X") : QStringLiteral("Y")));
        return std::nullopt;
    }
    if (cross(ex, ey) == 0) {
        refuse(why, QStringLiteral("the X and Y axes are parallel"));
        return std::nullopt;
    }
    AxesTransform t;
    // A point's value on one axis is read where the line through it, parallel
    // to the other axis, meets this axis: u = U * cross(p - P1, e') / cross(P2 - P1, e').
    const auto axis = [&](AxisKind kind, const std::array<AxisPoint, 2> &on, QPointF other, Axis &out,
                          const QString &name) {
        out.kind = kind;
        out.originValue = on[0].value;
        out.originX = on[0].pixel.x();
        out.originY = on[0].pixel.y();
        const auto u = out.linearisedValue(on[1].value);
        if (!u || !std::isfinite(on[0].value)) {
            refuse(why, QStringLiteral("the two %1 values have no logarithm of one sign").arg(name));
            return false;
        }
        if (*u == 0) {
            refuse(why, QStringLiteral("the two %1 values are equal").arg(name));
            return false;
        }
        out.alongColumns = *u * other.y();
        out.alongRows = -*u * other.x();
        out.divisor = cross(on[1].pixel - on[0].pixel, other);
        return true;
    };
    if (!axis(xKind, xAxis, ey, t.m_x, QStringLiteral("X")) || !axis(yKind, yAxis, ex, t.m_y, QStringLiteral("Y")))
        return std::nullopt;
    return t;
}

std::optional<QPointF> AxesTransform::toAxes(QPointF pixel) const
{
    const AxisValue x = xAt(pixel.x(), pixel.y()), y = yAt(pixel.x(), pixel.y());
    if (!x.value || !y.value)
        return std::nullopt;
    return QPointF(*x.value, *y.value);
}

QTransform AxesTransform::linearised() const
{
    const auto row = [](const Axis &a) {
        return std::array{a.alongColumns / a.divisor, a.alongRows / a.divisor,
                          -(a.alongColumns * a.originX + a.alongRows * a.originY) / a.divisor};
    };
    const auto u = row(m_x), v = row(m_y);
    return QTransform(u[0], v[0], u[1], v[1], u[2], v[2]);
}

std::optional<QPointF> AxesTransform::toPixel(double x, double y) const
{
    const auto u = m_x.linearisedValue(x), v = m_y.linearisedValue(y);
    if (!u || !v)
        return std::nullopt;
    bool invertible = false;
    const QTransform back = linearised().inverted(&invertible);
    if (!invertible)
        return std::nullopt;
    const QPointF pixel = back.map(QPointF(*u, *v));
    if (!finitePoint(pixel))
        return std::nullopt;
    return pixel;
}
