#include "calibration/number_text.h"
#include "test_files.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void general_data();
    void general();
    void numberItem_data();
    void numberItem();
    void fixedReadout_data();
    void fixedReadout();
    void scientificReadout_data();
    void scientificReadout();
    void position_data();
    void position();
    void decimalMarkIgnoresLocale();
    void generalMatchesPrintf();
    // Puts the C locale back, so that a failed check cannot leave a German
    // locale to the tests after it.
    void cleanup();
};

void TestNumberText::general_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("below 1E-4 goes scientific") << 0.00001 << QStringLiteral("1E-05");
    QTest::newRow("1E-4 stays fixed") << 0.0001 << QStringLiteral("0.0001");
    QTest::newRow("15 significant digits") << 1.0 / 3.0 << QStringLiteral("0.333333333333333");
    QTest::newRow("whole value has no separator") << 99.0 << QStringLiteral("99");
    QTest::newRow("negative") << -1.5 << QStringLiteral("-1.5");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0");
    QTest::newRow("negative zero") << -0.0 << QStringLiteral("0");
    QTest::newRow("zero integer part written") << 0.25 << QStringLiteral("0.25");
    QTest::newRow("largest fixed exponent") << 999999999999999.0 << QStringLiteral("999999999999999");
    QTest::newRow("1E15 goes scientific") << 1e15 << QStringLiteral("1E+15");
    QTest::newRow("scientific with fraction") << 1.5e-5 << QStringLiteral("1.5E-05");
    QTest::newRow("2E+15") << 2e15 << QStringLiteral("2E+15");
    QTest::newRow("rounded to 15 digits") << 123456789012345678.0 << QStringLiteral("1.23456789012346E+17");
    QTest::newRow("rounding reaches the next exponent") << 999999999999999.9 << QStringLiteral("1E+15");
    QTest::newRow("binary noise is rounded away") << 0.1 + 0.2 << QStringLiteral("0.3");
    QTest::newRow("three-digit exponent") << 1e100 << QStringLiteral("1E+100");
    QTest::newRow("tiny") << -2.5e-300 << QStringLiteral("-2.5E-300");
    QTest::newRow("single precision third") << double(1.0f / 3.0f) << QStringLiteral("0.333333343267441");
}

void TestNumberText::general()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(formatGeneralNumber(value), expected);
}

void TestNumberText::numberItem_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("count") << 250.0 << QStringLiteral(" 250 ");
    QTest::newRow("zero") << 0.0 << QStringLiteral(" 0 ");
    QTest::newRow("negative has no sign space") << -1.5 << QStringLiteral("-1.5 ");
    QTest::newRow("small value") << 0.00001 << QStringLiteral(" 1E-05 ");
}

void TestNumberText::numberItem()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(formatNumberItem(value), expected);
}

void TestNumberText::fixedReadout_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 5.0 << QStringLiteral("5.000");
    QTest::newRow("quarter") << 0.25 << QStringLiteral("0.250");
    QTest::newRow("negative half rounds away from zero") << -12.3456 << QStringLiteral("-12.346");
    QTest::newRow("no digit grouping") << 1234567.8 << QStringLiteral("1234567.800");
    // 1.0005 is stored as 1.000499999...; its 15-digit form decides the half.
    QTest::newRow("decimal half rounds up") << 1.0005 << QStringLiteral("1.001");
    // Its 17 digits (1.0004999999999997) fall short of the half; its 15 reach it.
    QTest::newRow("a half in 15 digits only") << std::nextafter(1.0005, 0.0) << QStringLiteral("1.001");
    QTest::newRow("0.0625") << 0.0625 << QStringLiteral("0.063");
    QTest::newRow("single-precision fraction shows") << 100000.00298023224 << QStringLiteral("100000.003");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0.000");
    QTest::newRow("smallest that rounds up") << 0.0005 << QStringLiteral("0.001");
    QTest::newRow("just below the half") << 0.00049 << QStringLiteral("0.000");
    QTest::newRow("far below") << 1e-9 << QStringLiteral("0.000");
    QTest::newRow("carry into a new digit") << 999.9995 << QStringLiteral("1000.000");
    QTest::newRow("large") << 1e20 << QStringLiteral("100000000000000000000.000");
    QTest::newRow("10/350") << 10.0 / 350.0 << QStringLiteral("0.029");
}

void TestNumberText::fixedReadout()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(formatFixedReadout(value), expected);
}

