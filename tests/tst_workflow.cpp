#include "app/file_lists.h"
#include "app/graph_window.h"
#include "app/main_window.h"
#include "app/picture_box.h"
#include "calibration/number_text.h"
#include "chart_maker.h"
#include "gui_helpers.h"
#include "batch/batch_options.h"
#include "batch/batch_runner.h"
#include "files/calibration_file.h"
#include "pdf_fixture.h"

#include <QDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSpinBox>
#include "digitize/picture_surface.h"

#include <QScreen>
#include <QWheelEvent>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <cmath>
#include <memory>

namespace {

// Start point (100, 400), end point (300, 50), corner values 0, 0, 100, 10.
void calibrateStandardFrame(MainWindow &w)
{
    calibrate(w, QPoint(100, 400), QPoint(300, 50),
              {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("100"), QStringLiteral("10")});
}

// The data file expected from an image, worked out here column by column
// with one pixel read each: the topmost darkest row, carried over white
// columns, mapped as start + (p - s) * (end - start) / span or
// start * exp((p - s) * ln(end / start) / span).
QByteArray expectedDataFile(const QImage &image, QPoint start, QPoint end, const QList<double> &v, AxisScale scale)
{
    const double xs = v[0], ys = v[1], xe = v[2], ye = v[3];
    const double dX = end.x() - start.x();
    const double dY = start.y() - end.y();
    auto mapX = [&](double x) {
        return isXLogarithmic(scale) ? xs * std::exp((x - start.x()) * (std::log(xe / xs) / dX))
                          : xs + (x - start.x()) * (xe - xs) / dX;
    };
    auto mapY = [&](double y) {
        return isYLogarithmic(scale) ? ys * std::exp((start.y() - y) * (std::log(ye / ys) / dY))
                          : ys + (start.y() - y) * (ye - ys) / dY;
    };
    QString text;
    int count = 0;
    int row = 0;
    QString lines;
    for (int x = start.x() + 2; x <= end.x() - 2; ++x, ++count) {
        int best = 255;
        for (int y = end.y() + 3; y <= start.y() - 15; ++y) {
            const int green = x < image.width() && y < image.height() ? qGreen(image.pixel(x, y)) : 255;
            if (green < best) {
                best = green;
                row = y;
            }
        }
        lines += formatNumberItem(mapX(x)) + QStringLiteral(", ") + formatNumberItem(mapY(row)) + QStringLiteral("\r\n");
    }
    text = formatNumberItem(count) + QStringLiteral("\r\n") + lines;
    return text.toLatin1();
}

} // namespace

class TestWorkflow : public QObject
{
    Q_OBJECT

private slots:
    void wholeRoad_data();
    void wholeRoad();
    void pointReadouts();
    void cornerCapture();
    void markersDoNotAttractTheTrace();
    void saveBeforeAnyTrace();
    void emptyNameWarns();
    void failedSaveKeepsTraceAndFile_data();
    void failedSaveKeepsTraceAndFile();
    void graphWindowLifecycle();
    void undefinedLogarithmicAxis();
    void wideFrameIsCut();
    void secondShorterTrace();
    void followTheClickedCurve();
    void exclusionRectangles();
    void largePictureZoomed();
    void pdfPageInWindowAndTracer();
};

void TestWorkflow::wholeRoad_data()
{
    QTest::addColumn<int>("chart");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("width"); // the picture cut to this width; 0: whole
    QTest::newRow("linear, BMP") << 0 << QStringLiteral("linear.bmp") << 0;
    QTest::newRow("linear-log, TIFF") << 1 << QStringLiteral("linear_log.tif") << 0;
    QTest::newRow("log-log, BMP") << 2 << QStringLiteral("log_log.bmp") << 0;
    QTest::newRow("linear, frame past the picture") << 0 << QStringLiteral("narrow.bmp") << 600;
}

