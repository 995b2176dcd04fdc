#include "calibration/axes_transform.h"
#include "calibration/axis_mapping.h"
#include "calibration/number_text.h"
#include "document/work_state.h"
#include "digitize/point_read.h"
#include "fixtures.h"

#include <QTest>

Q_DECLARE_METATYPE(MappingFault)
Q_DECLARE_METATYPE(Axis)

namespace {

// The frame used throughout: start point (100, 400), end point (300, 50).
CornerValues corners(const char *t1, const char *t2, const char *t3, const char *t4)
{
    return readCornerValues(QString::fromLatin1(t1), QString::fromLatin1(t2),
                            QString::fromLatin1(t3), QString::fromLatin1(t4));
}

} // namespace

class TestAxisMapping : public QObject
{
    Q_OBJECT

private slots:
    void pointReadout_data();
    void pointReadout();
    void insideFrame_data();
    void insideFrame();
    void undefined_data();
    void undefined();
    void readoutAndTraceOrderDiffer();
    void traceOrderValues();
    void negativeLogarithmicAxis();
};

void TestAxisMapping::pointReadout_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<QString>("texts"); // Text1 ... Text4, separated by '|'
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<QString>("xText");
    QTest::addColumn<QString>("yText");

    QTest::newRow("lin-lin centre") << 1 << QStringLiteral("0|0|100|10") << 200.f << 225.f
                                    << QStringLiteral("50.000") << QStringLiteral("5.000");
    QTest::newRow("lin-log centre") << 2 << QStringLiteral("1|0.1|1000|10") << 200.f << 225.f
                                    << QStringLiteral("500.500") << QStringLiteral("1.000E+00");
    QTest::newRow("log-log centre") << 3 << QStringLiteral("1|0.1|1000|10") << 200.f << 225.f
                                    << QStringLiteral("3.162E+01") << QStringLiteral("1.000E+00");
    QTest::newRow("just inside the right border") << 1 << QStringLiteral("0|0|100|10") << 299.f << 225.f
                                                  << QStringLiteral("99.500") << QStringLiteral("5.000");
    QTest::newRow("just above the bottom border") << 1 << QStringLiteral("0|0|100|10") << 200.f << 399.f
                                                  << QStringLiteral("50.000") << QStringLiteral("0.029");
    QTest::newRow("edited end value") << 1 << QStringLiteral("0|0|200|10") << 200.f << 225.f
                                      << QStringLiteral("100.000") << QStringLiteral("5.000");
    QTest::newRow("reversed Y axis") << 1 << QStringLiteral("0|10|100|0") << 200.f << 120.f
                                     << QStringLiteral("50.000") << QStringLiteral("2.000");
    QTest::newRow("upright Y axis") << 1 << QStringLiteral("0|0|100|10") << 200.f << 120.f
                                    << QStringLiteral("50.000") << QStringLiteral("8.000");
    QTest::newRow("comma reads as the digits before it") << 1 << QStringLiteral("0|0|1,000|10") << 200.f << 225.f
                                                         << QStringLiteral("0.500") << QStringLiteral("5.000");
    QTest::newRow("blank inside a number") << 1 << QStringLiteral("0|0|1 000|10") << 200.f << 225.f
                                           << QStringLiteral("500.000") << QStringLiteral("5.000");
}

void TestAxisMapping::pointReadout()
{
    QFETCH(int, scale);
    QFETCH(QString, texts);
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(QString, xText);
    QFETCH(QString, yText);

    const QStringList t = texts.split(u'|');
    const WorkState state = frameState(scale);
    const PointReadout readout = readPoint(calibrationOf(state, readCornerValues(t[0], t[1], t[2], t[3])), x, y);
    QVERIFY(!readout.fault);
    QCOMPARE(readout.xText, xText);
    QCOMPARE(readout.yText, yText);
}

void TestAxisMapping::insideFrame_data()
{
    QTest::addColumn<float>("sx");
    QTest::addColumn<float>("sy");
    QTest::addColumn<float>("ex");
    QTest::addColumn<float>("ey");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<bool>("inside");

    QTest::newRow("centre") << 100.f << 400.f << 300.f << 50.f << 200.f << 225.f << true;
    QTest::newRow("on the right border") << 100.f << 400.f << 300.f << 50.f << 300.f << 225.f << false;
    QTest::newRow("one left of the right border") << 100.f << 400.f << 300.f << 50.f << 299.f << 225.f << true;
    QTest::newRow("on the left border") << 100.f << 400.f << 300.f << 50.f << 100.f << 225.f << false;
    QTest::newRow("on the bottom border") << 100.f << 400.f << 300.f << 50.f << 200.f << 400.f << false;
    QTest::newRow("on the top border") << 100.f << 400.f << 300.f << 50.f << 200.f << 50.f << false;
    QTest::newRow("left of the frame") << 100.f << 400.f << 300.f << 50.f << 50.f << 225.f << false;
    QTest::newRow("no corner captured") << 0.f << 0.f << 0.f << 0.f << 200.f << 225.f << false;
    QTest::newRow("only the start captured") << 100.f << 400.f << 0.f << 0.f << 200.f << 225.f << false;
    QTest::newRow("start right of end") << 300.f << 400.f << 100.f << 50.f << 200.f << 225.f << false;
}

void TestAxisMapping::insideFrame()
{
    QFETCH(float, sx);
    QFETCH(float, sy);
    QFETCH(float, ex);
    QFETCH(float, ey);
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(bool, inside);

    WorkState state;
    state.StartPixelX = sx;
    state.StartPixelY = sy;
    state.EndPixelX = ex;
    state.EndPixelY = ey;
    QCOMPARE(::insideFrame(calibrationOf(state, {}), x, y), inside);
}

