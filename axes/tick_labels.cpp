#include "axes/tick_labels.h"

#include <QRegularExpression>

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace {

// Raised digits and signs as fonts and text recognition give them, folded to
// "^" followed by plain ones, and the other minus and times signs to ASCII.
QString normalized(const QString &text)
{
    static const QString raised = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    QString out;
    bool inRaised = false;
    for (const QChar c : text.trimmed()) {
        const qsizetype digit = raised.indexOf(c);
        const bool raisedSign = c == QChar(0x207B) || c == QChar(0x207A);
        if (digit >= 0 || raisedSign) {
            if (!inRaised)
                out += u'^';
            inRaised = true;
            out += digit >= 0 ? QChar(char16_t(u'0' + digit)) : (c == QChar(0x207B) ? u'-' : u'+');
            continue;
        }
        inRaised = false;
        if (c == QChar(0x2212) || c == QChar(0x2012) || c == QChar(0x2013))
            out += u'-';
        else if (c == QChar(0x00D7) || c == QChar(0x22C5) || c == QChar(0x00B7))
            out += u'x';
        else if (c == QChar(0x2009) || c == QChar(0x202F) || c == QChar(0x00A0))
            out += u' ';
        else
            out += c;
    }
    return out;
}

std::optional<double> finiteValue(double v)
{
    return std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

// "10^-3", "x10^3" or "2x10^4" after normalizing; the mantissa is optional.
std::optional<double> powerOfTen(const QString &text)
{
    static const QRegularExpression power(QStringLiteral(
        R"(^([-+]?)(?:(\d+(?:\.\d+)?) ?x ?)?10 ?\^ ?([-+]?\d{1,3})$)"));
    const auto m = power.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const double mantissa = m.captured(2).isEmpty() ? 1.0 : m.captured(2).toDouble();
    const double sign = m.captured(1) == u"-" ? -1.0 : 1.0;
    return finiteValue(timesPowerOfTen(sign * mantissa, m.captured(3).toInt()));
}

std::optional<double> plainNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral(
        R"(^([-+]?) ?((?:\d{1,3}(?:([, ])\d{3})(?:\3\d{3})*)|\d+)?(\.\d+)?([eE][-+]?\d{1,3})?$)"));
    const auto m = number.match(text);
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(4).isEmpty()))
        return std::nullopt;
    // No plotting program prints "08": it is "0.8" with its point not read.
    if (m.captured(2).size() > 1 && m.captured(2).startsWith(u'0'))
        return std::nullopt;
    QString digits = m.captured(2);
    digits.remove(u',').remove(u' ');
    bool ok = false;
    const double v = (m.captured(1) + digits + m.captured(4) + m.captured(5)).toDouble(&ok);
    return ok ? finiteValue(v) : std::nullopt;
}

} // namespace

std::optional<double> tickLabelValue(const QString &text)
{
    const QString t = normalized(text);
    if (const auto v = powerOfTen(t))
        return v;
    return plainNumber(t);
}

namespace {

// The n of an axis-wide multiplier 10ⁿ.
std::optional<int> axisMultiplierExponent(const QString &text)
{
    static const QRegularExpression times(QStringLiteral(R"(^x ?(?:10 ?\^ ?|1[eE])([-+]?\d{1,3})$)"));
    static const QRegularExpression exponent(QStringLiteral(R"(^1[eE]([-+]?\d{1,3})$)"));
    const QString t = normalized(text);
    auto m = times.match(t);
    if (!m.hasMatch())
        m = exponent.match(t);
    return m.hasMatch() ? std::optional<int>(m.captured(1).toInt()) : std::nullopt;
}

} // namespace

std::optional<AxisEndText> axisEndText(const QString &text)
{
    if (const auto n = axisMultiplierExponent(text))
        return AxisEndText{*n, 0};
    // An offset is signed, after the multiplier when there is one.
    static const QRegularExpression offset(QStringLiteral(R"(^(.*?) ?([-+]) ?(\d+(?:\.\d+)?(?:[eE][-+]?\d{1,3})?)$)"));
    const auto m = offset.match(normalized(text));
    if (!m.hasMatch())
        return std::nullopt;
    AxisEndText out;
    if (!m.captured(1).isEmpty()) {
        const auto n = axisMultiplierExponent(m.captured(1));
        if (!n)
            return std::nullopt;
        out.exponent = *n;
    }
    const auto value = plainNumber(m.captured(2) + m.captured(3));
    if (!value)
        return std::nullopt;
    out.offset = *value;
    return out;
}

namespace {

// A value's shortest decimal form as whole digits times a power of ten.
struct Decimal
{
    long long digits = 0;
    int power = 0;
};

Decimal decimalOf(double value)
{
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific).ptr;
    const std::string_view decimal(text, size_t(end - text));
    const size_t e = decimal.find('e');
    std::string digits(decimal.substr(0, e));
    const size_t point = digits.find('.');
    const int fraction = point == std::string::npos ? 0 : int(digits.size() - point - 1);
    if (point != std::string::npos)
        digits.erase(point, 1);
    return {std::stoll(digits), std::stoi(std::string(decimal.substr(e + 1))) - fraction};
}

// The double nearest digits × 10^power.
double fromDecimal(long long digits, int power)
{
    const std::string text = std::to_string(digits) + 'e' + std::to_string(power);
    double out = 0;
    std::from_chars(text.data(), text.data() + text.size(), out);
    return out;
}

} // namespace

double axisEndValue(double label, const AxisEndText &end)
{
    const double scaled = timesPowerOfTen(label, end.exponent);
    if (end.offset == 0)
        return scaled;
    // The sum of the two decimal forms, digit for digit, while it fits in 18 digits.
    Decimal a = decimalOf(scaled), b = decimalOf(end.offset);
    if (a.power < b.power)
        std::swap(a, b);
    for (; a.power > b.power; --a.power) {
        if (std::abs(a.digits) > 99'999'999'999'999'999LL / 10)
            return scaled + end.offset;
        a.digits *= 10;
    }
    if (std::abs(a.digits) + std::abs(b.digits) > 999'999'999'999'999'999LL)
        return scaled + end.offset;
    return fromDecimal(a.digits + b.digits, b.power);
}

double timesPowerOfTen(double value, int exponent)
{
    // The shortest decimal form that reads back as the value, with the
    // exponent moved: 1.8 and -3 give the double nearest 0.0018, not 1.8 × 0.001.
    const Decimal d = decimalOf(value);
    return fromDecimal(d.digits, d.power + exponent);
}
