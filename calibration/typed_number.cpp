#include "calibration/typed_number.h"

#include <QString>

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The process locale may use a comma as decimal mark; the number text built
// here always uses a period, so it is converted under the C locale.
double cLocaleStrtod(const std::string &text)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(text.c_str(), nullptr, cLocale);
}

double readRadixInteger(const std::string &digits, int radix)
{
    double value = 0;
    for (char c : digits) {
        int digit = -1;
        if (isDigit(c))
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0 || digit >= radix)
            break;
        value = value * radix + digit;
    }
    return value;
}

} // namespace

double readTypedNumber(const QString &text)
{
    // Only ASCII can belong to a number; anything else ends it, so it is
    // kept as a stop mark.
    std::string s;
    s.reserve(size_t(text.size()));
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == u' ' || u == u'\t' || u == u'\n')
            continue;
        s.push_back(u < 0x80 ? char(u) : '\x7f');
    }

    if (s.size() >= 2 && s[0] == '&') {
        const char kind = s[1];
        if (kind == 'H' || kind == 'h')
            return readRadixInteger(s.substr(2), 16);
        if (kind == 'O' || kind == 'o')
            return readRadixInteger(s.substr(2), 8);
        return 0;
    }

    size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        number.push_back(s[i++]);
    bool mantissaDigits = false;
    while (i < s.size() && isDigit(s[i])) {
        number.push_back(s[i++]);
        mantissaDigits = true;
    }
    if (i < s.size() && s[i] == '.') {
        number.push_back(s[i++]);
        while (i < s.size() && isDigit(s[i])) {
            number.push_back(s[i++]);
            mantissaDigits = true;
        }
    }
    if (!mantissaDigits)
        return 0;

    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent.push_back(s[j++]);
        const size_t firstDigit = j;
        while (j < s.size() && isDigit(s[j]))
            exponent.push_back(s[j++]);
        if (j > firstDigit)
            number += exponent;
    }
    return cLocaleStrtod(number);
}
