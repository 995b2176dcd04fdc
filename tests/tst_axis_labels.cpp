#include "axes/axis_fit.h"
#include "axes/tick_labels.h"

#include <QTest>

#include <cmath>
#include <optional>

Q_DECLARE_METATYPE(std::optional<double>)
Q_DECLARE_METATYPE(std::vector<AxisTick>)

class TestAxisLabels : public QObject
{
    Q_OBJECT

private slots:
    void labelValue_data();
    void labelValue();
    void extend_data();
    void extend();
    void timesPower_data();
    void timesPower();
    void multiplier_data();
    void multiplier();
    void fit_data();
    void fit();
};

using Value = std::optional<double>;

static void compareValue(const Value &read, const Value &expected)
{
    QCOMPARE(read.has_value(), expected.has_value());
    // Exactly: a value off in its last digit writes wrong numbers.
    if (expected)
        QVERIFY2(*read == *expected, qPrintable(QString::number(*read, 'g', 17)));
}

void TestAxisLabels::labelValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Value>("expected");

    QTest::newRow("integer") << QStringLiteral("250") << Value(250);
    QTest::newRow("blanks around") << QStringLiteral(" 40\n") << Value(40);
    QTest::newRow("decimal") << QStringLiteral("0.25") << Value(0.25);
    QTest::newRow("leading period") << QStringLiteral(".5") << Value(0.5);
    QTest::newRow("hyphen minus") << QStringLiteral("-1.5") << Value(-1.5);
    QTest::newRow("true minus") << QStringLiteral("\u22123") << Value(-3);
    QTest::newRow("thousands comma") << QStringLiteral("12,500") << Value(12500);
    QTest::newRow("thousands thin space") << QStringLiteral("1\u2009000\u2009000") << Value(1000000);
    QTest::newRow("thousands and decimals") << QStringLiteral("-1,000.5") << Value(-1000.5);
    QTest::newRow("comma not in groups of three") << QStringLiteral("1,5") << Value();
    QTest::newRow("mixed separators") << QStringLiteral("1,000 000") << Value();
    QTest::newRow("exponent") << QStringLiteral("1e3") << Value(1000);
    QTest::newRow("exponent with sign and zeros") << QStringLiteral("2.5E+03") << Value(2500);
    QTest::newRow("negative exponent") << QStringLiteral("1E-02") << Value(0.01);
    QTest::newRow("raised exponent") << QStringLiteral("10\u00b3") << Value(1000);
    QTest::newRow("raised negative exponent") << QStringLiteral("10\u207b\u00b2") << Value(0.01);
    QTest::newRow("raised with true minus base") << QStringLiteral("\u221210\u2074") << Value(-10000);
    QTest::newRow("caret exponent") << QStringLiteral("10^-3") << Value(0.001);
    QTest::newRow("mantissa times power") << QStringLiteral("2\u00d710\u2074") << Value(20000);
    QTest::newRow("zero") << QStringLiteral("0") << Value(0);
    QTest::newRow("a leading zero is a lost decimal point") << QStringLiteral("-08") << Value();
    QTest::newRow("letters") << QStringLiteral("Time") << Value();
    QTest::newRow("number then letters") << QStringLiteral("10 s") << Value();
    QTest::newRow("two numbers") << QStringLiteral("1 2") << Value();
    QTest::newRow("lone sign") << QStringLiteral("-") << Value();
    QTest::newRow("empty") << QString() << Value();
    QTest::newRow("exponent beyond double") << QStringLiteral("1e999") << Value();
}

void TestAxisLabels::labelValue()
{
    QFETCH(QString, text);
    QFETCH(Value, expected);
    compareValue(tickLabelValue(text), expected);
}

void TestAxisLabels::timesPower_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("exponent");
    QTest::addColumn<double>("expected");

    QTest::newRow("shown 1.8 under x10^-3") << 1.8 << -3 << 0.0018;
    QTest::newRow("shown 0.7 under x10^-3") << 0.7 << -3 << 0.0007;
    QTest::newRow("shown 0.5 under x10^3") << 0.5 << 3 << 500.0;
    QTest::newRow("negative") << -1.5 << 3 << -1500.0;
    QTest::newRow("zero") << 0.0 << 3 << 0.0;
    QTest::newRow("small") << 3e-5 << -2 << 3e-7;
}

void TestAxisLabels::timesPower()
{
    QFETCH(double, value);
    QFETCH(int, exponent);
    QFETCH(double, expected);
    QCOMPARE(timesPowerOfTen(value, exponent), expected);
}

