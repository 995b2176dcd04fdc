#pragma once

#include <QString>

#include <optional>

// The value of a tick label as read off a figure, or nothing when the text is
// not one number. Reads integers and decimals, a leading hyphen or true minus
// (U+2212), thousands separators ("1,000", "1 000", with groups of three
// only), exponents ("1e3", "1E+03") and powers of ten with a raised exponent
// ("10⁻³", "10^3", "2×10⁴"). Blanks around the text are ignored.
std::optional<double> tickLabelValue(const QString &text);

// The value times 10ⁿ as its decimal digits say: the exponent of its shortest
// decimal form moved by n, so that 1.8 and -3 give exactly the double 0.0018.
double timesPowerOfTen(double value, int exponent);

// What the text at an axis end does to that axis's labels: a multiplier 10ⁿ
// ("×10³", "x10^-3", "1e6", "×1e-3"), an offset added after it ("+1000", "−2.5e3"), or both
// ("1e-3+20"): a label then reads value × 10ⁿ + offset.
struct AxisEndText
{
    int exponent = 0;
    double offset = 0;
};
std::optional<AxisEndText> axisEndText(const QString &text);

// The label's value as the text at its axis end makes it, exactly in
// decimal: 0.2 with "+1000" is the double nearest 1000.2.
double axisEndValue(double label, const AxisEndText &end);
