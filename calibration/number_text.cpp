#include "calibration/number_text.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

// A positive finite value as its first `significant` decimal digits and the
// decimal exponent of the first digit, rounded to nearest by the library.
struct DecimalDigits
{
    std::string digits;
    int exponent = 0;
};

// The digits of a positive finite value in scientific form as to_chars
// writes it (the shortest round-trip form, or `precision` digits after the
// first) and the decimal exponent of the first digit.
struct ScientificDigits
{
    char digits[24];
    int count = 0;
    int exponent = 0;
};

ScientificDigits scientificDigits(double positive, int precision = -1)
{
    char buffer[64];
    const auto result = precision < 0
        ? std::to_chars(buffer, buffer + sizeof buffer, positive, std::chars_format::scientific)
        : std::to_chars(buffer, buffer + sizeof buffer, positive, std::chars_format::scientific, precision);
    ScientificDigits out;
    const char *p = buffer;
    for (; p < result.ptr && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9' && out.count < int(sizeof out.digits))
            out.digits[out.count++] = *p;
    }
    if (p < result.ptr)
        std::from_chars(*(p + 1) == '+' ? p + 2 : p + 1, static_cast<const char *>(result.ptr), out.exponent);
    return out;
}

// Adds one unit in the last place of a digit string; returns true when the
// carry runs out of the front ("999" becomes "000" and true).
bool carryUp(char *digits, size_t count)
{
    for (size_t i = count; i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    return true;
}

bool incrementDigits(std::string &digits)
{
    return carryUp(digits.data(), digits.size());
}

DecimalDigits decimalDigits(double positive, int significant)
{
    // The shortest form that reads back as the same double is, when it has no
    // more digits than asked for, also the value rounded to that many digits:
    // it lies within half a unit in the last place of the double, far closer
    // than half a step of the last asked-for digit. It is much cheaper to make.
    ScientificDigits d = scientificDigits(positive);
    if (d.count > significant)
        d = scientificDigits(positive, significant - 1);
    DecimalDigits out{std::string(d.digits, size_t(d.count)), d.exponent};
    out.digits.append(size_t(significant) - out.digits.size(), '0');
    return out;
}

void stripTrailingZeros(std::string &digits)
{
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
}

QString exponentText(int exponent)
{
    QString text = exponent < 0 ? QStringLiteral("-") : QStringLiteral("+");
    text += QString::number(std::abs(exponent)).rightJustified(2, u'0');
    return text;
}

// Places a digit string with the given exponent as a plain decimal number.
std::string plainDecimal(const std::string &digits, int exponent)
{
    std::string out;
    if (exponent < 0) {
        out = "0.";
        out.append(size_t(-exponent - 1), '0');
        out += digits;
    } else if (size_t(exponent) + 1 >= digits.size()) {
        out = digits;
        out.append(size_t(exponent) + 1 - digits.size(), '0');
    } else {
        out = digits.substr(0, size_t(exponent) + 1) + "." + digits.substr(size_t(exponent) + 1);
    }
    return out;
}

QString nonFiniteText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    return value < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
}

QString withSign(double value, const std::string &magnitude)
{
    const QString text = QString::fromLatin1(magnitude.data(), qsizetype(magnitude.size()));
    return value < 0 ? QStringLiteral("-") + text : text;
}

constexpr int GeneralDigits = 15;

} // namespace

