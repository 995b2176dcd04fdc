#pragma once

#include "calibration/axis_scale.h"
#include "calibration/calibration.h"
#include "calibration/trace_options.h"

#include <array>
#include <optional>
#include <span>

struct TraceResult;

// What the next press in the picture does.
enum class ClickMode {
    ReadPoint = 0,     // read a point: at start-up and after a trace
    StartPoint = 1,    // capture the lower left corner
    EndPoint = 2,      // capture the upper right corner
    PointDigitize = 3, // read a point, armed by "Point Digitize"
};

// The record the main window's handlers share, kept by the figure document:
// the click mode, the corners, the scale and the last trace's tables. Field
// names follow the names the handlers and the data file use for them.
//
// A value never written counts as 0 wherever it is compared or used as a
// coordinate; only PointCount keeps "never written" apart, because the data
// file then writes an empty first line.
struct WorkState
{
    static constexpr int TableLast = TraceLimits::WindowColumns; // tables hold entries 0 ... 1000
    using CurveTable = std::array<float, TableLast + 1>;

    ::ClickMode ClickMode = ::ClickMode::ReadPoint;
    float StartPixelX = 0; // lower left corner of the plot frame
    float EndPixelX = 0;   // upper right corner
    float StartPixelY = 0;
    float EndPixelY = 0;
    std::optional<int> PointCount; // columns of the last trace, 0 ... 1000
    ::AxisScale AxisScale = ::AxisScale::Unset;

    // Points[0][k] is the X, Points[1][k] the Y axis value of traced column k.
    std::array<std::array<double, TableLast + 1>, 2> Points{};
    // CurveY[k] is the pixel row picked in traced column k.
    CurveTable CurveY{};

    // The entries 1 ... PointCount of the tables: the last trace's values and rows.
    int storedCount() const;
    std::span<const double> tracedX() const { return std::span(Points[0]).subspan(1, size_t(storedCount())); }
    std::span<const double> tracedY() const { return std::span(Points[1]).subspan(1, size_t(storedCount())); }
    std::span<const float> pickedRows() const { return std::span(CurveY).subspan(1, size_t(storedCount())); }
    // Every entry 1 ... 1000 of CurveY, those of earlier traces included, as
    // the graph window reads them over the columns of the current frame.
    std::span<const float> tableRows() const { return std::span(CurveY).subspan(1); }
};

// The corners and scale of the record with the typed corner values.
Calibration calibrationOf(const WorkState &state, const CornerValues &values);

// Keeps a trace as the last one: PointCount, and entries 1 ... count of
// Points and CurveY (later entries keep what they held); a longer trace
// keeps its first 1000 columns.
void storeTrace(const TraceResult &trace, WorkState &state);