void TestWorkflow::wholeRoad()
{
    QFETCH(int, chart);
    QFETCH(QString, fileName);
    QFETCH(int, width);

    Session s;
    MainWindow &w = *s.window;
    Chart drawn = drawChart(sampleCharts()[chart]);
    if (width)
        drawn.image = drawn.image.copy(0, 0, width, drawn.image.height());
    const ChartDesign &design = drawn.design;
    QVERIFY(drawn.image.save(s.path(fileName)));

    loadThroughBrowser(w, s.dir.path(), fileName);
    QCOMPARE(QApplication::focusWidget(), w.Command3);

    const QStringList values{formatGeneralNumber(design.xs), formatGeneralNumber(design.ys),
                             formatGeneralNumber(design.xe), formatGeneralNumber(design.ye)};
    calibrate(w, design.start, design.end, values);
    QRadioButton *option = std::array{w.Option1, w.Option2, w.Option3}[size_t(design.axisScale) - 1];
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(5, option->height() / 2));
    QCOMPARE(w.workState().AxisScale, design.axisScale);

    QCOMPARE(autoDigitize(w), QStringLiteral("DIGITIZE が終了しました。"));
    QTRY_COMPARE(QApplication::focusWidget(), w.Command8);
    QCOMPARE(w.workState().ClickMode, ClickMode::ReadPoint);

    // Enter on the focused "Graph Draw" shows the graph window.
    QTest::keyClick(w.Command8, Qt::Key_Return);
    QVERIFY(w.graphWindow());
    QVERIFY(w.graphWindow()->isVisible());
    const QImage &graph = w.graphWindow()->Picture1->surface();
    const int midColumn = (design.start.x() + design.end.x()) / 2;
    const int k = midColumn - design.start.x() - 1;
    QCOMPARE(graph.pixel(midColumn, int(w.workState().CurveY[size_t(k)])), qRgb(255, 0, 0));

    QTest::mouseClick(w.graphWindow()->Command1, Qt::LeftButton);
    QVERIFY(!w.graphWindow()->isVisible());
    QCOMPARE(QApplication::focusWidget(), w.Text9);

    QTest::keyClicks(w.Text9, QStringLiteral("curve"));
    QTest::mouseClick(w.Command6, Qt::LeftButton);
    const QList<double> numbers{design.xs, design.ys, design.xe, design.ye};
    const QByteArray saved = readBytes(s.path(QStringLiteral("curve.csv")));
    QCOMPARE(saved, expectedDataFile(PictureSurface::compose(drawn.image), design.start, design.end, numbers,
                                     design.axisScale));
    QCOMPARE(saved.count("\r\n"), design.end.x() - design.start.x() - 3 + 1);

    // The command-line tracer writes the same bytes for the same picture,
    // corners, values and scale.
    const ParsedCommandLine command = parseCommandLine(
        {QStringLiteral("curvix-trace"), QStringLiteral("--start"),
         QStringLiteral("%1,%2").arg(design.start.x()).arg(design.start.y()), QStringLiteral("--end"),
         QStringLiteral("%1,%2").arg(design.end.x()).arg(design.end.y()), QStringLiteral("--values"), values.join(u','),
         QStringLiteral("--scale"), scaleName(design.axisScale), s.path(fileName)},
        1);
    QVERIFY2(command.options, qPrintable(command.error));
    QCOMPARE(traceImageFile(s.path(fileName), *command.options).bytes, saved);
}

void TestWorkflow::pointReadouts()
{
    Session s;
    MainWindow &w = *s.window;
    calibrateStandardFrame(w);
    QTest::mouseClick(w.Command9, Qt::LeftButton);
    QCOMPARE(w.workState().ClickMode, ClickMode::PointDigitize);

    struct Press
    {
        int x, y;
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        const char *xText, *yText;
    };
    const Press presses[] = {
        {200, 225, Qt::LeftButton, {}, "50.000", "5.000"},
        {300, 225, Qt::LeftButton, {}, "50.000", "5.000"},   // on the right border: ignored
        {299, 225, Qt::RightButton, {}, "99.500", "5.000"},  // right button reads like left
        {200, 400, Qt::LeftButton, {}, "99.500", "5.000"},   // on the bottom border: ignored
        {200, 399, Qt::MiddleButton, Qt::ShiftModifier, "50.000", "0.029"},
        {50, 225, Qt::LeftButton, {}, "50.000", "0.029"},    // left of the frame: ignored
    };
    for (const Press &p : presses) {
        pressInPicture(w, p.x, p.y, p.button, p.modifiers);
        QCOMPARE(w.Text10->text(), QString::fromLatin1(p.xText));
        QCOMPARE(w.Text11->text(), QString::fromLatin1(p.yText));
    }
    QCOMPARE(w.Picture1->marker(4), QLineF(192, 399, 208, 399));
    QCOMPARE(w.Picture1->marker(5), QLineF(200, 391, 200, 407));

    // The scale and the corner values are read at each press.
    QTest::mouseClick(w.Option3, Qt::LeftButton, {}, QPoint(5, 8));
    typeInto(w.Text1, QStringLiteral("1"));
    typeInto(w.Text2, QStringLiteral("0.1"));
    typeInto(w.Text3, QStringLiteral("1000"));
    pressInPicture(w, 200, 225);
    QCOMPARE(w.Text10->text(), QStringLiteral("3.162E+01"));
    QCOMPARE(w.Text11->text(), QStringLiteral("1.000E+00"));
    // Arrow keys move the choice within the group, as clicks do.
    w.Option3->setFocus();
    QTest::keyClick(w.Option3, Qt::Key_Up);
    QVERIFY(w.Option2->isChecked());
    QCOMPARE(w.workState().AxisScale, AxisScale::LinearLog);
    pressInPicture(w, 200, 225);
    QCOMPARE(w.Text10->text(), QStringLiteral("500.500"));
    QCOMPARE(w.Text11->text(), QStringLiteral("1.000E+00"));
    QVERIFY(!w.workState().PointCount); // nothing stored
}