namespace {

// The general form of a finite, non-zero value, written into `out` (room
// for 32 characters); returns its length. Works on character buffers alone,
// because the data file writes two of these per traced column.
int writeGeneral(double value, char *out)
{
    const double magnitude = std::fabs(value);
    // The shortest round-trip digits (16 or 17 of them at most) round to the
    // same 15 digits as the exact value, unless they end exactly half-way
    // ("...5"): any nearer short decimal would have been the shortest one.
    // When no more than 15, they are the answer as they stand (see
    // decimalDigits). Only a half-way tail is rounded from the exact value.
    ScientificDigits d = scientificDigits(magnitude);
    const bool halfWay = d.count == GeneralDigits + 1 && d.digits[GeneralDigits] == '5';
    if (halfWay) {
        d = scientificDigits(magnitude, GeneralDigits - 1);
    } else if (d.count > GeneralDigits) {
        const bool up = d.digits[GeneralDigits] >= '5';
        d.count = GeneralDigits;
        if (up && carryUp(d.digits, size_t(d.count))) { // 9.99...9 became 10.00...0
            d.digits[0] = '1';
            ++d.exponent;
        }
    }
    const char *digits = d.digits;
    int count = d.count;
    const int exponent = d.exponent;
    while (count > 1 && digits[count - 1] == '0')
        --count;

    char *o = out;
    if (value < 0)
        *o++ = '-';
    if (exponent >= -4 && exponent <= 14) {
        if (exponent < 0) {
            *o++ = '0';
            *o++ = '.';
            for (int i = 0; i < -exponent - 1; ++i)
                *o++ = '0';
            for (int i = 0; i < count; ++i)
                *o++ = digits[i];
        } else {
            for (int i = 0; i <= exponent || i < count; ++i) {
                if (i == exponent + 1)
                    *o++ = '.';
                *o++ = i < count ? digits[i] : '0';
            }
        }
    } else {
        *o++ = digits[0];
        if (count > 1) {
            *o++ = '.';
            for (int i = 1; i < count; ++i)
                *o++ = digits[i];
        }
        *o++ = 'E';
        *o++ = exponent < 0 ? '-' : '+';
        const int e = std::abs(exponent);
        if (e >= 100)
            *o++ = char('0' + e / 100);
        *o++ = char('0' + e / 10 % 10);
        *o++ = char('0' + e % 10);
    }
    return int(o - out);
}

} // namespace

QString formatGeneralNumber(double value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    if (value == 0)
        return QStringLiteral("0");
    char text[40];
    return QString::fromLatin1(text, writeGeneral(value, text));
}

QString formatNumberItem(double value)
{
    QByteArray item;
    appendNumberItem(item, value);
    return QString::fromLatin1(item);
}

void appendNumberItem(QByteArray &out, double value)
{
    if (!std::isfinite(value)) {
        const QByteArray text = nonFiniteText(value).toLatin1();
        out += value < 0 ? text + ' ' : ' ' + text + ' ';
        return;
    }
    char text[40];
    int length = 0;
    if (!(value < 0))
        text[length++] = ' ';
    if (value == 0)
        text[length++] = '0';
    else
        length += writeGeneral(value, text + length);
    text[length++] = ' ';
    out.append(text, length);
}

QString formatFixedReadout(double value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    constexpr int decimals = 3;
    // The value scaled by 1000 and rounded to a whole number, with halves
    // judged on the 15-digit decimal form and rounded away from zero.
    std::string scaled = "0";
    if (value != 0) {
        const DecimalDigits d = decimalDigits(std::fabs(value), GeneralDigits);
        const int integerDigits = d.exponent + 1 + decimals;
        if (integerDigits >= int(d.digits.size())) {
            scaled = d.digits + std::string(size_t(integerDigits) - d.digits.size(), '0');
        } else if (integerDigits >= 0) {
            scaled = integerDigits > 0 ? d.digits.substr(0, size_t(integerDigits)) : std::string();
            if (d.digits[size_t(integerDigits)] >= '5' && incrementDigits(scaled))
                scaled.insert(scaled.begin(), '1');
            if (scaled.empty())
                scaled = "0";
        }
    }
    if (scaled.size() < decimals + 1)
        scaled.insert(0, decimals + 1 - scaled.size(), '0');
    scaled.insert(scaled.size() - decimals, 1, '.');
    return withSign(value, scaled);
}

QString formatScientificReadout(double value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    constexpr int significant = 4;
    std::string mantissa = "0000";
    int exponent = 0;
    if (value != 0) {
        const DecimalDigits d = decimalDigits(std::fabs(value), GeneralDigits);
        mantissa = d.digits.substr(0, significant);
        exponent = d.exponent;
        if (d.digits[significant] >= '5' && incrementDigits(mantissa)) {
            mantissa = "1000";
            ++exponent;
        }
    }
    const std::string text = mantissa.substr(0, 1) + "." + mantissa.substr(1);
    return withSign(value, text) + u'E' + exponentText(exponent);
}

QString formatPosition(float value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    if (value == 0)
        return QStringLiteral("0");
    DecimalDigits d = decimalDigits(std::fabs(double(value)), 7);
    stripTrailingZeros(d.digits);
    return withSign(value, plainDecimal(d.digits, d.exponent));
}

namespace {

template<typename T>
QString shortest(T value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

} // namespace

QString formatShortestNumber(double value)
{
    return shortest(value);
}

QString formatShortestNumber(float value)
{
    return shortest(value);
}
