#include "calibration/typed_number.h"
#include "test_files.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <limits>

class TestTypedNumber : public QObject
{
    Q_OBJECT

private slots:
    // Every check here runs under a comma-decimal locale: the files and the
    // typed numbers keep "." whatever the user's locale says.
    void initTestCase() { QVERIFY2(useCommaLocale(), "the de_DE.UTF-8 locale is not installed (scripts/deps.sh makes it)"); }
    void reads_data();
    void reads();
    void beyondDoubleRange_data();
    void beyondDoubleRange();
    void manyDigits();
    void randomTexts();
};

void TestTypedNumber::reads_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("trailing letters are ignored") << QStringLiteral("12abc") << 12.0;
    QTest::newRow("a comma is never a decimal mark") << QStringLiteral("1,5") << 1.0;
    QTest::newRow("blanks inside are dropped") << QStringLiteral("1 000") << 1000.0;
    QTest::newRow("tabs and line feeds are dropped") << QStringLiteral("\t4\n2") << 42.0;
    QTest::newRow("blank between sign and digits") << QStringLiteral("- 5") << -5.0;
    QTest::newRow("empty text") << QString() << 0.0;
    QTest::newRow("no leading number") << QStringLiteral("abc") << 0.0;
    QTest::newRow("plus sign") << QStringLiteral("+7") << 7.0;
    QTest::newRow("two signs") << QStringLiteral("--5") << 0.0;
    QTest::newRow("lone sign") << QStringLiteral("-") << 0.0;
    QTest::newRow("lone period") << QStringLiteral(".") << 0.0;
    QTest::newRow("exponent without mantissa") << QStringLiteral("E5") << 0.0;
    QTest::newRow("leading period") << QStringLiteral(".5") << 0.5;
    QTest::newRow("trailing period") << QStringLiteral("5.") << 5.0;
    QTest::newRow("second period ends the number") << QStringLiteral("1.2.3") << 1.2;
    QTest::newRow("exponent E") << QStringLiteral("-3.5e2") << -350.0;
    QTest::newRow("exponent with plus sign, as the program writes") << QStringLiteral("2.5E+15") << 2.5e15;
    QTest::newRow("a full-width blank ends the number") << QStringLiteral("1\u3000000") << 1.0;
    QTest::newRow("exponent D") << QStringLiteral("1.5D3") << 1500.0;
    QTest::newRow("exponent d negative") << QStringLiteral("1.5d-1") << 0.15;
    QTest::newRow("exponent without digits") << QStringLiteral("1E") << 1.0;
    QTest::newRow("exponent sign without digits") << QStringLiteral("1e+") << 1.0;
    QTest::newRow("text after exponent") << QStringLiteral("1e5x") << 100000.0;
    QTest::newRow("carriage return ends the number") << QStringLiteral("12\r3") << 12.0;
    QTest::newRow("full-width digits are not digits") << QStringLiteral("１２") << 0.0;
    QTest::newRow("hexadecimal") << QStringLiteral("&HFF") << 255.0;
    QTest::newRow("hexadecimal lower case") << QStringLiteral("&hff") << 255.0;
    QTest::newRow("hexadecimal stops at non-digit") << QStringLiteral("&HFG") << 15.0;
    QTest::newRow("hexadecimal without digits") << QStringLiteral("&H") << 0.0;
    QTest::newRow("octal") << QStringLiteral("&O17") << 15.0;
    QTest::newRow("octal stops at 8") << QStringLiteral("&O78") << 7.0;
    QTest::newRow("ampersand alone") << QStringLiteral("&") << 0.0;
    QTest::newRow("hexadecimal past 64 bits") << QStringLiteral("&HFFFFFFFFFFFFFFFFFFFF")
                                              << 1208925819614629174706175.0;
    QTest::newRow("underflow reads as zero") << QStringLiteral("1E-400") << 0.0;
}

void TestTypedNumber::reads()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(readTypedNumber(text), expected);
}

void TestTypedNumber::beyondDoubleRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("1E400") << QStringLiteral("1E400") << inf;
    QTest::newRow("-1E400") << QStringLiteral("-1E400") << -inf;
    QTest::newRow("huge exponent") << QStringLiteral("1E99999999999999999999") << inf;
    QTest::newRow("400 digits") << (QStringLiteral("1") + QString(400, u'0')) << inf;
}

void TestTypedNumber::beyondDoubleRange()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(readTypedNumber(text), expected);
}

void TestTypedNumber::manyDigits()
{
    // Thousands of digits after the period still read as the correctly
    // rounded double.
    const QString text = QStringLiteral("0.") + QString(5000, u'3');
    QCOMPARE(readTypedNumber(text), 1.0 / 3.0);
}

void TestTypedNumber::randomTexts()
{
    // Seeded, so a failure names a text that can be replayed. Whatever is
    // typed reads as a number, never NaN; blanks inserted anywhere and text
    // appended after a letter that ends every number change nothing.
    QRandomGenerator random(4711);
    const QString alphabet = QStringLiteral("0123456789+-.eEdD&HhOo ,x\t\n１");
    for (int i = 0; i < 20000; ++i) {
        QString text;
        const int length = int(random.bounded(24));
        for (int c = 0; c < length; ++c)
            text += alphabet[random.bounded(alphabet.size())];
        const double value = readTypedNumber(text);
        QVERIFY2(!std::isnan(value), qPrintable(text));

        QString spaced = text;
        spaced.insert(random.bounded(spaced.size() + 1), u' ');
        QVERIFY2(readTypedNumber(spaced) == value, qPrintable(text));
        QVERIFY2(readTypedNumber(text + QStringLiteral("x9")) == value, qPrintable(text));
    }
}

QTEST_GUILESS_MAIN(TestTypedNumber)
#include "tst_typed_number.moc"
