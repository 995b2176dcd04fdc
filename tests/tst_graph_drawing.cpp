#include "document/work_state.h"
#include "fixtures.h"
#include "output/graph_drawing.h"

#include <QFont>
#include <QImage>
#include <QTest>

namespace {

QImage surface()
{
    QImage image(PictureSurface::Size, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    return image;
}

// Start point (100, 400), end point (400, 100): a 300 x 300 frame, traced
// along row 350.
WorkState tracedFrame(int scale)
{
    WorkState state = frameState(scale, 400, 100);
    for (int k = 1; k <= 297; ++k)
        state.CurveY[size_t(k)] = 350;
    state.PointCount = 297;
    return state;
}

QFont labelFont()
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(20.25);
    return font;
}

GraphDrawOutcome draw(QImage &image, const WorkState &state, const CornerValues &values)
{
    return drawGraph(image, calibrationOf(state, values), state.tableRows(), labelFont());
}

constexpr QRgb Black = 0xff000000;
constexpr QRgb White = 0xffffffff;
constexpr QRgb Red = 0xffff0000;

bool anyDarkIn(const QImage &image, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}

} // namespace

class TestGraphDrawing : public QObject
{
    Q_OBJECT

private slots:
    void frameCurveAndNoGrid();
    void horizontalDecades();
    void partialDecades();
    void foregroundColour();
    void bothDecades();
    void lessThanADecadeOrFalling();
    void labels();
    void beforeAnyTrace();
    void undefinedDrawsNothing_data();
    void undefinedDrawsNothing();
    void wideFrameStopsAtTheTable();
    void decadeCounts();
};

void TestGraphDrawing::frameCurveAndNoGrid()
{
    QImage image = surface();
    const WorkState state = tracedFrame(1);
    const GraphDrawOutcome outcome = draw(image, state, CornerValues{0, 0, 100, 10});
    QVERIFY(!outcome.fault);
    QVERIFY(!outcome.truncated);
    // Frame sides at their rows and columns.
    QCOMPARE(image.pixel(250, 400), Black);
    QCOMPARE(image.pixel(250, 100), Black);
    QCOMPARE(image.pixel(100, 250), Black);
    QCOMPARE(image.pixel(400, 250), Black);
    // Inside the frame: white apart from the curve along row 350.
    QCOMPARE(image.pixel(250, 200), White);
    QCOMPARE(image.pixel(250, 300), White);
    QCOMPARE(image.pixel(250, 350), Red);
    QCOMPARE(image.pixel(102, 350), Red);
    QCOMPARE(image.pixel(398, 350), Red);
    QCOMPARE(image.pixel(250, 345), White);
    // Outside the frame: background white.
    QCOMPARE(image.pixel(600, 600), White);
}

void TestGraphDrawing::horizontalDecades()
{
    QImage image = surface();
    draw(image, tracedFrame(2), CornerValues{0, 1, 100, 1000});
    QCOMPARE(image.pixel(250, 300), Black); // one third of the height
    QCOMPARE(image.pixel(250, 200), Black); // two thirds
    QCOMPARE(image.pixel(250, 250), White);
    QCOMPARE(image.pixel(250, 301), White);
    QCOMPARE(image.pixel(250, 299), White);
    QCOMPARE(image.pixel(200, 250), White); // no vertical lines
}

void TestGraphDrawing::partialDecades()
{
    // 1 ... 500 spans 2.699 decades: lines at 1 and 2 decades (10 and 100),
    // none at the top.
    QImage image = surface();
    draw(image, tracedFrame(2), CornerValues{0, 1, 100, 500});
    QCOMPARE(image.pixel(250, 288), Black); // 400 - 300 / 2.699 = 288.85
    QCOMPARE(image.pixel(250, 177), Black); // 400 - 600 / 2.699 = 177.69
    QCOMPARE(image.pixel(250, 289), White);
    QCOMPARE(image.pixel(250, 178), White);
    QCOMPARE(image.pixel(250, 150), White);
}

void TestGraphDrawing::foregroundColour()
{
    QImage image = surface();
    const WorkState state = tracedFrame(1);
    drawGraph(image, calibrationOf(state, CornerValues{0, 0, 100, 10}), state.tableRows(), labelFont(),
              QColor(0, 0, 255));
    QCOMPARE(image.pixel(250, 400), qRgb(0, 0, 255));
    QCOMPARE(image.pixel(250, 350), Red);
}

void TestGraphDrawing::bothDecades()
{
    QImage image = surface();
    draw(image, tracedFrame(3), CornerValues{1, 0.1, 100, 10});
    QCOMPARE(image.pixel(250, 200), Black); // vertical line at half the width
    QCOMPARE(image.pixel(200, 250), Black); // horizontal line at half the height
    QCOMPARE(image.pixel(200, 200), White);
    QCOMPARE(image.pixel(300, 300), White);
}

