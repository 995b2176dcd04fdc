#pragma once

// How the two axes are scaled. Unset is the value of a scale never chosen.
enum class AxisScale {
    Unset = 0,
    LinearLinear = 1,
    LinearLog = 2, // logarithmic Y
    LogLog = 3,
    LogLinear = 4, // logarithmic X, linear Y: from calibration files and the tracer, not the window's options
};

// How one axis lays out its values.
enum class AxisKind { Linear, Logarithmic };

bool isXLogarithmic(AxisScale scale);
bool isYLogarithmic(AxisScale scale);
