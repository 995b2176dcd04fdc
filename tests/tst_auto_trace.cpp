#include "calibration/number_text.h"
#include "document/work_state.h"
#include "digitize/auto_trace.h"
#include "fixtures.h"

#include "digitize/line_runs.h"
#include "digitize/line_weight.h"
#include "digitize/trace_scan.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

namespace {

void paintColumn(QImage &image, int x, int yFrom, int yTo, QRgb colour)
{
    for (int y = yFrom; y <= yTo; ++y)
        image.setPixel(x, y, colour);
}

// The green component of surface pixel (x, y), 255 outside the surface: the
// trace's rule read one pixel at a time, as the naive reference.
int greenAt(const QImage &surface, int x, int y)
{
    if (x < 0 || y < 0 || x >= surface.width() || y >= surface.height())
        return 255;
    return qGreen(surface.pixel(x, y));
}

// Start point (100, 400), end point (300, 50), armed for a start point
// capture; Text1 ... Text4 = 0, 0, 100, 10.
WorkState armedFrame(int scale = 1)
{
    WorkState state = frameState(scale);
    state.ClickMode = ClickMode::StartPoint;
    return state;
}

const CornerValues linearValues{0, 0, 100, 10};

// Column k of the run is pixel column Sx + 1 + k.
constexpr int columnIndex(int pixelX)
{
    return pixelX - 101;
}

} // namespace

class TestAutoTrace : public QObject
{
    Q_OBJECT

private slots:
    void runsOfALine();
    void columnsAndValues();
    void thickLineTakesTopmostRow();
    void darkestGreenWins_data();
    void darkestGreenWins();
    void scannedRowBounds_data();
    void scannedRowBounds();
    void whiteColumnsCarryTheRow();
    void greyBackgroundPicksTopRow();
    void lowFrameReadsNoPixel();
    void narrowFrameTracesNothing();
    void secondShorterTraceKeepsOldEntries();
    void wideFrameStopsAtTheTable();
    void frameOutsideTheSurface();
    void logarithmicY();
    void undefinedLeavesStateUntouched_data();
    void undefinedLeavesStateUntouched();
    void otherImageFormats();
    void scanPathsMatchTheReference_data();
    void scanPathsMatchTheReference();
    void lineCentre_data();
    void lineCentre();
    void lineCentreEdges_data();
    void lineCentreEdges();
    void undefinedInTheMiddle();
    void curveColour_data();
    void curveColour();
    void optionsLimitColumns();
};

void TestAutoTrace::columnsAndValues()
{
    WorkState state = armedFrame();
    const TraceOutcome outcome = traceAsWindow(whiteSurface(), linearValues, state);
    QVERIFY(!outcome.fault);
    QVERIFY(!outcome.truncated);
    QCOMPARE(outcome.pointCount, 197);
    QCOMPARE(state.PointCount, std::optional<int>(197));
    QCOMPARE(state.ClickMode, ClickMode::ReadPoint);
    QCOMPARE(state.Points[0][1], 1.0);
    QCOMPARE(state.Points[0][197], 99.0);
    QCOMPARE(state.Points[0][198], 0.0);
    QCOMPARE(state.Points[0][0], 0.0);
}

void TestAutoTrace::thickLineTakesTopmostRow()
{
    QImage image = whiteSurface();
    paintColumn(image, 150, 224, 226, qRgb(0, 0, 0));
    WorkState state = armedFrame();
    traceAsWindow(image, linearValues, state);
    QCOMPARE(state.CurveY[size_t(columnIndex(150))], 224.f);
    QCOMPARE(columnIndex(150), 49);
    QCOMPARE(formatGeneralNumber(state.Points[1][49]), QStringLiteral("5.02857142857143"));
}