void TestAxisLabels::multiplier_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("label");
    QTest::addColumn<Value>("expected"); // the label's value with the text at its axis end

    QTest::newRow("times raised") << QStringLiteral("\u00d710\u00b3") << 1.5 << Value(1500);
    QTest::newRow("x caret negative") << QStringLiteral("x10^-3") << 1.8 << Value(0.0018);
    QTest::newRow("times raised true minus") << QStringLiteral("\u00d710\u207b\u2076") << 2.0 << Value(2e-6);
    QTest::newRow("exponent alone") << QStringLiteral("1e6") << 2.0 << Value(2e6);
    QTest::newRow("times exponent") << QStringLiteral("\u00d71e-3") << 0.7 << Value(0.0007);
    QTest::newRow("offset") << QStringLiteral("+1000") << 0.2 << Value(1000.2);
    QTest::newRow("offset summed in decimal") << QStringLiteral("+0.2") << 0.1 << Value(0.3); // not 0.30000000000000004
    QTest::newRow("negative offset with exponent") << QStringLiteral("\u22122.5e3") << 0.5 << Value(-2499.5);
    QTest::newRow("multiplier and offset") << QStringLiteral("1e\u22123+20") << 1.5 << Value(20.0015);
    QTest::newRow("spaced, times and offset") << QStringLiteral("\u00d710\u207b\u00b3 + 20") << 0.1 << Value(20.0001);
    QTest::newRow("a power of ten without times is a label") << QStringLiteral("10^3") << 1.0 << Value();
    QTest::newRow("plain number is a label, not a multiplier") << QStringLiteral("1000") << 1.0 << Value();
    QTest::newRow("words") << QStringLiteral("x axis") << 1.0 << Value();
    QTest::newRow("sign alone") << QStringLiteral("+") << 1.0 << Value();
    QTest::newRow("words before an offset") << QStringLiteral("time +20") << 1.0 << Value();
}

void TestAxisLabels::multiplier()
{
    QFETCH(QString, text);
    QFETCH(double, label);
    QFETCH(Value, expected);
    const auto end = axisEndText(text);
    compareValue(end ? Value(axisEndValue(label, *end)) : Value(), expected);
}

void TestAxisLabels::fit_data()
{
    QTest::addColumn<std::vector<AxisTick>>("ticks");
    QTest::addColumn<bool>("logarithmic");
    QTest::addColumn<AxisTick>("first"); // the first and last agreeing ticks, or the failure below
    QTest::addColumn<AxisTick>("last");
    QTest::addColumn<QString>("failure");

    const std::vector<AxisTick> linear{{100, 0}, {200.2, 10}, {300, 20}, {400.1, 30}, {500, 40}};
    QTest::newRow("linear") << linear << false << AxisTick{100, 0} << AxisTick{500, 40} << QString();
    auto misread = linear;
    misread[2].value = 70; // "20" read as "70"
    QTest::newRow("one misread label left out") << misread << false << AxisTick{100, 0} << AxisTick{500, 40} << QString();
    QTest::newRow("decades") << std::vector<AxisTick>{{700, 0.01}, {500, 0.1}, {300, 1}, {100, 10}} << true
                             << AxisTick{100, 10} << AxisTick{700, 0.01} << QString();
    QTest::newRow("misread decade") << std::vector<AxisTick>{{700, 1}, {500, 10}, {300, 1000}, {100, 1000}} << true
                                    << AxisTick{100, 1000} << AxisTick{700, 1} << QString();
    QTest::newRow("a raised exponent read inline is no decade")
        << std::vector<AxisTick>{{30, 102}, {153, 10}, {275, 1}, {398, 0.1}, {520, 0.01}} << true << AxisTick{153, 10}
        << AxisTick{520, 0.01} << QString();
    QTest::newRow("negative values on a linear axis")
        << std::vector<AxisTick>{{50, -2}, {150, -1}, {250, 0}, {350, 1}} << false << AxisTick{50, -2} << AxisTick{350, 1}
        << QString();
    QTest::newRow("neither scale") << std::vector<AxisTick>{{100, 10}, {200, 20}, {300, 50}, {400, 100}} << false
                                   << AxisTick{} << AxisTick{}
                                   << QStringLiteral("Y labels do not fit a linear or a logarithmic scale: 10, 20, 50, 100");
    QTest::newRow("two agree, one does not") << std::vector<AxisTick>{{100, 0}, {200, 10}, {300, 25}} << false
                                             << AxisTick{} << AxisTick{}
                                             << QStringLiteral("Y labels do not fit a linear or a logarithmic scale: 0, 10, 25");
    QTest::newRow("ticks off by a pixel") << std::vector<AxisTick>{{100, 0}, {201, 10}, {300, 20}, {401, 30}} << false
                                          << AxisTick{} << AxisTick{}
                                          << QStringLiteral("Y labels do not fit a linear or a logarithmic scale: 0, 10, 20, 30");
    QTest::newRow("minus signs lost on half the axis")
        << std::vector<AxisTick>{{100, 3}, {150, 2}, {200, 1}, {250, 0}, {300, 1}, {350, 2}, {400, 3}} << false << AxisTick{}
        << AxisTick{} << QStringLiteral("Y labels fit two different scales: 3, 2, 1, 0, 1, 2, 3");
    QTest::newRow("two labels") << std::vector<AxisTick>{{100, 0}, {200, 10}} << false << AxisTick{} << AxisTick{}
                                << QStringLiteral("fewer than three Y tick labels read: 0, 10");
    QTest::newRow("none") << std::vector<AxisTick>{} << false << AxisTick{} << AxisTick{}
                          << QStringLiteral("no Y tick labels read");
    QTest::newRow("one value repeated") << std::vector<AxisTick>{{100, 5}, {200, 5}, {300, 5}} << false << AxisTick{}
                                        << AxisTick{}
                                        << QStringLiteral("Y labels do not fit a linear or a logarithmic scale: 5, 5, 5");
}