void TestWorkflow::cornerCapture()
{
    Session s;
    MainWindow &w = *s.window;

    // The end point first: its cross and read-outs, focus to "Auto Digitize".
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    pressInPicture(w, 300, 50);
    QCOMPARE(w.Text7->text(), QStringLiteral("300"));
    QCOMPARE(w.Text8->text(), QStringLiteral("50"));
    QCOMPARE(QApplication::focusWidget(), w.Command5);
    QVERIFY(!w.Picture1->isMarkerVisible(0));

    QTest::mouseClick(w.Command3, Qt::LeftButton);
    QCOMPARE(w.workState().ClickMode, ClickMode::StartPoint);
    pressInPicture(w, 120, 430);
    QCOMPARE(w.workState().StartPixelX, 120.f);
    QCOMPARE(w.workState().StartPixelY, 430.f);
    QCOMPARE(w.Text5->text(), QStringLiteral("120"));
    QCOMPARE(w.Text6->text(), QStringLiteral("430"));
    QCOMPARE(w.Picture1->marker(0), QLineF(112, 430, 128, 430));
    QCOMPARE(w.Picture1->marker(1), QLineF(120, 422, 120, 438));
    QVERIFY(w.Picture1->isMarkerVisible(0) && w.Picture1->isMarkerVisible(1));
    QCOMPARE(QApplication::focusWidget(), w.Command4);

    // The capture stays armed: a right press with Shift moves the same corner.
    pressInPicture(w, 3, 5, Qt::RightButton, Qt::ShiftModifier);
    QCOMPARE(w.Text5->text(), QStringLiteral("3"));
    QCOMPARE(w.Text6->text(), QStringLiteral("5"));
    QCOMPARE(w.Picture1->marker(0), QLineF(-5, 5, 11, 5));
    QCOMPARE(w.Text7->text(), QStringLiteral("300"));
    QCOMPARE(w.workState().EndPixelX, 300.f);
}

void TestWorkflow::markersDoNotAttractTheTrace()
{
    Session s;
    MainWindow &w = *s.window;
    QImage image(600, 500, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 0; x < 600; ++x)
        image.setPixel(x, 300, qRgb(0, 0, 0));
    QVERIFY(image.save(s.path(QStringLiteral("line.bmp"))));
    loadThroughBrowser(w, s.dir.path(), QStringLiteral("line.bmp"));
    calibrateStandardFrame(w);
    QTest::mouseClick(w.Command9, Qt::LeftButton);
    pressInPicture(w, 200, 150); // a red cross inside the frame, above the line
    QVERIFY(w.Picture1->isMarkerVisible(4));
    autoDigitize(w);
    for (int k = 1; k <= 197; ++k)
        QCOMPARE(w.workState().CurveY[size_t(k)], 300.f);
}

void TestWorkflow::saveBeforeAnyTrace()
{
    Session s;
    MainWindow &w = *s.window;
    typeInto(w.Text9, QStringLiteral("result.csv"));
    QTest::mouseClick(w.Command6, Qt::LeftButton);
    QCOMPARE(readBytes(s.path(QStringLiteral("result.csv.csv"))), QByteArray("\r\n"));

    // A frame too narrow for any column: the count 0 alone.
    calibrate(w, QPoint(100, 400), QPoint(103, 50), {QStringLiteral("0"), QStringLiteral("0"),
                                                      QStringLiteral("100"), QStringLiteral("10")});
    QCOMPARE(autoDigitize(w), QStringLiteral("DIGITIZE が終了しました。"));
    QTRY_COMPARE(QApplication::focusWidget(), w.Command8);
    typeInto(w.Text9, QStringLiteral("result.csv"));
    QTest::mouseClick(w.Command6, Qt::LeftButton);
    QCOMPARE(readBytes(s.path(QStringLiteral("result.csv.csv"))), QByteArray(" 0 \r\n"));
}