void TestAutoTrace::darkestGreenWins_data()
{
    QTest::addColumn<QRgb>("upper");
    QTest::addColumn<QRgb>("lower");
    QTest::addColumn<int>("expectedRow");

    // Upper pixel at row 100, lower at row 200, column 150.
    QTest::newRow("black below grey wins") << qRgb(128, 128, 128) << qRgb(0, 0, 0) << 200;
    QTest::newRow("equal green: topmost wins") << qRgb(0, 0, 0) << qRgb(0, 0, 0) << 100;
    QTest::newRow("red equals black, topmost wins") << qRgb(255, 0, 0) << qRgb(0, 0, 0) << 100;
    QTest::newRow("blue found like black") << qRgb(255, 255, 255) << qRgb(0, 0, 255) << 200;
    QTest::newRow("pure green never found") << qRgb(0, 255, 0) << qRgb(200, 254, 200) << 200;
    QTest::newRow("yellow never found") << qRgb(255, 255, 0) << qRgb(192, 192, 192) << 200;
    QTest::newRow("green 254 qualifies") << qRgb(255, 254, 255) << qRgb(255, 255, 255) << 100;
    QTest::newRow("only green counts") << qRgb(0, 100, 0) << qRgb(255, 99, 255) << 200;
}

void TestAutoTrace::darkestGreenWins()
{
    QFETCH(QRgb, upper);
    QFETCH(QRgb, lower);
    QFETCH(int, expectedRow);

    QImage image = whiteSurface();
    image.setPixel(150, 100, upper);
    image.setPixel(150, 200, lower);
    WorkState state = armedFrame();
    traceAsWindow(image, linearValues, state);
    QCOMPARE(state.CurveY[size_t(columnIndex(150))], float(expectedRow));
}

void TestAutoTrace::scannedRowBounds_data()
{
    QTest::addColumn<float>("endY");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("found");
    QTest::newRow("Ey + 2 is not scanned") << 50.f << 52 << false;
    QTest::newRow("Ey + 3 is the first row") << 50.f << 53 << true;
    QTest::newRow("Sy - 15 is the last row") << 50.f << 385 << true;
    QTest::newRow("Sy - 14 is not scanned") << 50.f << 386 << false;
    QTest::newRow("18 rows tall: Ey + 3 is the one row") << 382.f << 385 << true;
    QTest::newRow("18 rows tall: the row above is not") << 382.f << 384 << false;
    QTest::newRow("18 rows tall: the row below is not") << 382.f << 386 << false;
}

void TestAutoTrace::scannedRowBounds()
{
    QFETCH(float, endY);
    QFETCH(int, row);
    QFETCH(bool, found);
    QImage image = whiteSurface();
    // A black line across the whole width at the row, plus the frame's own
    // columns painted black to show they are skipped.
    for (int x = 0; x < image.width(); ++x)
        image.setPixel(x, row, qRgb(0, 0, 0));
    WorkState state = armedFrame();
    state.EndPixelY = endY;
    traceAsWindow(image, linearValues, state);
    QCOMPARE(state.CurveY[1], found ? float(row) : 0.f);
    QCOMPARE(state.CurveY[197], found ? float(row) : 0.f);
}

void TestAutoTrace::whiteColumnsCarryTheRow()
{
    QImage image = whiteSurface();
    paintColumn(image, 150, 300, 300, qRgb(0, 0, 0));
    paintColumn(image, 152, 310, 310, qRgb(0, 0, 0));
    WorkState state = armedFrame();
    traceAsWindow(image, linearValues, state);

    // Leading white columns get row 0 and Y(0).
    QCOMPARE(state.CurveY[1], 0.f);
    QCOMPARE(formatGeneralNumber(state.Points[1][1]), QStringLiteral("11.4285714285714"));
    QCOMPARE(state.CurveY[size_t(columnIndex(150))], 300.f);
    // Column 151 is white: it repeats the row and value of column 150.
    QCOMPARE(state.CurveY[size_t(columnIndex(151))], 300.f);
    QCOMPARE(state.Points[1][size_t(columnIndex(151))], state.Points[1][size_t(columnIndex(150))]);
    QCOMPARE(state.CurveY[size_t(columnIndex(152))], 310.f);
    // Trailing white columns keep the last row found.
    QCOMPARE(state.CurveY[197], 310.f);
}

