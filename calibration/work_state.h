#pragma once

#include <array>
#include <optional>

// The main window's working state, shared by its handlers. Field names follow
// the names the handlers and the data file use for them.
//
// A value never written counts as 0 wherever it is compared or used as a
// coordinate; only PointCount keeps "never written" apart, because the data
// file then writes an empty first line.
struct WorkState
{
    static constexpr int TableLast = 1000; // tables hold entries 0 ... 1000

    int ClickMode = 0;     // 1 start point, 2 end point, 0 or 3 read a point
    float StartPixelX = 0; // lower left corner of the plot frame
    float EndPixelX = 0;   // upper right corner
    float StartPixelY = 0;
    float EndPixelY = 0;
    std::optional<int> PointCount; // columns of the last trace, 0 ... 1000
    int AxisScale = 0;             // 1 lin-lin, 2 lin X / log Y, 3 log-log

    // Points[0][k] is the X, Points[1][k] the Y axis value of traced column k.
    std::array<std::array<double, TableLast + 1>, 2> Points{};
    // CurveY[k] is the pixel row picked in traced column k.
    std::array<float, TableLast + 1> CurveY{};
};
