#pragma once

#include <QString>

#include <optional>

// The value of a tick label as read off a figure, or nothing when the text is
// not one number. Reads integers and decimals, a leading hyphen or true minus
// (U+2212), thousands separators ("1,000", "1 000", with groups of three
// only), exponents ("1e3", "1E+03") and powers of ten with a raised exponent
// ("10⁻³", "10^3", "2×10⁴"). Blanks around the text are ignored.
std::optional<double> tickLabelValue(const QString &text);

// The factor an axis-wide multiplier at the axis end stands for: "×10³",
// "x10^-3", "1e6", "×1e-3". Nothing for any other text.
std::optional<double> axisMultiplierValue(const QString &text);