void TestAutoTrace::greyBackgroundPicksTopRow()
{
    // With no image the surface shows the light grey background (green 192),
    // which qualifies: every column picks its topmost scanned row.
    QImage image(PictureSurface::Size, QImage::Format_RGB32);
    image.fill(qRgb(192, 192, 192));
    paintColumn(image, 200, 250, 250, qRgb(0, 0, 0));
    WorkState state = armedFrame();
    traceAsWindow(image, linearValues, state);
    QCOMPARE(state.CurveY[1], 53.f);
    QCOMPARE(state.CurveY[size_t(columnIndex(200))], 250.f);
    QCOMPARE(state.CurveY[size_t(columnIndex(201))], 53.f);
}

void TestAutoTrace::lowFrameReadsNoPixel()
{
    QImage image = whiteSurface();
    paintColumn(image, 150, 60, 80, qRgb(0, 0, 0));
    WorkState state = armedFrame();
    state.StartPixelY = 67; // Sy - Ey = 17: no row is scanned
    traceAsWindow(image, linearValues, state);
    QCOMPARE(state.PointCount, std::optional<int>(197));
    QCOMPARE(state.CurveY[size_t(columnIndex(150))], 0.f);
}

void TestAutoTrace::narrowFrameTracesNothing()
{
    WorkState state = armedFrame();
    state.EndPixelX = 103; // Ex - Sx = 3
    const TraceOutcome outcome = traceAsWindow(whiteSurface(), linearValues, state);
    QVERIFY(!outcome.fault);
    QCOMPARE(state.PointCount, std::optional<int>(0));
    QCOMPARE(state.ClickMode, ClickMode::ReadPoint);

    // Before any corner is captured every corner counts as 0: nothing traced.
    WorkState fresh;
    fresh.AxisScale = AxisScale::LinearLinear;
    QVERIFY(!traceAsWindow(whiteSurface(), linearValues, fresh).fault);
    QCOMPARE(fresh.PointCount, std::optional<int>(0));
}

void TestAutoTrace::secondShorterTraceKeepsOldEntries()
{
    QImage image = whiteSurface();
    paintColumn(image, 250, 120, 120, qRgb(0, 0, 0));
    WorkState state = armedFrame();
    traceAsWindow(image, linearValues, state);
    const double oldY = state.Points[1][size_t(columnIndex(250))];

    state.EndPixelX = 200;
    traceAsWindow(whiteSurface(), linearValues, state);
    QCOMPARE(state.PointCount, std::optional<int>(97));
    QCOMPARE(state.CurveY[size_t(columnIndex(250))], 120.f);
    QCOMPARE(state.Points[1][size_t(columnIndex(250))], oldY);
    QCOMPARE(state.CurveY[97], 0.f);
}

void TestAutoTrace::wideFrameStopsAtTheTable()
{
    QImage image(1300, 805, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 0; x < image.width(); ++x)
        image.setPixel(x, 200, qRgb(0, 0, 0));
    WorkState state = armedFrame();
    state.StartPixelX = 0;
    state.EndPixelX = 1100; // 1097 columns would be traced
    const TraceOutcome outcome = traceAsWindow(image, CornerValues{0, 0, 1100, 10}, state);
    QVERIFY(!outcome.fault);
    QVERIFY(outcome.truncated);
    QCOMPARE(state.PointCount, std::optional<int>(1000));
    QCOMPARE(state.CurveY[1000], 200.f);
    QCOMPARE(state.Points[0][1000], 1001.0);

    state.EndPixelX = 1004; // exactly 1001 columns
    QVERIFY(traceAsWindow(image, CornerValues{0, 0, 1100, 10}, state).truncated);
    state.EndPixelX = 1003; // exactly 1000 columns
    QVERIFY(!traceAsWindow(image, CornerValues{0, 0, 1100, 10}, state).truncated);
    QCOMPARE(state.PointCount, std::optional<int>(1000));
}