void TestNumberText::scientificReadout_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("geometric mean") << 31.6227766 << QStringLiteral("3.162E+01");
    QTest::newRow("one") << 1.0 << QStringLiteral("1.000E+00");
    QTest::newRow("negative exponent") << 0.00012 << QStringLiteral("1.200E-04");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0.000E+00");
    QTest::newRow("negative") << -250.0 << QStringLiteral("-2.500E+02");
    QTest::newRow("mantissa rounds up to 10") << 9.9996 << QStringLiteral("1.000E+01");
    QTest::newRow("decimal half rounds up") << 1.2345e-7 << QStringLiteral("1.235E-07");
    QTest::newRow("three-digit exponent") << 1e100 << QStringLiteral("1.000E+100");
}

void TestNumberText::scientificReadout()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(formatScientificReadout(value), expected);
}

void TestNumberText::position_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole pixel") << 245.0f << QStringLiteral("245");
    QTest::newRow("negative") << -5.0f << QStringLiteral("-5");
    QTest::newRow("zero") << 0.0f << QStringLiteral("0");
    QTest::newRow("half pixel") << 12.5f << QStringLiteral("12.5");
    QTest::newRow("seven digits") << 1234567.0f << QStringLiteral("1234567");
    QTest::newRow("fraction limited to 7 digits") << 1.0f / 3.0f << QStringLiteral("0.3333333");
    QTest::newRow("tenth") << 0.1f << QStringLiteral("0.1");
}

void TestNumberText::position()
{
    QFETCH(float, value);
    QFETCH(QString, expected);
    QCOMPARE(formatPosition(value), expected);
}

void TestNumberText::decimalMarkIgnoresLocale()
{
    // A user whose locale writes "1,5" must still get "1.5" in the files.
    QVERIFY2(useCommaLocale(), "the de_DE.UTF-8 locale is not installed (scripts/deps.sh makes it)");
    QCOMPARE(formatNumberItem(-1.5), QStringLiteral("-1.5 "));
    QCOMPARE(formatFixedReadout(2.5), QStringLiteral("2.500"));
    QCOMPARE(formatScientificReadout(2.5), QStringLiteral("2.500E+00"));
    QCOMPARE(formatPosition(12.5f), QStringLiteral("12.5"));
}

// The general format rebuilt from printf's correctly rounded 15 digits.
QString referenceGeneral(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    std::string digits;
    const char *p = buffer;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            digits.push_back(*p);
    const int exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string text;
    if (exponent >= -4 && exponent <= 14) {
        if (exponent < 0)
            text = "0." + std::string(size_t(-exponent - 1), '0') + digits;
        else if (size_t(exponent) + 1 >= digits.size())
            text = digits + std::string(size_t(exponent) + 1 - digits.size(), '0');
        else
            text = digits.substr(0, size_t(exponent) + 1) + "." + digits.substr(size_t(exponent) + 1);
    } else {
        char e[16];
        std::snprintf(e, sizeof e, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        text = digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : std::string()) + e;
    }
    return QString::fromLatin1((value < 0 ? "-" : "") + text);
}

void TestNumberText::generalMatchesPrintf()
{
    // Short decimals, long fractions, random bit patterns, and 16-digit
    // decimals ending in 5: half-way between two 15-digit texts, so that only
    // the exact value decides.
    QRandomGenerator random(7);
    for (int i = 0; i < 20000; ++i) {
        double value = 0;
        switch (i % 4) {
        case 3: {
            const QString text = QStringLiteral("%1.%2%3e%4")
                                     .arg(random.bounded(1, 10))
                                     .arg(random.bounded(100000000), 8, 10, QLatin1Char('0'))
                                     .arg(random.bounded(1000000) * 10 + 5, 7, 10, QLatin1Char('0'))
                                     .arg(random.bounded(-30, 30));
            value = text.toDouble();
            break;
        }
        case 0:
            value = double(random.bounded(-100000, 100000)) / std::pow(10.0, random.bounded(0, 8));
            break;
        case 1:
            value = random.generateDouble() * std::pow(10.0, random.bounded(-20, 20)) / 3;
            break;
        default:
            do {
                const quint64 bits = random.generate64();
                std::memcpy(&value, &bits, sizeof value);
            } while (!std::isfinite(value));
        }
        if (value == 0)
            continue;
        QCOMPARE(formatGeneralNumber(value), referenceGeneral(value));
    }
}

void TestNumberText::cleanup()
{
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_number_text.moc"
