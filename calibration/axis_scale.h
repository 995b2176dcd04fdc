#pragma once

// How the two axes are scaled. Unset is the value of a scale never chosen.
enum class AxisScale {
    Unset = 0,
    LinearLinear = 1,
    LinearLog = 2, // logarithmic Y
    LogLog = 3,
};

bool isXLogarithmic(AxisScale scale);
bool isYLogarithmic(AxisScale scale);