void TestAutoTrace::frameOutsideTheSurface()
{
    // Columns and rows beyond the surface read as green 255 and never qualify.
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 150, qRgb(0, 0, 0));
    image.setPixel(199, 10, qRgb(0, 0, 0));
    WorkState state;
    state.AxisScale = AxisScale::LinearLinear;
    state.StartPixelX = -50;
    state.StartPixelY = 900;
    state.EndPixelX = 400;
    state.EndPixelY = -300;
    traceAsWindow(image, linearValues, state);
    QCOMPARE(state.PointCount, std::optional<int>(447));
    QCOMPARE(state.CurveY[1], 0.f);     // column -48: outside
    QCOMPARE(state.CurveY[49], 150.f);  // column 0
    QCOMPARE(state.CurveY[248], 10.f);  // column 199
    QCOMPARE(state.CurveY[447], 10.f);  // column 398: outside, row carried
    QCOMPARE(greenAt(image, -1, 0), 255);
    QCOMPARE(greenAt(image, 0, 200), 255);
    QCOMPARE(greenAt(image, 0, 150), 0);
}

void TestAutoTrace::logarithmicY()
{
    QImage image = whiteSurface();
    paintColumn(image, 150, 250, 250, qRgb(0, 0, 0));
    WorkState state = armedFrame(2);
    state.EndPixelY = 100;
    traceAsWindow(image, CornerValues{0, 1, 100, 1000}, state);
    const double y = state.Points[1][size_t(columnIndex(150))];
    QVERIFY2(qAbs(y - 31.6227766016838) < 1e-12, qPrintable(formatGeneralNumber(y)));
}

void TestAutoTrace::undefinedLeavesStateUntouched_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<double>("xs");
    QTest::addColumn<double>("ys");
    QTest::addColumn<double>("xe");
    QTest::addColumn<double>("ye");
    QTest::addColumn<float>("startY");
    QTest::addColumn<int>("axis");
    QTest::addColumn<int>("fault");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("log Y start 0") << 2 << 0.0 << 0.0 << 100.0 << 10.0 << 400.f
                                   << int(Axis::Y) << int(MappingFault::LogStartZero);
    QTest::newRow("log X ratio negative") << 3 << 1.0 << 1.0 << -100.0 << 10.0 << 400.f
                                          << int(Axis::X) << int(MappingFault::LogRatioNotPositive);
    QTest::newRow("log Y zero span") << 2 << 0.0 << 1.0 << 100.0 << 10.0 << 50.f
                                     << int(Axis::Y) << int(MappingFault::ZeroSpan);
    QTest::newRow("linear Y zero span") << 1 << 0.0 << 0.0 << 100.0 << 10.0 << 50.f
                                        << int(Axis::Y) << int(MappingFault::ZeroSpan);
    QTest::newRow("typed value beyond range") << 1 << 0.0 << 0.0 << inf << 10.0 << 400.f
                                              << int(Axis::X) << int(MappingFault::OutOfRange);
    QTest::newRow("X overflows at the third column") << 1 << 1e308 << 0.0 << 1.5e308 << 10.0 << 400.f
                                                     << int(Axis::X) << int(MappingFault::OutOfRange);
    QTest::newRow("exp overflows") << 2 << 0.0 << 1e-300 << 100.0 << 1e300 << 400.f
                                   << int(Axis::Y) << int(MappingFault::OutOfRange);
}

void TestAutoTrace::undefinedLeavesStateUntouched()
{
    QFETCH(int, scale);
    QFETCH(double, xs);
    QFETCH(double, ys);
    QFETCH(double, xe);
    QFETCH(double, ye);
    QFETCH(float, startY);
    QFETCH(int, axis);
    QFETCH(int, fault);

    WorkState state = armedFrame(1);
    QImage image = whiteSurface();
    paintColumn(image, 150, 200, 200, qRgb(0, 0, 0));
    traceAsWindow(image, linearValues, state);
    state.ClickMode = ClickMode::PointDigitize;
    state.AxisScale = AxisScale(scale);
    state.StartPixelY = startY;
    const WorkState before = state;

    const TraceOutcome outcome = traceAsWindow(whiteSurface(), CornerValues{xs, ys, xe, ye}, state);
    QVERIFY(outcome.fault);
    QCOMPARE(int(outcome.fault->axis), axis);
    QCOMPARE(int(outcome.fault->fault), fault);
    QCOMPARE(state.ClickMode, ClickMode::PointDigitize);
    QCOMPARE(state.PointCount, before.PointCount);
    QVERIFY(state.Points == before.Points);
    QVERIFY(state.CurveY == before.CurveY);
}