void TestWorkflow::emptyNameWarns()
{
    Session s;
    MainWindow &w = *s.window;
    MessageCatcher message;
    QTest::mouseClick(w.Command6, Qt::LeftButton);
    QVERIFY(message.seen);
    QCOMPARE(message.text, QStringLiteral("ファイル名を入力して下さい"));
    QCOMPARE(message.icon, QMessageBox::Warning);
    QCOMPARE(message.title, QStringLiteral("Curvix-Digitizer"));
    QCOMPARE(QDir(s.dir.path()).entryList(QDir::Files), QStringList());
}

void TestWorkflow::failedSaveKeepsTraceAndFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("vanishFolder");
    QTest::newRow("folder vanished after listing") << QStringLiteral("data") << true;
    QTest::newRow("name with a slash") << QStringLiteral("no/such") << false;
    QTest::newRow("temporary name too long") << QString(250, u'n') << false;
}

void TestWorkflow::failedSaveKeepsTraceAndFile()
{
    QFETCH(QString, name);
    QFETCH(bool, vanishFolder);

    Session s;
    MainWindow &w = *s.window;
    calibrateStandardFrame(w);
    autoDigitize(w);
    QVERIFY(QDir(s.dir.path()).mkdir(QStringLiteral("sub")));
    const QString folder = s.path(QStringLiteral("sub"));
    w.Dir2->setPath(folder);
    const QString target = folder + u'/' + name + QStringLiteral(".csv");
    if (!name.contains(u'/')) {
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("precious\r\n");
    }
    if (vanishFolder)
        QVERIFY(QDir(folder).removeRecursively());

    typeInto(w.Text9, name);
    MessageCatcher message;
    QTest::mouseClick(w.Command6, Qt::LeftButton);
    QVERIFY(message.seen);
    QVERIFY2(message.text.contains(target), qPrintable(message.text));
    QCOMPARE(message.icon, QMessageBox::Critical);
    QVERIFY(w.isVisible());
    QCOMPARE(w.workState().PointCount, std::optional<int>(197));
    if (!vanishFolder && !name.contains(u'/'))
        QCOMPARE(readBytes(target), QByteArray("precious\r\n"));
}

void TestWorkflow::graphWindowLifecycle()
{
    Session s;
    MainWindow &w = *s.window;
    calibrate(w, QPoint(100, 400), QPoint(400, 100), {QStringLiteral("0"), QStringLiteral("1"),
                                                      QStringLiteral("100"), QStringLiteral("1000")});
    QTest::mouseClick(w.Option2, Qt::LeftButton, {}, QPoint(5, 8));
    autoDigitize(w);
    QVERIFY(!w.graphWindow());

    QTest::mouseClick(w.Command8, Qt::LeftButton);
    GraphWindow *graph = w.graphWindow();
    QVERIFY(graph && graph->isVisible());
    QCOMPARE(graph->windowTitle(), QStringLiteral("Digitalized Graph"));
    QCOMPARE(graph->size(), QSize(1024, 829));
    QCOMPARE(graph->Picture1->geometry(), QRect(8, 8, 1009, 809));
    QCOMPARE(graph->Command1->geometry(), QRect(960, 792, 57, 25));
    const QImage &surface = graph->Picture1->surface();
    QCOMPARE(surface.pixel(250, 300), qRgb(0, 0, 0)); // decade line at one third
    QCOMPARE(surface.pixel(250, 200), qRgb(0, 0, 0)); // and at two thirds
    QCOMPARE(surface.pixel(250, 250), qRgb(255, 255, 255));
    // Grey background qualifies in every column: the curve runs along row Ey + 3.
    QCOMPARE(surface.pixel(250, 103), qRgb(255, 0, 0));

    // Drawing twice shows one drawing: move the frame and draw again.
    QVERIFY(QTest::qWaitForWindowExposed(graph));
    QTest::qWait(50); // the first drawing is on screen
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    pressInPicture(w, 350, 100);
    QTest::mouseClick(w.Command8, Qt::LeftButton);
    QCOMPARE(w.graphWindow(), graph);
    QCOMPARE(surface.pixel(400, 250), qRgb(255, 255, 255)); // the old right side is gone
    QCOMPARE(surface.pixel(350, 250), qRgb(0, 0, 0));
    // What the open window shows on screen is the new drawing, not the old one.
    const QPoint origin = graph->Picture1->geometry().topLeft() + QPoint(PictureBox::BorderWidth, PictureBox::BorderWidth);
    const QRect drawn(0, 0, 900, 700); // clear of the "Close" button over the corner
    auto onScreen = [&] {
        const QImage shot = graph->screen()->grabWindow(graph->winId()).toImage();
        return shot.convertToFormat(QImage::Format_RGB32).copy(drawn.translated(origin));
    };
    QTRY_COMPARE(onScreen(), surface.copy(drawn));

    // Enter on the focused "Close" hides it and gives the file name the focus.
    graph->Command1->setFocus();
    QTest::keyClick(graph->Command1, Qt::Key_Return);
    QVERIFY(!graph->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), w.Text9);
    QTest::mouseClick(w.Command8, Qt::LeftButton);
    QVERIFY(graph->isVisible());

    // Closing by the close box discards it; the next Graph Draw makes a new one.
    graph->close();
    QTRY_VERIFY(!w.graphWindow());
    QTest::mouseClick(w.Command8, Qt::LeftButton);
    QVERIFY(w.graphWindow() && w.graphWindow()->isVisible());
}

