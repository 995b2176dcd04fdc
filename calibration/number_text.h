#pragma once

#include <QByteArray>
#include <QString>

// Number-to-text rules. Every text uses "." as decimal mark, whatever the
// user's locale: a comma would corrupt the comma-separated data file.

// The general number format of the data file and the graph labels: at most
// 15 significant digits, fixed notation for decimal exponents -4 ... 14,
// scientific otherwise ("1E-05", "2.5E+15"); no sign space, no padding.
QString formatGeneralNumber(double value);

// A number item as the data file and the graph labels write it: a space in
// place of the sign when the value is not negative, the number, one space.
QString formatNumberItem(double value);
// The same, appended to bytes that are being written to a file.
void appendNumberItem(QByteArray &out, double value);

// The read-out "#####0.000": three decimals, halves away from zero.
QString formatFixedReadout(double value);

// The read-out "0.000E+00": four significant digits, exponent with a sign
// and at least two digits, halves away from zero.
QString formatScientificReadout(double value);

// A picture position as the calibration read-outs show it: plain decimal,
// shortest form, at most 7 significant digits (245, 12.5, -3).
QString formatPosition(float value);

// The shortest text that reads back as exactly the same double ("0.1",
// "1e+16", "-2.5"), with "." as decimal mark: for files other programs read.
QString formatShortestNumber(double value);
QString formatShortestNumber(float value);