void TestAutoTrace::otherImageFormats()
{
    QImage image(PictureSurface::Size, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 140; y < 142; ++y)
        image.scanLine(y)[180] = 10;
    WorkState state = armedFrame();
    traceAsWindow(image, linearValues, state);
    QCOMPARE(state.CurveY[size_t(columnIndex(180))], 140.f);
}


void TestAutoTrace::scanPathsMatchTheReference_data()
{
    QTest::addColumn<int>("seed");
    QTest::addColumn<int>("greens"); // how many distinct greens: few give many ties
    QTest::addColumn<int>("blankColumns"); // every n-th column white: rows carried over

    QTest::newRow("ties everywhere") << 1 << 2 << 0;
    QTest::newRow("few greens, blank columns") << 2 << 4 << 3;
    QTest::newRow("full range") << 3 << 256 << 0;
    QTest::newRow("full range, blank columns") << 4 << 256 << 5;
    QTest::newRow("sparse dark pixels") << 5 << 256 << 2;
}

void TestAutoTrace::scanPathsMatchTheReference()
{
    QFETCH(int, seed);
    QFETCH(int, greens);
    QFETCH(int, blankColumns);
    QRandomGenerator random{quint32(seed)};
    for (int round = 0; round < 20; ++round) {
        QImage image(random.bounded(1, 90), random.bounded(1, 90), QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const int green = 255 - random.bounded(greens) * (256 / greens);
                const bool blank = blankColumns && x % blankColumns == 0;
                image.setPixel(x, y, qRgb(random.bounded(256), blank ? 255 : std::clamp(green, 0, 255), 7));
            }
        }
        // Areas that start before and reach past the image, and ones inside it.
        const ScanArea area{random.bounded(-10, image.width() + 2), random.bounded(0, 110),
                            random.bounded(-10, image.height() + 2), random.bounded(0, 110)};
        std::vector<int> expected(size_t(area.columnCount), NoQualifyingRow);
        for (int k = 0; k < area.columnCount; ++k) {
            int best = 255;
            for (int j = 0; j < area.rowCount; ++j) {
                const int green = greenAt(image, int(area.firstColumn + k), int(area.firstRow + j));
                if (green < best) {
                    best = green;
                    expected[size_t(k)] = j;
                }
            }
        }
        for (ScanPath path : {ScanPath::Baseline, ScanPath::Avx2}) {
            if (!scanPathAvailable(path))
                continue;
            QCOMPARE(darkestRows(image, area, path), expected);
        }
    }
    if (!scanPathAvailable(ScanPath::Avx2))
        QSKIP("This processor has no AVX2: only the baseline scan was compared.");
}

void TestAutoTrace::lineCentre_data()
{
    QTest::addColumn<double>("centre");
    QTest::addColumn<double>("width");
    QTest::addColumn<bool>("colour");
    QTest::newRow("1 px on a row") << 200.0 << 1.0 << false;
    QTest::newRow("1 px between rows") << 200.5 << 1.0 << false;
    QTest::newRow("2 px") << 150.25 << 2.0 << false;
    QTest::newRow("3 px") << 250.0 << 3.0 << false;
    QTest::newRow("3.5 px, off the row") << 120.3 << 3.5 << false;
    QTest::newRow("5 px") << 300.6 << 5.0 << false;
    QTest::newRow("3 px by colour") << 180.4 << 3.0 << true;
}