void TestWorkflow::undefinedLogarithmicAxis()
{
    Session s;
    MainWindow &w = *s.window;
    calibrateStandardFrame(w);
    autoDigitize(w);
    QTest::mouseClick(w.Command9, Qt::LeftButton);
    pressInPicture(w, 200, 225);
    const WorkState before = w.workState();

    QTest::mouseClick(w.Option2, Qt::LeftButton, {}, QPoint(5, 8)); // Ys = 0 admits no logarithm
    const QString traceMessage = autoDigitize(w);
    QVERIFY2(traceMessage.contains(QStringLiteral("Y軸")), qPrintable(traceMessage));
    QCOMPARE(w.workState().ClickMode, ClickMode::PointDigitize);
    QVERIFY(w.workState().Points == before.Points);

    {
        MessageCatcher message;
        pressInPicture(w, 250, 225);
        QVERIFY(message.seen);
        QVERIFY(message.text.contains(QStringLiteral("Y軸")));
    }
    QCOMPARE(w.Text10->text(), QStringLiteral("50.000"));
    QCOMPARE(w.Text11->text(), QStringLiteral("5.000"));

    MessageCatcher message;
    QTest::mouseClick(w.Command8, Qt::LeftButton);
    QVERIFY(message.seen);
    QVERIFY(!w.graphWindow() || !w.graphWindow()->isVisible());

    // A typed value beyond the double range on a linear axis is refused too.
    QTest::mouseClick(w.Option1, Qt::LeftButton, {}, QPoint(5, 8));
    typeInto(w.Text3, QStringLiteral("1E400"));
    QVERIFY(autoDigitize(w).contains(QStringLiteral("X")));
    QVERIFY(w.workState().Points == before.Points);
}

void TestWorkflow::wideFrameIsCut()
{
    Session s;
    MainWindow &w = *s.window;
    calibrate(w, QPoint(0, 700), QPoint(1004, 10), {QStringLiteral("0"), QStringLiteral("0"),
                                                     QStringLiteral("1004"), QStringLiteral("10")});
    const QString message = autoDigitize(w);
    QVERIFY(message.startsWith(QStringLiteral("DIGITIZE が終了しました。\n")));
    QVERIFY(message.contains(QStringLiteral("1000")));
    QCOMPARE(w.workState().PointCount, std::optional<int>(1000));
    QTest::mouseClick(w.Command8, Qt::LeftButton);
    QVERIFY(w.graphWindow()->isVisible());
}

void TestWorkflow::secondShorterTrace()
{
    Session s;
    MainWindow &w = *s.window;
    calibrateStandardFrame(w);
    autoDigitize(w);
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    pressInPicture(w, 110, 50);
    autoDigitize(w);
    typeInto(w.Text9, QStringLiteral("short"));
    QTest::mouseClick(w.Command6, Qt::LeftButton);
    // The grey background is picked at the top scanned row, 53.
    const QByteArray expected = " 7 \r\n"
                                " 20 ,  9.91428571428571 \r\n"
                                " 30 ,  9.91428571428571 \r\n"
                                " 40 ,  9.91428571428571 \r\n"
                                " 50 ,  9.91428571428571 \r\n"
                                " 60 ,  9.91428571428571 \r\n"
                                " 70 ,  9.91428571428571 \r\n"
                                " 80 ,  9.91428571428571 \r\n";
    QCOMPARE(readBytes(s.path(QStringLiteral("short.csv"))), expected);
    // The first trace's entries above the new count are still in the table.
    QCOMPARE(w.workState().Points[0][8], 4.5);
    QCOMPARE(w.workState().Points[0][197], 99.0);
}