void TestGraphDrawing::lessThanADecadeOrFalling()
{
    for (const CornerValues &values : {CornerValues{1, 1, 5, 5}, CornerValues{100, 100, 1, 1}}) {
        QImage image = surface();
        const GraphDrawOutcome outcome = draw(image, tracedFrame(3), values);
        QVERIFY(!outcome.fault);
        for (int i = 110; i < 390; i += 10) {
            QCOMPARE(image.pixel(i, 250), White);
            if (i != 350)
                QCOMPARE(image.pixel(250, i), White);
        }
    }
}

void TestGraphDrawing::labels()
{
    QImage image = surface();
    draw(image, tracedFrame(1), CornerValues{0, 0, 100, 10});
    // Xs below the lower left corner, Xe below the lower right corner,
    // Ys and Ye right of the frame.
    QVERIFY(anyDarkIn(image, QRect(85, 406, 30, 30)));
    QVERIFY(anyDarkIn(image, QRect(385, 406, 60, 30)));
    QVERIFY(anyDarkIn(image, QRect(406, 394, 30, 30)));
    // The lower Y label's text cell starts at row 394, above the X labels' row 406.
    QVERIFY(anyDarkIn(image, QRect(406, 394, 30, 12)));
    QVERIFY(anyDarkIn(image, QRect(406, 94, 40, 30)));
    QVERIFY(!anyDarkIn(image, QRect(450, 150, 100, 200)));
}

void TestGraphDrawing::beforeAnyTrace()
{
    QImage image = surface();
    WorkState state;
    state.AxisScale = AxisScale::LinearLinear;
    state.StartPixelX = 100;
    state.StartPixelY = 400;
    state.EndPixelX = 400;
    state.EndPixelY = 100;
    draw(image, state, CornerValues{0, 0, 100, 10});
    QCOMPARE(image.pixel(102, 0), Red);
    QCOMPARE(image.pixel(398, 0), Red);
    QCOMPARE(image.pixel(410, 0), White);
}

void TestGraphDrawing::undefinedDrawsNothing_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<double>("xs");
    QTest::addColumn<double>("ys");
    QTest::addColumn<double>("xe");
    QTest::addColumn<double>("ye");
    QTest::addColumn<int>("axis");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("log Y start 0") << 2 << 0.0 << 0.0 << 100.0 << 10.0 << int(Axis::Y);
    QTest::newRow("log Y ratio negative") << 3 << 1.0 << 1.0 << 100.0 << -10.0 << int(Axis::Y);
    QTest::newRow("log X start 0") << 3 << 0.0 << 1.0 << 100.0 << 10.0 << int(Axis::X);
    QTest::newRow("log ratio beyond range") << 3 << 1e-300 << 1.0 << 1e300 << 10.0 << int(Axis::X);
    QTest::newRow("linear label beyond range") << 1 << 0.0 << 0.0 << inf << 10.0 << int(Axis::X);
}

void TestGraphDrawing::undefinedDrawsNothing()
{
    QFETCH(int, scale);
    QFETCH(double, xs);
    QFETCH(double, ys);
    QFETCH(double, xe);
    QFETCH(double, ye);
    QFETCH(int, axis);
    QImage image = surface();
    const QImage before = image;
    const GraphDrawOutcome outcome = draw(image, tracedFrame(scale), CornerValues{xs, ys, xe, ye});
    QVERIFY(outcome.fault);
    QCOMPARE(int(outcome.fault->axis), axis);
    QVERIFY(image == before);
}

void TestGraphDrawing::wideFrameStopsAtTheTable()
{
    QImage image(1300, 805, QImage::Format_RGB32);
    WorkState state = tracedFrame(1);
    state.StartPixelX = 0;
    state.EndPixelX = 1200;
    state.CurveY.fill(300);
    const GraphDrawOutcome outcome = draw(image, state, CornerValues{0, 0, 100, 10});
    QVERIFY(outcome.truncated);
    QCOMPARE(image.pixel(1001, 300), Red); // entry 1000, pixel column 0 + 1 + 1000
    QCOMPARE(image.pixel(1100, 300), White);
}

void TestGraphDrawing::decadeCounts()
{
    QCOMPARE(decadeCount(1, 1000).value.has_value(), true);
    QVERIFY(qAbs(*decadeCount(1, 1000).value - 3) < 1e-12);
    QCOMPARE(decadeCount(0, 10).fault, MappingFault::LogStartZero);
    QCOMPARE(decadeCount(1, -10).fault, MappingFault::LogRatioNotPositive);
    QCOMPARE(decadeCount(1, 0).fault, MappingFault::LogRatioNotPositive);
}

QTEST_MAIN(TestGraphDrawing)
#include "tst_graph_drawing.moc"