void TestAutoTrace::lineCentre()
{
    QFETCH(double, centre);
    QFETCH(double, width);
    QFETCH(bool, colour);
    // An antialiased line whose centre lies on `centre`, in the pixel
    // convention of the trace: a line covering row r alone is centred on r.
    QImage image = whiteSurface();
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(QRectF(0, centre + 0.5 - width / 2, image.width(), width), QColor(200, 0, 0));
    }
    WorkState state = frameState();
    TraceOptions options;
    options.line = LineRule::Centre;
    if (colour)
        options.colour = qRgb(200, 0, 0);
    const TraceResult trace = traceCurve(image, calibrationOf(state, linearValues), options);
    QCOMPARE(trace.pointCount(), 197);
    for (float row : {trace.pickedRows.front(), trace.pickedRows[100], trace.pickedRows.back()})
        QVERIFY2(std::abs(row - centre) <= 0.05, qPrintable(QString::number(row)));
    // The window's rule reads the topmost dark row instead.
    options.line = LineRule::Top;
    const float top = traceCurve(image, calibrationOf(state, linearValues), options).pickedRows[100];
    QVERIFY(top <= centre);
}

void TestAutoTrace::lineCentreEdges_data()
{
    // One column's pixels from row 98 down, every other row white; the
    // centre each gives with --line centre.
    QTest::addColumn<QList<QRgb>>("pixels");
    QTest::addColumn<bool>("red");
    QTest::addColumn<int>("tolerance");
    QTest::addColumn<double>("expected");
    const QRgb white = qRgb(255, 255, 255);
    const QRgb red = qRgb(255, 0, 0);
    // Half-way from white to red, 21 off the blend: weight 255 * 224 / 510.
    const QRgb offBlend = qRgb(255, 128, 158);
    const double offWeight = 255.0 * 224 / 510;
    QTest::newRow("an edge off the blend within the tolerance")
        << QList<QRgb>{white, offBlend, red, white} << true << 60 << 100 - offWeight / (offWeight + 255);
    QTest::newRow("the same edge beyond the tolerance") << QList<QRgb>{white, offBlend, red, white} << true << 20 << 100.0;
    // The core is what weighs half the peak or more; a fading tail adds two pixels.
    auto grey = [](int weight) { return qRgb(255 - weight, 255 - weight, 255 - weight); };
    QTest::newRow("a long tail below half the peak")
        << QList<QRgb>{white, white, grey(255), grey(100), grey(90), grey(80), grey(70), white} << false << 60
        << 100 + (100.0 + 2 * 90) / (255 + 100 + 90);
}

void TestAutoTrace::lineCentreEdges()
{
    QFETCH(QList<QRgb>, pixels);
    QFETCH(bool, red);
    QFETCH(int, tolerance);
    QFETCH(double, expected);
    QImage image = whiteSurface();
    for (int x = 0; x < image.width(); ++x) {
        for (qsizetype i = 0; i < pixels.size(); ++i)
            image.setPixel(x, 98 + int(i), pixels[i]);
    }
    TraceOptions options;
    options.line = LineRule::Centre;
    options.tolerance = tolerance;
    if (red)
        options.colour = qRgb(255, 0, 0);
    WorkState state = frameState();
    const TraceResult trace = traceCurve(image, calibrationOf(state, linearValues), options);
    QCOMPARE(trace.pointCount(), 197);
    QVERIFY2(std::abs(trace.pickedRows[50] - expected) < 1e-4, qPrintable(QString::number(trace.pickedRows[50])));
}

void TestAutoTrace::undefinedInTheMiddle()
{
    // A linear Y axis up to 1E307: (row - Sy) * 1E307 overflows more than 18
    // rows above the start corner. The curve stays below that but for one
    // column; the whole trace is refused, as the window refuses it.
    QImage image = whiteSurface();
    for (int x = 0; x < image.width(); ++x)
        image.setPixel(x, x == 200 ? 100 : 385, qRgb(0, 0, 0));
    WorkState state = frameState();
    const TraceResult trace = traceCurve(image, calibrationOf(state, CornerValues{0, 0, 10, 1e307}));
    QCOMPARE(trace.fault, (std::optional<AxisFault>(AxisFault{Axis::Y, MappingFault::OutOfRange})));
    QCOMPARE(trace.pointCount(), 0);
    image.setPixel(200, 100, qRgb(255, 255, 255));
    QCOMPARE(traceCurve(image, calibrationOf(state, CornerValues{0, 0, 10, 1e307})).pointCount(), 197);
}

