// The calibration's transform as a value: two corners, three reference
// points or two points on each axis, turned, skewed and logarithmic, its
// inverse, and the inputs it refuses.
#include "calibration/axes_transform.h"
#include "calibration/calibration.h"

#include <QTest>

#include <cmath>
#include <numbers>

namespace {

// A chart drawn by a known plane: pixel = origin + u * ex + v * ey, where u
// and v are the linearised values (log10 on a logarithmic axis).
struct DrawnAxes
{
    AxisKind xKind;
    AxisKind yKind;
    QPointF origin{120, 540};
    QPointF ex;
    QPointF ey;

    static double value(AxisKind kind, double linear) { return kind == AxisKind::Logarithmic ? std::pow(10.0, linear) : linear; }
    QPointF pixel(double u, double v) const { return origin + u * ex + v * ey; }
    QPointF valuesAt(QPointF p) const
    {
        const QPointF d = p - origin;
        const double det = ex.x() * ey.y() - ex.y() * ey.x();
        const double u = (d.x() * ey.y() - d.y() * ey.x()) / det;
        const double v = (ex.x() * d.y() - ex.y() * d.x()) / det;
        return {value(xKind, u), value(yKind, v)};
    }
};

// The X axis along `angle` degrees (counter-clockwise on screen, so y goes
// up), the Y axis a further 90 - skew degrees on.
DrawnAxes drawn(AxisKind x, AxisKind y, double angle, double skew, double pixelsPerUnit)
{
    const double a = angle * std::numbers::pi / 180, b = (angle + 90 - skew) * std::numbers::pi / 180;
    // Upright axes exactly upright: cos 90° is not quite 0 in floating point.
    const auto along = [&](double t) {
        const QPointF e(std::cos(t), -std::sin(t));
        return pixelsPerUnit * QPointF(std::abs(e.x()) < 1e-12 ? 0 : e.x(), std::abs(e.y()) < 1e-12 ? 0 : e.y());
    };
    return {x, y, {120, 540}, along(a), along(b)};
}

enum class Way { Corners, ThreePoints, FourPoints };

std::optional<AxesTransform> calibrate(const DrawnAxes &d, Way way)
{
    const auto v = [&](AxisKind k, double u) { return DrawnAxes::value(k, u); };
    switch (way) {
    case Way::Corners: {
        const QPointF s = d.pixel(1, 1), e = d.pixel(4, 3);
        Calibration c;
        c.start = {float(s.x()), float(s.y())};
        c.end = {float(e.x()), float(e.y())};
        c.values = {v(d.xKind, 1), v(d.yKind, 1), v(d.xKind, 4), v(d.yKind, 3)};
        c.scale = d.xKind == AxisKind::Logarithmic ? (d.yKind == AxisKind::Logarithmic ? AxisScale::LogLog : AxisScale::LogLinear)
                                                   : (d.yKind == AxisKind::Logarithmic ? AxisScale::LinearLog : AxisScale::LinearLinear);
        return AxesTransform::fromCorners(c);
    }
    case Way::ThreePoints:
        return AxesTransform::fromReferencePoints(
            d.xKind, d.yKind,
            {ReferencePoint{d.pixel(1, 1), v(d.xKind, 1), v(d.yKind, 1)}, ReferencePoint{d.pixel(4, 1), v(d.xKind, 4), v(d.yKind, 1)},
             ReferencePoint{d.pixel(1, 3), v(d.xKind, 1), v(d.yKind, 3)}});
    case Way::FourPoints:
        // Points on the axes themselves (u = 0 or v = 0 lines) away from where they meet.
        return AxesTransform::fromAxisPoints(d.xKind, d.yKind,
                                             {AxisPoint{d.pixel(1, 0), v(d.xKind, 1)}, AxisPoint{d.pixel(4, 0), v(d.xKind, 4)}},
                                             {AxisPoint{d.pixel(0, 0.5), v(d.yKind, 0.5)}, AxisPoint{d.pixel(0, 3), v(d.yKind, 3)}});
    }
    return std::nullopt;
}

} // namespace

class TestAxesTransform : public QObject
{
    Q_OBJECT

private slots:
    void mapsAndInverts_data();
    void mapsAndInverts();
    void refusesDegenerateInput_data();
    void refusesDegenerateInput();
    void cornersKeepTheTraceOrder();
};