void TestAxisLabels::fit()
{
    QFETCH(std::vector<AxisTick>, ticks);
    QFETCH(bool, logarithmic);
    QFETCH(AxisTick, first);
    QFETCH(AxisTick, last);
    QFETCH(QString, failure);

    const AxisFit fit = fitAxis(ticks, QStringLiteral("Y"));
    QCOMPARE(fit.failure, failure);
    if (!failure.isEmpty())
        return;
    QCOMPARE(fit.kind == AxisKind::Logarithmic, logarithmic);
    QVERIFY(fit.agreeing.size() >= 3);
    QCOMPARE(fit.agreeing.front().pixel, std::min(first.pixel, last.pixel));
    const AxisTick &low = first.pixel < last.pixel ? first : last;
    const AxisTick &high = first.pixel < last.pixel ? last : first;
    QCOMPARE(fit.agreeing.front().value, low.value);
    QCOMPARE(fit.agreeing.back().pixel, high.pixel);
    QCOMPARE(fit.agreeing.back().value, high.value);
    QVERIFY2(fit.residual < 0.5, qPrintable(QString::number(fit.residual)));
}

void TestAxisLabels::extend_data()
{
    QTest::addColumn<std::vector<AxisTick>>("labelled");
    QTest::addColumn<std::vector<double>>("drawn"); // every tick drawn on the axis
    QTest::addColumn<AxisTick>("first");
    QTest::addColumn<AxisTick>("last");

    const std::vector<AxisTick> tenths{{200, 0.2}, {300, 0.3}, {400, 0.4}};
    QTest::newRow("outer labels not read") << tenths << std::vector<double>{100, 200, 300, 400, 500, 600}
                                           << AxisTick{100, 0.1} << AxisTick{600, 0.6};
    // Two unread labels on each side, in either order: the outermost ticks take the corners.
    QTest::newRow("two outer labels not read") << tenths << std::vector<double>{100, 0, 500, 600}
                                               << AxisTick{0, 0} << AxisTick{600, 0.6};
    QTest::newRow("two outer labels not read, outermost first") << tenths << std::vector<double>{0, 100, 600, 500}
                                                                << AxisTick{0, 0} << AxisTick{600, 0.6};
    QTest::newRow("minor ticks between steps are none") << tenths << std::vector<double>{150, 250, 450}
                                                        << AxisTick{200, 0.2} << AxisTick{400, 0.4};
    QTest::newRow("a tick off the steps is none") << tenths << std::vector<double>{99, 501.2}
                                                  << AxisTick{200, 0.2} << AxisTick{400, 0.4};
    const std::vector<AxisTick> decades{{100, 1000}, {200, 100}, {300, 10}};
    QTest::newRow("decades") << decades << std::vector<double>{0, 400, 430.1} << AxisTick{0, 10000} << AxisTick{400, 1};
    QTest::newRow("not decades") << std::vector<AxisTick>{{100, 2000}, {200, 200}, {300, 20}} << std::vector<double>{0, 400}
                                 << AxisTick{100, 2000} << AxisTick{300, 20};
}

void TestAxisLabels::extend()
{
    QFETCH(std::vector<AxisTick>, labelled);
    QFETCH(std::vector<double>, drawn);
    QFETCH(AxisTick, first);
    QFETCH(AxisTick, last);

    AxisFit fit = fitAxis(labelled, QStringLiteral("Y"));
    QVERIFY(fit.found());
    extendToTicks(fit, drawn);
    QCOMPARE(fit.agreeing.front().pixel, first.pixel);
    QCOMPARE(fit.agreeing.front().value, first.value); // exactly as the label would read: 0.1, not 0.1 + 1e-17
    QCOMPARE(fit.agreeing.back().pixel, last.pixel);
    QCOMPARE(fit.agreeing.back().value, last.value);
}

QTEST_GUILESS_MAIN(TestAxisLabels)
#include "tst_axis_labels.moc"