void TestAutoTrace::curveColour_data()
{
    QTest::addColumn<int>("redRow");
    QTest::addColumn<int>("tolerance");
    QTest::addColumn<int>("expected");
    QTest::newRow("red below the black lines") << 300 << 60 << 300;
    QTest::newRow("red above them") << 90 << 60 << 90;
    QTest::newRow("a faded red within the tolerance") << 220 << 120 << 220;
}

void TestAutoTrace::curveColour()
{
    QFETCH(int, redRow);
    QFETCH(int, tolerance);
    QFETCH(int, expected);
    // A red curve crossing black grid lines and a second black curve: the
    // colour rule follows the red one, the window's rule the black one.
    QImage image = whiteSurface();
    for (int x = 0; x < image.width(); ++x) {
        image.setPixel(x, 150, qRgb(0, 0, 0));           // grid line
        image.setPixel(x, 250 + x % 7, qRgb(20, 20, 20)); // second curve
        if (x % 40 != 0)                                   // gaps: rows carried over
            image.setPixel(x, redRow, tolerance > 60 ? qRgb(255, 70, 70) : qRgb(230, 20, 30));
    }
    for (int y = 0; y < image.height(); ++y)
        image.setPixel(200, y, qRgb(0, 0, 0)); // vertical grid line over the curve
    WorkState state = frameState();
    TraceOptions options;
    options.colour = qRgb(220, 20, 30);
    options.tolerance = tolerance;
    const TraceResult trace = traceCurve(image, calibrationOf(state, linearValues), options);
    for (int k = 0; k < trace.pointCount(); ++k)
        QCOMPARE(trace.pickedRows[size_t(k)], float(expected));
    QCOMPARE(traceCurve(image, calibrationOf(state, linearValues)).pickedRows[10], 150.f);
}

void TestAutoTrace::optionsLimitColumns()
{
    WorkState state = frameState(1, 1500);
    const Calibration calibration = calibrationOf(state, linearValues);
    const TraceResult window = traceCurve(whiteSurface(), calibration);
    QCOMPARE(window.pointCount(), 1000);
    QVERIFY(window.truncated);
    TraceOptions options;
    options.maxColumns = 0;
    const TraceResult all = traceCurve(whiteSurface(), calibration, options);
    QCOMPARE(all.pointCount(), 1397);
    QVERIFY(!all.truncated);
    options.maxColumns = 10;
    QCOMPARE(traceCurve(whiteSurface(), calibration, options).pointCount(), 10);
}

void TestAutoTrace::runsOfALine()
{
    // A line across ten columns on row 20, its antialiased lower edge on row 21.
    QImage image(10, 50, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 0; x < 10; ++x) {
        image.setPixel(x, 20, qRgb(0, 0, 0));
        image.setPixel(x, 21, qRgb(100, 100, 100));
    }
    const ScanArea area{0, 10, 0, 50};
    const ColumnRuns runs = lineRuns(image, area, TraceOptions{});
    QCOMPARE(runs[5].size(), size_t(1));
    // The darkness-weighted centre, not the middle of the run's rows (20.5).
    const double w0 = lineWeight(qRgb(0, 0, 0), std::nullopt, 60), w1 = lineWeight(qRgb(100, 100, 100), std::nullopt, 60);
    QVERIFY(std::fabs(runs[5][0].centre - (20 * w0 + 21 * w1) / (w0 + w1)) < 1e-3);
    QVERIFY(runs[5][0].centre < 20.45);

    // An exclusion over columns 3 ... 6 leaves nothing there, its last column
    // included, and the columns beside it as they were.
    const ColumnRuns excluded = lineRuns(image, area, TraceOptions{}, {QRectF(3, 10, 4, 20)});
    for (int k = 0; k < 10; ++k)
        QVERIFY2(excluded[k].size() == (k >= 3 && k <= 6 ? 0u : 1u), qPrintable(QStringLiteral("column %1").arg(k)));
}

QTEST_GUILESS_MAIN(TestAutoTrace)
#include "tst_auto_trace.moc"
