#pragma once

#include "calibration/axis_mapping.h"
#include "calibration/axis_scale.h"

#include <QPointF>
#include <QString>
#include <QTransform>

#include <array>
#include <optional>

struct Calibration;

// A point of a calibration: where it lies in the picture and the axis
// value it stands for (one of a pair of points on one axis), or both values
// (one of three reference points).
struct AxisPoint
{
    QPointF pixel;
    double value = 0;
};

struct ReferencePoint
{
    QPointF pixel;
    double x = 0;
    double y = 0;
};

// The one mapping from picture pixels to axis values and back. Each axis has
// a kind; its values are first made linear (a logarithmic axis by the
// logarithm of value / origin value) and one plane transform takes pixels to
// those linearised values. Two corners of an axis-parallel frame give the
// transform the trace has always used, evaluated in the same order (the
// pixel offset in single precision, then start + offset * span / pixels);
// three points with both values, or two points on each axis, give a turned
// or skewed one.
class AxesTransform
{
public:
    // The two corners: none when an axis has no defined value (the fault says which and why).
    static std::optional<AxesTransform> fromCorners(const Calibration &calibration, AxisFault *fault = nullptr);
    // Three points that do not lie on one line, with both values each.
    static std::optional<AxesTransform> fromReferencePoints(AxisKind xKind, AxisKind yKind,
                                                            const std::array<ReferencePoint, 3> &points,
                                                            QString *why = nullptr);
    // Two points on the X axis with their X values and two on the Y axis with
    // their Y values; the axes may meet at any angle but not be parallel.
    static std::optional<AxesTransform> fromAxisPoints(AxisKind xKind, AxisKind yKind,
                                                       const std::array<AxisPoint, 2> &xAxis,
                                                       const std::array<AxisPoint, 2> &yAxis, QString *why = nullptr);

    AxisKind xKind() const { return m_x.kind; }
    AxisKind yKind() const { return m_y.kind; }
    // X depends on the column alone and Y on the row alone, as for two corners.
    bool isAxisParallel() const { return m_x.alongRows == 0 && m_y.alongColumns == 0; }

    // The axis values at a picture position; no value where one is not finite.
    AxisValue xAt(double px, double py) const { return m_x.valueAt(px, py); }
    AxisValue yAt(double px, double py) const { return m_y.valueAt(px, py); }
    std::optional<QPointF> toAxes(QPointF pixel) const;
    // The picture position of two axis values; none where a value has no place
    // on its axis (zero or the other sign on a logarithmic axis).
    std::optional<QPointF> toPixel(double x, double y) const;

    // Pixels to the linearised values (x in the first, y in the second
    // coordinate); its inverse takes them back.
    QTransform linearised() const;

private:
    struct Axis
    {
        AxisKind kind = AxisKind::Linear;
        double originValue = 0; // the value at the origin pixel
        double originX = 0;     // the origin pixel
        double originY = 0;
        // Two corners: offsets from the origin formed in single precision, as
        // the trace and its data file have always formed them.
        bool singleOffsets = false;
        // linearised value = (dx * alongColumns + dy * alongRows) / divisor,
        // dx and dy the pixel offsets from the origin
        double alongColumns = 0;
        double alongRows = 0;
        double divisor = 1;

        AxisValue valueAt(double px, double py) const;
        std::optional<double> linearisedValue(double value) const;
    };

    Axis m_x;
    Axis m_y;
};