void TestAxisMapping::undefined_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<QString>("texts");
    QTest::addColumn<float>("x");
    QTest::addColumn<Axis>("axis");
    QTest::addColumn<MappingFault>("fault");

    QTest::newRow("log X start 0") << 3 << QStringLiteral("0|1|100|10") << 200.f << Axis::X << MappingFault::LogStartZero;
    QTest::newRow("log X empty start") << 3 << QStringLiteral("|1|100|10") << 200.f << Axis::X << MappingFault::LogStartZero;
    QTest::newRow("log X ratio negative") << 3 << QStringLiteral("1|1|-100|10") << 200.f << Axis::X << MappingFault::LogRatioNotPositive;
    QTest::newRow("log X ratio zero") << 3 << QStringLiteral("1|1|0|10") << 200.f << Axis::X << MappingFault::LogRatioNotPositive;
    QTest::newRow("log Y start 0") << 2 << QStringLiteral("0|0|100|10") << 200.f << Axis::Y << MappingFault::LogStartZero;
    QTest::newRow("log Y ratio negative") << 2 << QStringLiteral("0|-1|100|10") << 200.f << Axis::Y << MappingFault::LogRatioNotPositive;
    QTest::newRow("linear typed beyond range") << 1 << QStringLiteral("0|0|1E400|10") << 200.f << Axis::X << MappingFault::OutOfRange;
    QTest::newRow("linear negative beyond range") << 1 << QStringLiteral("-1E400|0|0|10") << 200.f << Axis::X << MappingFault::OutOfRange;
    QTest::newRow("log typed beyond range") << 3 << QStringLiteral("1|1|1E400|10") << 200.f << Axis::X << MappingFault::OutOfRange;
    QTest::newRow("log ratio overflows") << 3 << QStringLiteral("1E-300|1|1E300|10") << 200.f << Axis::X << MappingFault::OutOfRange;
    QTest::newRow("exp overflows past the frame") << 3 << QStringLiteral("1|1|1E300|10") << 1000.f << Axis::X << MappingFault::OutOfRange;
    QTest::newRow("linear span overflows") << 1 << QStringLiteral("-1.5E308|0|1.5E308|10") << 200.f << Axis::X << MappingFault::OutOfRange;
}

void TestAxisMapping::undefined()
{
    QFETCH(int, scale);
    QFETCH(QString, texts);
    QFETCH(float, x);
    QFETCH(Axis, axis);
    QFETCH(MappingFault, fault);

    const QStringList t = texts.split(u'|');
    const WorkState state = frameState(scale);
    const PointReadout readout = readPoint(calibrationOf(state, readCornerValues(t[0], t[1], t[2], t[3])), x, 225);
    QVERIFY(readout.fault);
    QCOMPARE(readout.fault->axis, axis);
    QCOMPARE(readout.fault->fault, fault);
    QVERIFY(readout.xText.isEmpty());
    QVERIFY(readout.yText.isEmpty());
}

void TestAxisMapping::readoutAndTraceOrderDiffer()
{
    // The read-out forms the pixel fraction 1/3 in single precision; the
    // trace multiplies first and divides second in double precision.
    WorkState state;
    state.StartPixelX = 100;
    state.EndPixelX = 400;
    state.AxisScale = AxisScale::LinearLinear;
    const CornerValues values = corners("0", "0", "300000", "10");

    const AxisValue readout = PixelToAxisX(calibrationOf(state, values), 200);
    QVERIFY(readout.value);
    QCOMPARE(formatGeneralNumber(*readout.value), QStringLiteral("100000.002980232"));
    QCOMPARE(formatFixedReadout(*readout.value), QStringLiteral("100000.003"));

    const auto trace = AxesTransform::fromCorners(calibrationOf(state, values));
    QVERIFY(trace);
    QCOMPARE(formatGeneralNumber(*trace->xAt(200, 0).value), QStringLiteral("100000"));
}

void TestAxisMapping::traceOrderValues()
{
    WorkState state = frameState(1);
    const auto linearY = AxesTransform::fromCorners(calibrationOf(state, corners("0", "0", "100", "10")));
    QVERIFY(linearY);
    QCOMPARE(formatGeneralNumber(*linearY->yAt(0, 224).value), QStringLiteral("5.02857142857143"));
    QCOMPARE(formatGeneralNumber(*linearY->yAt(0, 0).value), QStringLiteral("11.4285714285714"));

    state = frameState(2);
    state.StartPixelY = 400;
    state.EndPixelY = 100;
    const auto logY = AxesTransform::fromCorners(calibrationOf(state, corners("0", "1", "100", "1000")));
    QVERIFY(logY);
    QCOMPARE(formatScientificReadout(*logY->yAt(0, 250).value), QStringLiteral("3.162E+01"));
    QVERIFY(qAbs(*logY->yAt(0, 250).value - 31.6227766016838) < 1e-12);

    AxisFault fault{};
    state.EndPixelY = 400;
    QVERIFY(!AxesTransform::fromCorners(calibrationOf(state, corners("0", "1", "100", "1000")), &fault));
    QCOMPARE(fault, (AxisFault{Axis::Y, MappingFault::ZeroSpan}));
}

void TestAxisMapping::negativeLogarithmicAxis()
{
    const WorkState state = frameState(3);
    const AxisValue x = PixelToAxisX(calibrationOf(state, corners("-1", "1", "-1000", "10")), 200);
    QVERIFY(x.value);
    QCOMPARE(formatGeneralNumber(*x.value), QStringLiteral("-31.6227766016838"));
}

QTEST_GUILESS_MAIN(TestAxisMapping)
#include "tst_axis_mapping.moc"
