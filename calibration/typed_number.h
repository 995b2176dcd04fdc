#pragma once

class QString;

// Reads a number typed into a text field. Blanks, tabs and line feeds are
// dropped wherever they stand; then the longest leading number is read: a
// sign, digits, one period, an exponent with E or D in either case. "&H" and
// "&O" start a hexadecimal or octal integer. Anything else reads as 0.
// A number beyond the double range reads as plus or minus infinity, so that
// callers can refuse it instead of storing it.
double readTypedNumber(const QString &text);
