#pragma once

#include <array>
#include <optional>

// What the next press in the picture does.
enum class ClickMode {
    None = 0,       // read a point (as after a trace)
    StartPoint = 1, // capture the lower left corner
    EndPoint = 2,   // capture the upper right corner
    ReadPoint = 3,  // read a point ("Point Digitize")
};

// How the two axes are scaled. Unset is the value of a state never written.
enum class AxisScale {
    Unset = 0,
    LinearLinear = 1,
    LinearLog = 2, // logarithmic Y
    LogLog = 3,
};

bool isXLogarithmic(AxisScale scale);
bool isYLogarithmic(AxisScale scale);

// The main window's working state, shared by its handlers. Field names follow
// the names the handlers and the data file use for them.
//
// A value never written counts as 0 wherever it is compared or used as a
// coordinate; only PointCount keeps "never written" apart, because the data
// file then writes an empty first line.
struct WorkState
{
    static constexpr int TableLast = 1000; // tables hold entries 0 ... 1000
    using CurveTable = std::array<float, TableLast + 1>;

    ::ClickMode ClickMode = ::ClickMode::None;
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
};