void TestAxesTransform::mapsAndInverts_data()
{
    QTest::addColumn<int>("way");
    QTest::addColumn<int>("xKind");
    QTest::addColumn<int>("yKind");
    QTest::addColumn<double>("angle");
    QTest::addColumn<double>("skew");
    QTest::addColumn<bool>("parallel");
    const int lin = int(AxisKind::Linear), log = int(AxisKind::Logarithmic);
    QTest::newRow("two corners, linear") << int(Way::Corners) << lin << lin << 0.0 << 0.0 << true;
    QTest::newRow("two corners, log Y") << int(Way::Corners) << lin << log << 0.0 << 0.0 << true;
    QTest::newRow("two corners, log X, linear Y") << int(Way::Corners) << log << lin << 0.0 << 0.0 << true;
    QTest::newRow("two corners, log-log") << int(Way::Corners) << log << log << 0.0 << 0.0 << true;
    QTest::newRow("three points, upright") << int(Way::ThreePoints) << lin << lin << 0.0 << 0.0 << true;
    QTest::newRow("three points, turned 1°") << int(Way::ThreePoints) << lin << lin << 1.0 << 0.0 << false;
    QTest::newRow("three points, turned 30°, log Y") << int(Way::ThreePoints) << lin << log << 30.0 << 0.0 << false;
    QTest::newRow("three points, skewed 10°, log-log") << int(Way::ThreePoints) << log << log << 0.0 << 10.0 << false;
    QTest::newRow("four points, upright") << int(Way::FourPoints) << lin << lin << 0.0 << 0.0 << true;
    QTest::newRow("four points, turned 1°") << int(Way::FourPoints) << lin << lin << 1.0 << 0.0 << false;
    QTest::newRow("four points, turned -30°, log X") << int(Way::FourPoints) << log << lin << -30.0 << 0.0 << false;
    QTest::newRow("four points, turned 1° and skewed 5°, log-log") << int(Way::FourPoints) << log << log << 1.0 << 5.0 << false;
}

void TestAxesTransform::mapsAndInverts()
{
    QFETCH(int, way);
    QFETCH(int, xKind);
    QFETCH(int, yKind);
    QFETCH(double, angle);
    QFETCH(double, skew);
    QFETCH(bool, parallel);
    const DrawnAxes d = drawn(AxisKind(xKind), AxisKind(yKind), angle, skew, 150);
    const auto t = calibrate(d, Way(way));
    QVERIFY(t);
    QCOMPARE(t->isAxisParallel(), parallel);
    for (const QPointF p : {QPointF(300, 300), QPointF(121.25, 539.5), QPointF(800, 60), QPointF(-50, 900)}) {
        const auto values = t->toAxes(p);
        QVERIFY(values);
        const QPointF truth = d.valuesAt(p);
        QVERIFY2(std::abs(values->x() - truth.x()) <= 1e-12 * std::max(1.0, std::abs(truth.x())), qPrintable(QString::number(values->x() - truth.x())));
        QVERIFY2(std::abs(values->y() - truth.y()) <= 1e-12 * std::max(1.0, std::abs(truth.y())), qPrintable(QString::number(values->y() - truth.y())));
        const auto back = t->toPixel(values->x(), values->y());
        QVERIFY(back);
        QVERIFY2(QLineF(*back, p).length() < 1e-9, qPrintable(QString::number(QLineF(*back, p).length())));
    }
    // The linearised plane agrees with the values.
    const QPointF uv = t->linearised().map(QPointF(300, 300));
    const QPointF at = *t->toAxes(QPointF(300, 300));
    const QPointF origin = *t->toAxes(t->linearised().inverted().map(QPointF(0, 0)));
    const auto lin = [](AxisKind k, double value, double from) { return k == AxisKind::Logarithmic ? std::log(value / from) : value - from; };
    QVERIFY(std::abs(uv.x() - lin(AxisKind(xKind), at.x(), origin.x())) < 1e-9);
    QVERIFY(std::abs(uv.y() - lin(AxisKind(yKind), at.y(), origin.y())) < 1e-9);
}