// A key pressed in the window, once it has the keyboard again.
void pressKey(MainWindow &w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    if (!w.isActiveWindow())
        w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, key, modifiers);
}

// The chart with three crossing curves, loaded and calibrated.
ChartDesign crossingChart(Session &s, MainWindow &w)
{
    const ChartDesign design = realFigureCharts()[5];
    [&] {
        QVERIFY(design.name == QStringLiteral("crossing"));
        QVERIFY(drawChart(design).image.save(s.path("crossing.bmp")));
        loadThroughBrowser(w, s.dir.path(), QStringLiteral("crossing.bmp"));
        calibrate(w, design.start, design.end, {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("100")});
    }();
    return design;
}

void TestWorkflow::followTheClickedCurve()
{
    Session s;
    MainWindow &w = *s.window;
    const ChartDesign design = crossingChart(s, w);
    const int x = design.start.x() + 30;
    const int y = int(std::lround(chartRow(design, design.function(chartX(design, x + 0.5))) - 0.5));

    // Ctrl+F, then a click on the dark blue curve: it is followed across the others.
    pressKey(w, Qt::Key_F, Qt::ControlModifier);
    {
        MessageCatcher done;
        pressInPicture(w, x, y);
        QTRY_COMPARE(done.text, QStringLiteral("DIGITIZE が終了しました。")); // followed on a worker
    }
    QTRY_COMPARE(QApplication::focusWidget(), w.Command8);
    QCOMPARE(w.workState().ClickMode, ClickMode::ReadPoint);
    const WorkState &state = w.workState();
    QCOMPARE(*state.PointCount, design.end.x() - design.start.x() - 3);
    for (int k = 1; k <= *state.PointCount; ++k) {
        const double column = design.start.x() + 1 + k;
        const double trueRow = chartRow(design, design.function(chartX(design, column + 0.5))) - 0.5;
        QVERIFY2(std::fabs(state.CurveY[size_t(k)] - trueRow) <= 3, qPrintable(QStringLiteral("column %1").arg(column)));
    }

    // The same bytes as curvix-trace following the same pixel in the same colour.
    QTest::keyClicks(w.Text9, QStringLiteral("followed"));
    QTest::mouseClick(w.Command6, Qt::LeftButton);
    const QByteArray saved = readBytes(s.path("followed.csv"));
    const ParsedCommandLine command = parseCommandLine(
        {QStringLiteral("curvix-trace"), QStringLiteral("--start"), QStringLiteral("%1,%2").arg(design.start.x()).arg(design.start.y()),
         QStringLiteral("--end"), QStringLiteral("%1,%2").arg(design.end.x()).arg(design.end.y()), QStringLiteral("--values"),
         QStringLiteral("0,0,10,100"), QStringLiteral("--follow"), QStringLiteral("--seed"),
         QStringLiteral("%1.5,%2.5").arg(x).arg(y), QStringLiteral("--colour"), colourName(design.curveColour.rgb()),
         s.path("crossing.bmp")},
        1);
    QVERIFY2(command.options, qPrintable(command.error));
    QCOMPARE(traceImageFile(s.path("crossing.bmp"), *command.options).bytes, saved);

    // With an undefined mapping, and without corners, Ctrl+F answers as
    // "Auto Digitize" does.
    typeInto(w.Text2, QStringLiteral("0"));
    QTest::mouseClick(w.Option2, Qt::LeftButton, {}, QPoint(5, 8)); // logarithmic Y from 0
    const QString autoAnswer = autoDigitize(w);
    {
        MessageCatcher answer;
        pressKey(w, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(answer.text, autoAnswer);
    }
    Session fresh;
    MessageCatcher answer;
    pressKey(*fresh.window, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(answer.text, QStringLiteral("DIGITIZE が終了しました。"));
    QCOMPARE(fresh.window->workState().PointCount, std::optional<int>(0));
}

void TestWorkflow::exclusionRectangles()
{
    Session s;
    MainWindow &w = *s.window;
    const ChartDesign design = crossingChart(s, w);
    // Over the left part, where the red line lies above the traced curve.
    const QPoint from(design.start.x() + 5, design.end.y() + 5);
    const QPoint to(design.start.x() + 120, design.start.y() - 200);
    pressKey(w, Qt::Key_E, Qt::ControlModifier);
    const QPoint border(PictureBox::BorderWidth, PictureBox::BorderWidth);
    QTest::mousePress(w.Picture1, Qt::LeftButton, {}, from + border);
    QTest::mouseMove(w.Picture1, (from + to) / 2 + border);
    QTest::mouseMove(w.Picture1, to + border);
    QTest::mouseRelease(w.Picture1, Qt::LeftButton, {}, to + border);
    QCOMPARE(w.exclusions(), (std::vector<QRectF>{QRectF(QPointF(from), QPointF(to + QPoint(1, 1)))}));
    // The drag placed nothing: no corner moved.
    QCOMPARE(w.workState().StartPixelX, float(design.start.x()));

    // No trace reads inside: the window's rule now finds the curve, not the red line.
    QCOMPARE(autoDigitize(w), QStringLiteral("DIGITIZE が終了しました。"));
    const QRectF excluded = w.exclusions().front();
    for (int k = 1; k <= *w.workState().PointCount; ++k) {
        const QPointF picked(design.start.x() + 1 + k + 0.5, w.workState().CurveY[size_t(k)] + 0.5);
        QVERIFY2(!excluded.contains(picked), qPrintable(QStringLiteral("column %1").arg(picked.x())));
    }

    // Kept with the calibration file, gone with Ctrl+Shift+E, back with the file.
    {
        FileDialogAnswer answer(s.path("cal.json"));
        pressKey(w, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(answer.seen);
    }
    QVERIFY(!QJsonDocument::fromJson(readBytes(s.path("cal.json"))).object().value(QStringLiteral("exclude")).toArray().isEmpty());
    pressKey(w, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(w.exclusions().empty());
    {
        FileDialogAnswer answer(s.path("cal.json"));
        pressKey(w, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(answer.seen);
    }
    QCOMPARE(w.exclusions().size(), size_t(1));
    // Reset clears them.
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QVERIFY(w.exclusions().empty());
}

void TestWorkflow::largePictureZoomed()
{
    Session s;
    MainWindow &w = *s.window;
    ChartDesign design = sampleCharts().first();
    design.size = QSize(2000, 1500);
    design.start = QPoint(150, 1400);
    design.end = QPoint(1900, 80);
    QVERIFY(drawChart(design).image.save(s.path("large.png")));
    w.openFromCommandLine(s.path("large.png"));
    QCOMPARE(w.Picture1->surface().size(), QSize(2000, 1500));
    QVERIFY(w.Picture1->view().isSpecified()); // nothing zooms until asked

    // The whole picture in view, each corner clicked where it shows.
    pressKey(w, Qt::Key_0, Qt::ControlModifier);
    const PictureView whole = w.Picture1->view();
    QVERIFY(whole.zoom < 1);
    const QPoint border(PictureBox::BorderWidth, PictureBox::BorderWidth);
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    QTest::mouseClick(w.Picture1, Qt::LeftButton, {}, whole.toView(QPointF(design.start)).toPoint() + border);
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    // Zoomed in with Ctrl+wheel about the corner: a click lands on a fraction of a pixel.
    for (int i = 0; i < 12; ++i) {
        const QPointF at = w.Picture1->view().toView(QPointF(design.end)) + QPointF(border);
        QWheelEvent wheel(at, w.Picture1->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(w.Picture1, &wheel);
    }
    const PictureView near = w.Picture1->view();
    QVERIFY(near.zoom > 2);
    const QPoint endAt = near.toView(QPointF(design.end)).toPoint();
    QTest::mouseClick(w.Picture1, Qt::LeftButton, {}, endAt + border);
    const WorkState &state = w.workState();
    const QPointF endPoint = near.toSurface(QPointF(endAt));
    QCOMPARE(state.EndPixelX, float(endPoint.x()));
    QCOMPARE(state.EndPixelY, float(endPoint.y()));
    QVERIFY(state.EndPixelX != std::floor(state.EndPixelX) || state.EndPixelY != std::floor(state.EndPixelY));
    QVERIFY(std::abs(state.StartPixelX - design.start.x()) < 1 / whole.zoom);
    QCOMPARE(w.Text7->text(), formatPosition(state.EndPixelX));
    for (auto [field, text] : {std::pair{w.Text1, "0"}, std::pair{w.Text2, "0"}, std::pair{w.Text3, "10"}, std::pair{w.Text4, "100"}})
        typeInto(field, QString::fromLatin1(text));

    // Traced over the picture itself, beyond the area's 1005 x 805: the same
    // file as curvix-trace writes for the same corners.
    QVERIFY(autoDigitize(w).startsWith(QStringLiteral("DIGITIZE が終了しました。")));
    QTest::keyClicks(w.Text9, QStringLiteral("large"));
    QTest::mouseClick(w.Command6, Qt::LeftButton);
    const QByteArray saved = readBytes(s.path("large.csv"));
    QVERIFY(saved.startsWith(" 1000 \r\n"));
    const ParsedCommandLine command = parseCommandLine(
        {QStringLiteral("curvix-trace"), QStringLiteral("--start"),
         formatShortestNumber(state.StartPixelX) + u',' + formatShortestNumber(state.StartPixelY), QStringLiteral("--end"),
         formatShortestNumber(state.EndPixelX) + u',' + formatShortestNumber(state.EndPixelY), QStringLiteral("--values"),
         QStringLiteral("0,0,10,100"), s.path("large.png")},
        1);
    QVERIFY2(command.options, qPrintable(command.error));
    QCOMPARE(traceImageFile(s.path("large.png"), *command.options).bytes, saved);

    // Ctrl+1: the view at start again.
    pressKey(w, Qt::Key_1, Qt::ControlModifier);
    QVERIFY(w.Picture1->view().isSpecified());
}

// Answers the PDF page dialog with a page and a resolution, as typed into it.
class PdfPageAnswer : public QObject
{
public:
    PdfPageAnswer(int page, int dpi)
        : m_page(page)
        , m_dpi(dpi)
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || dialog->objectName() != QStringLiteral("pdfPage"))
                return;
            m_timer.stop();
            seen = true;
            dialog->findChild<QSpinBox *>(QStringLiteral("page"))->setValue(m_page);
            dialog->findChild<QSpinBox *>(QStringLiteral("dpi"))->setValue(m_dpi);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        m_timer.start();
    }
    bool seen = false;

private:
    int m_page, m_dpi;
    QTimer m_timer;
};

void TestWorkflow::pdfPageInWindowAndTracer()
{
    Session s;
    MainWindow &w = *s.window;
    QVERIFY(writePdf(s.path("paper.pdf"), drawChart(sampleCharts().first()).image));
    {
        PdfPageAnswer answer(2, 150);
        w.openFromCommandLine(s.path("paper.pdf"));
        QVERIFY(answer.seen);
    }
    QCOMPARE(w.Picture1->picture().size(), QSize(900, 675)); // 6 x 4.5 inches at 150 dpi
    // The chart's frame, at 9/8 of its drawn size.
    calibrate(w, QPoint(90, 607), QPoint(866, 34), {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("100")});
    QCOMPARE(autoDigitize(w), QStringLiteral("DIGITIZE が終了しました。"));
    QTest::keyClicks(w.Text9, QStringLiteral("paper"));
    QTest::mouseClick(w.Command6, Qt::LeftButton);
    const QByteArray saved = readBytes(s.path("paper.csv"));
    QVERIFY(saved.startsWith(" 773 \r\n"));
    const ParsedCommandLine command = parseCommandLine(
        {QStringLiteral("curvix-trace"), QStringLiteral("--start"), QStringLiteral("90,607"), QStringLiteral("--end"),
         QStringLiteral("866,34"), QStringLiteral("--values"), QStringLiteral("0,0,10,100"), QStringLiteral("--page"),
         QStringLiteral("2"), QStringLiteral("--dpi"), QStringLiteral("150"), s.path("paper.pdf")},
        1);
    QVERIFY2(command.options, qPrintable(command.error));
    QCOMPARE(traceImageFile(s.path("paper.pdf"), *command.options).bytes, saved);

    // The calibration file keeps the page and the resolution, and opens them again.
    {
        FileDialogAnswer answer(s.path("paper.json"));
        pressKey(w, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    }
    const QByteArray calibration = readBytes(s.path("paper.json"));
    const QJsonObject kept = QJsonDocument::fromJson(calibration).object();
    QVERIFY2(kept.value(QStringLiteral("image")) == QStringLiteral("paper.pdf") && kept.value(QStringLiteral("page")) == 2
                 && kept.value(QStringLiteral("dpi")) == 150,
             calibration.constData());
    QTest::mouseClick(w.Command2, Qt::LeftButton); // Reset: no picture
    {
        FileDialogAnswer answer(s.path("paper.json"));
        pressKey(w, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    }
    QCOMPARE(w.Picture1->picture().size(), QSize(900, 675));

    // A damaged PDF: its name and why; the picture stays.
    QVERIFY(writeBytes(s.path("broken.pdf"), "%PDF-1.4 nothing more"));
    MessageCatcher refusal;
    w.openFromCommandLine(s.path("broken.pdf"));
    QVERIFY(refusal.text.contains(QStringLiteral("broken.pdf")));
    QVERIFY(refusal.text.contains(QStringLiteral("This is not a PDF that can be read")));
    QCOMPARE(w.Picture1->picture().size(), QSize(900, 675));
}

QTEST_MAIN(TestWorkflow)
#include "tst_workflow.moc"
