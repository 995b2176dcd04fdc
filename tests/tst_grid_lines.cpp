#include "calibration/calibration.h"
#include "calibration/grid_lines.h"
#include "calibration/number_text.h"

#include <QTest>

namespace {

// The values as texts, so that a failure shows them all.
QString texts(const std::vector<double> &values)
{
    QStringList out;
    for (double v : values)
        out << formatGeneralNumber(v);
    return out.join(u' ');
}

} // namespace

class TestGridLines : public QObject
{
    Q_OBJECT

private slots:
    void linearSteps_data();
    void linearSteps();
    void logarithmicSteps_data();
    void logarithmicSteps();
    void gridOfACalibration();
};

void TestGridLines::linearSteps_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0 to 100: steps of 20") << 0.0 << 100.0 << QStringLiteral("0 20 40 60 80 100");
    QTest::newRow("0 to 10") << 0.0 << 10.0 << QStringLiteral("0 2 4 6 8 10");
    QTest::newRow("reversed axis") << 100.0 << 0.0 << QStringLiteral("0 20 40 60 80 100");
    QTest::newRow("0 to 1: no 0.30000000000000004") << 0.0 << 1.0 << QStringLiteral("0 0.2 0.4 0.6 0.8 1");
    QTest::newRow("ends between steps") << 3.0 << 47.0 << QStringLiteral("5 10 15 20 25 30 35 40 45");
    QTest::newRow("across zero") << -7.0 << 13.0 << QStringLiteral("-6 -4 -2 0 2 4 6 8 10 12");
    QTest::newRow("tiny range") << 1.0001 << 1.0009 << QStringLiteral("1.0001 1.0002 1.0003 1.0004 1.0005 1.0006 1.0007 1.0008 1.0009");
    QTest::newRow("huge range") << 0.0 << 3e300 << QStringLiteral("0 5E+299 1E+300 1.5E+300 2E+300 2.5E+300 3E+300");
    QTest::newRow("empty range") << 5.0 << 5.0 << QString();
    QTest::newRow("not finite") << 0.0 << qInf() << QString();
}

void TestGridLines::linearSteps()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(QString, expected);
    QCOMPARE(texts(linearGridValues(a, b)), expected);
}

void TestGridLines::logarithmicSteps_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one decade, with 2 ... 9") << 1.0 << 10.0 << QStringLiteral("1 2 3 4 5 6 7 8 9 10");
    QTest::newRow("part of a decade") << 0.3 << 2.5 << QStringLiteral("0.3 0.4 0.5 0.6 0.7 0.8 0.9 1 2");
    QTest::newRow("reversed") << 1000.0 << 100.0 << QStringLiteral("100 200 300 400 500 600 700 800 900 1000");
    QTest::newRow("four decades: decades only") << 1.0 << 10000.0 << QStringLiteral("1 10 100 1000 10000");
    QTest::newRow("negative axis") << -1.0 << -1000000.0 << QStringLiteral("-1 -10 -100 -1000 -10000 -100000 -1000000");
    QTest::newRow("many decades: every 2nd") << 1e-30 << 1e30
                                             << QStringLiteral("1E-30 1E-27 1E-24 1E-21 1E-18 1E-15 1E-12 1E-09 1E-06 0.001 1 1000 1000000 1000000000 1000000000000 1E+15 1E+18 1E+21 1E+24 1E+27 1E+30");
    QTest::newRow("signs differ") << -1.0 << 10.0 << QString();
    QTest::newRow("zero end") << 0.0 << 10.0 << QString();
}

void TestGridLines::logarithmicSteps()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(QString, expected);
    QCOMPARE(texts(logarithmicGridValues(a, b)), expected);
}

void TestGridLines::gridOfACalibration()
{
    // X 0 ... 100 over columns 100 ... 300; Y 1 ... 1000 (log) over rows 400 ... 100.
    Calibration calibration{{100, 400}, {300, 100}, {0, 1, 100, 1000}, AxisScale::LinearLog};
    const CalibrationGrid grid = calibrationGrid(calibration);
    QVERIFY(!grid.fault);
    QCOMPARE(grid.xLines.size(), size_t(6));
    QCOMPARE(grid.xLines[1].value, 20.0);
    QCOMPARE(grid.xLines[1].pixel, 140.0);
    QCOMPARE(grid.yLines.front().pixel, 400.0);
    QCOMPARE(grid.yLines.back().value, 1000.0);
    QVERIFY(qAbs(grid.yLines.back().pixel - 100) < 1e-9);
    QVERIFY(qAbs(grid.yLines[9].pixel - 300) < 1e-9); // 10: one decade up

    calibration.values.startY = 0; // no logarithm of 0
    QCOMPARE(calibrationGrid(calibration).fault, (std::optional<AxisFault>(AxisFault{Axis::Y, MappingFault::LogStartZero})));
    calibration.values.startY = 1;
    calibration.end.x = 100; // both corners on one column
    QCOMPARE(calibrationGrid(calibration).fault, (std::optional<AxisFault>(AxisFault{Axis::X, MappingFault::ZeroSpan})));
}

QTEST_GUILESS_MAIN(TestGridLines)
#include "tst_grid_lines.moc"