void TestAxesTransform::refusesDegenerateInput_data()
{
    QTest::addColumn<std::function<std::optional<AxesTransform>(QString *)>>("make");
    QTest::addColumn<QString>("why");
    using Make = std::function<std::optional<AxesTransform>(QString *)>;
    const AxisKind lin = AxisKind::Linear, log = AxisKind::Logarithmic;
    QTest::newRow("three points on a line") << Make([=](QString *why) {
        return AxesTransform::fromReferencePoints(lin, lin, {ReferencePoint{{0, 0}, 0, 0}, {{10, 10}, 1, 1}, {{20, 20}, 2, 0}}, why);
    }) << QStringLiteral("the three points lie on one line");
    QTest::newRow("three points nearly on a line are taken") << Make([=](QString *why) {
        return AxesTransform::fromReferencePoints(lin, lin, {ReferencePoint{{0, 0}, 0, 0}, {{10, 10}, 1, 1}, {{20, 20.01}, 2, 0}}, why);
    }) << QString();
    QTest::newRow("three points of one X value") << Make([=](QString *why) {
        return AxesTransform::fromReferencePoints(lin, lin, {ReferencePoint{{0, 0}, 5, 0}, {{10, 0}, 5, 1}, {{0, 10}, 5, 2}}, why);
    }) << QStringLiteral("the three points have one X value");
    QTest::newRow("a logarithmic value of the other sign") << Make([=](QString *why) {
        return AxesTransform::fromReferencePoints(lin, log, {ReferencePoint{{0, 0}, 0, 1}, {{10, 0}, 1, -1}, {{0, 10}, 0, 10}}, why);
    }) << QStringLiteral("the Y values have no logarithm of one sign");
    QTest::newRow("parallel axes") << Make([=](QString *why) {
        return AxesTransform::fromAxisPoints(lin, lin, {AxisPoint{{0, 100}, 0}, {{100, 100}, 10}}, {AxisPoint{{0, 50}, 0}, {{100, 50}, 5}}, why);
    }) << QStringLiteral("the X and Y axes are parallel");
    QTest::newRow("axes a degree apart are taken") << Make([=](QString *why) {
        return AxesTransform::fromAxisPoints(lin, lin, {AxisPoint{{0, 100}, 0}, {{100, 100}, 10}}, {AxisPoint{{0, 50}, 0}, {{100, 48.25}, 5}}, why);
    }) << QString();
    QTest::newRow("one point twice on the X axis") << Make([=](QString *why) {
        return AxesTransform::fromAxisPoints(lin, lin, {AxisPoint{{5, 100}, 0}, {{5, 100}, 10}}, {AxisPoint{{0, 50}, 0}, {{0, 0}, 5}}, why);
    }) << QStringLiteral("the two points on the X axis are one");
    QTest::newRow("equal values on the Y axis") << Make([=](QString *why) {
        return AxesTransform::fromAxisPoints(lin, lin, {AxisPoint{{5, 100}, 0}, {{90, 100}, 10}}, {AxisPoint{{0, 50}, 3}, {{0, 0}, 3}}, why);
    }) << QStringLiteral("the two Y values are equal");
    QTest::newRow("a logarithmic X of zero") << Make([=](QString *why) {
        return AxesTransform::fromAxisPoints(log, lin, {AxisPoint{{5, 100}, 0}, {{90, 100}, 10}}, {AxisPoint{{0, 50}, 0}, {{0, 0}, 5}}, why);
    }) << QStringLiteral("the two X values have no logarithm of one sign");
    QTest::newRow("a point outside the plane") << Make([=](QString *why) {
        return AxesTransform::fromAxisPoints(lin, lin, {AxisPoint{{qQNaN(), 100}, 0}, {{90, 100}, 10}}, {AxisPoint{{0, 50}, 0}, {{0, 0}, 5}}, why);
    }) << QStringLiteral("an axis point lies outside the picture");
}

void TestAxesTransform::refusesDegenerateInput()
{
    QFETCH(std::function<std::optional<AxesTransform>(QString *)>, make);
    QFETCH(QString, why);
    QString said;
    const auto t = make(&said);
    QCOMPARE(said, why);
    QCOMPARE(bool(t), why.isEmpty());
}

void TestAxesTransform::cornersKeepTheTraceOrder()
{
    // Two corners evaluate as the trace always has: the offset in single
    // precision, multiplied by the value span, then divided by the pixel span.
    Calibration c;
    c.start = {100.3f, 400};
    c.end = {400.7f, 50};
    c.values = {0, 0, 300000, 10};
    const auto t = AxesTransform::fromCorners(c);
    QVERIFY(t);
    const float x = 217.9f;
    QCOMPARE(*t->xAt(x, 0).value, 0 + double(x - 100.3f) * 300000.0 / double(400.7f - 100.3f));
    c.scale = AxisScale::LogLinear;
    c.values = {1, 0, 1000, 10};
    const auto logX = AxesTransform::fromCorners(c);
    QVERIFY(logX);
    QCOMPARE(logX->xKind(), AxisKind::Logarithmic);
    QCOMPARE(logX->yKind(), AxisKind::Linear);
    QCOMPARE(*logX->xAt(x, 0).value, 1 * std::exp(double(x - 100.3f) * (std::log(1000.0) / double(400.7f - 100.3f))));
    AxisFault fault{};
    c.values = {0, 0, 1000, 10};
    QVERIFY(!AxesTransform::fromCorners(c, &fault));
    QCOMPARE(fault, (AxisFault{Axis::X, MappingFault::LogStartZero}));
}

QTEST_GUILESS_MAIN(TestAxesTransform)
#include "tst_axes_transform.moc"
