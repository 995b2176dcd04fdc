#include "chart_maker.h"
#include "gui_helpers.h"
#include "axes/axis_finder.h"
#include "axes/axis_lines.h"
#include "axes/digit_shapes.h"
#include "axes/label_reader.h"
#include "axes/label_text.h"
#include "axes/plot_panel.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QRadioButton>
#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(ChartDesign)

// The text drawn twice at 16 pixels, at columns 10 and 100 of a 200 × 40 picture.
static QImage digitsPicture(const QString &text)
{
    QImage picture(200, 40, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter p(&picture);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(16);
        p.setFont(font);
        p.drawText(QPoint(10, 30), text);
        p.drawText(QPoint(100, 30), text);
    }
    return picture;
}

// The ink in a cell of the picture, as the finder cuts a character out.
static QRect inkBox(const GrayPicture &gray, const QRect &cell)
{
    QRect box;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (gray.at(x, y) < GrayPicture::Ink)
                box |= QRect(x, y, 1, 1);
    return box;
}

class TestFindAxes : public QObject
{
    Q_OBJECT

private slots:
    void charts_data();
    void charts();
    void plotPanel_data();
    void plotPanel();
    void nothingFound_data();
    void nothingFound();
    void digitShapes_data();
    void digitShapes();
    void readByShape();
    void otherAxisCheck();
    void lookAlikeDigitsKept();
    void wideLabelsOffTheirTicks();
    void inTheWindow();
    void commandLine();
};

void TestFindAxes::charts_data()
{
    QTest::addColumn<ChartDesign>("design");
    for (const ChartDesign &d : sampleCharts() + realFigureCharts())
        QTest::newRow(qPrintable(d.name)) << d;
    // Axes as plotting programs draw them: superscript and typeset powers of
    // ten, multipliers at both axis ends (×10³ under X, ×10⁻³ over Y),
    // thousands separators with slashed zeros, JPEG; at 8 points, exponents
    // of 3 × 5 pixels (read by their shape) and a multiplier a line below the labels.
    const QStringList some{QStringLiteral("axes 2 IPAGothic 16px"), QStringLiteral("axes 3 DejaVu Sans 13px"),
                           QStringLiteral("axes 4 DejaVu Sans 16px"), QStringLiteral("axes 5 Liberation Sans 16px"),
                           QStringLiteral("axes 3 Liberation Sans 11px"), QStringLiteral("axes 4 Liberation Serif 11px"),
                           // offsets; at 8 points in IPA Gothic "0. 15" with a wide space after its point (read as 15 once);
                           // in Liberation Serif a "2" in two pieces and "1e−3+20" read without its "1"
                           QStringLiteral("axes 6 Liberation Sans 13px"), QStringLiteral("axes 6 IPAGothic 11px"),
                           QStringLiteral("axes 6 Liberation Serif 16px"),
                           // multipliers written "1e3" and "1e−3", as by default
                           QStringLiteral("axes 7 DejaVu Sans 13px")};
    for (const ChartDesign &d : axisCharts() + offsetCharts()) {
        if (some.contains(d.name))
            QTest::newRow(qPrintable(d.name)) << d;
        // Two axes moved out from the data, not meeting at the corner.
        if (d.name == QStringLiteral("axes 1 Liberation Sans 13px")) {
            ChartDesign apart = d;
            apart.axisOffset = 12;
            QTest::newRow("axes apart") << apart;
        }
        // Labels of 20 points: the multiplier a line under them was taken
        // into their row and lost, and the labels read a thousand times too small.
        if (d.name == QStringLiteral("axes 4 DejaVu Sans 19px")) {
            ChartDesign large = d;
            large.labelPixelSize = 28;
            QTest::newRow("multiplier under large labels") << large;
        }
    }
}

void TestFindAxes::charts()
{
    QFETCH(ChartDesign, design);
    const Chart chart = drawChart(design);
    const FoundAxes found = findAxes(chart.image, readTickLabel);
    QVERIFY2(found.found(), qPrintable(found.failure));
    QCOMPARE(found.scale, design.axisScale);
    // Each corner lies within half a pixel of where the chart's own calibration puts its value.
    const double error = cornerError(design, found.start, found.end, found.xs, found.ys, found.xe, found.ye);
    QVERIFY2(error < 0.5, qPrintable(QString::number(error)));
}

void TestFindAxes::nothingFound_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<QString>("reason");

    QImage blank(400, 300, QImage::Format_RGB32);
    blank.fill(Qt::white);
    QTest::newRow("blank page") << blank << QStringLiteral("no X axis line found");
    QImage noise(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb((x * 37 + y * 91) % 256, (x * y) % 256, (x + y * 7) % 256));
    QTest::newRow("a photograph") << noise << QStringLiteral("no tick labels read left of the Y axis");
    QImage frame = blank;
    QPainter(&frame).drawRect(40, 20, 320, 240);
    QTest::newRow("a frame without labels") << frame << QStringLiteral("no tick labels read under the X axis");
    QImage letters = frame;
    {
        QPainter p(&letters);
        for (int i = 0; i < 5; ++i) {
            p.drawText(QRect(20 + 80 * i, 266, 40, 16), Qt::AlignCenter, QStringLiteral("abc"));
            p.drawText(QRect(2, 20 + 60 * i - 8, 34, 16), Qt::AlignRight, QStringLiteral("xyz"));
        }
    }
    QTest::newRow("labels in letters") << letters << QStringLiteral("no X tick labels read");
    QImage empty;
    QTest::newRow("no picture") << empty << QStringLiteral("no picture");
    QImage oneTick = frame;
    {
        QPainter p(&oneTick);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(14);
        p.setFont(font);
        p.drawLine(200, 260, 200, 254);
        p.drawText(QRect(180, 266, 40, 18), Qt::AlignCenter, QStringLiteral("5"));
        p.drawLine(40, 140, 46, 140);
        p.drawText(QRect(2, 132, 34, 18), Qt::AlignRight, QStringLiteral("5"));
    }
    QTest::newRow("a single tick") << oneTick << QStringLiteral("fewer than three X tick labels read: 5");
    QImage huge(9000, 7000, QImage::Format_RGB32);
    huge.fill(Qt::white);
    QTest::newRow("a huge blank page") << huge << QStringLiteral("no X axis line found");
    // A scan turned by a third of a degree: its lines run from row to row.
    const QImage chart = drawChart(sampleCharts().at(0)).image;
    QImage turned(chart.size(), QImage::Format_RGB32);
    turned.fill(Qt::white);
    {
        QPainter p(&turned);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.translate(chart.width() / 2.0, chart.height() / 2.0);
        p.rotate(-0.3);
        p.drawImage(QPointF(-chart.width() / 2.0, -chart.height() / 2.0), chart);
    }
    QTest::newRow("a turned scan") << turned << QStringLiteral("the picture is turned by 0.30°; straighten it to find the axes");
}

void TestFindAxes::nothingFound()
{
    QFETCH(QImage, picture);
    QFETCH(QString, reason);
    const FoundAxes found = findAxes(picture, readTickLabel);
    QCOMPARE(found.failure, reason);
    QCOMPARE(found.scale, AxisScale::Unset);
}

// Wide labels set a few pixels beside their ticks, as some programs set
// them: each still belongs to the tick it stands over.
void TestFindAxes::wideLabelsOffTheirTicks()
{
    QImage picture(480, 320, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter p(&picture);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(14);
        p.setFont(font);
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(60, 20, 360, 240); // the frame: X axis on row 260, Y axis on column 60
        for (int i = 0; i < 4; ++i) {
            const int x = 100 + 100 * i, y = 240 - 70 * i;
            p.drawLine(x, 260, x, 266);
            p.drawText(QRect(x - 40 + 9, 268, 80, 18), Qt::AlignCenter, QString::number(10000 * (i + 1)));
            p.drawLine(54, y, 60, y);
            p.drawText(QRect(2, y - 9, 48, 18), Qt::AlignRight | Qt::AlignVCenter, QString::number(i));
        }
    }
    const FoundAxes found = findAxes(picture, readTickLabel);
    QVERIFY2(found.found(), qPrintable(found.failure));
    QCOMPARE(found.scale, AxisScale::LinearLinear);
    QCOMPARE(found.texts()[0], QStringLiteral("10000"));
    QCOMPARE(found.start.x(), 100.0);
    QCOMPARE(found.end.x(), 400.0);
}

void TestFindAxes::digitShapes_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("small");
    for (const QString &family : {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Serif"), QStringLiteral("IPAGothic")}) {
        // The exponents of 14-point and of 8-point labels.
        QTest::newRow(qPrintable(family + QStringLiteral(" 13px"))) << family << 13;
        QTest::newRow(qPrintable(family + QStringLiteral(" 8px"))) << family << 8;
    }
}

// Digits learnt from labels at 16 pixels, drawn again small as an exponent:
// nearly all are most like themselves, none is clearly another, and a digit
// never learnt (a decade axis's labels have only 1 and 0) is never clearly one that was.
void TestFindAxes::digitShapes()
{
    QFETCH(QString, family);
    QFETCH(int, small);
    QImage picture(400, 60, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter p(&picture);
        QFont font(family);
        for (int d = 0; d < 10; ++d) {
            font.setPixelSize(16);
            p.setFont(font);
            p.drawText(QPoint(10 + 30 * d, 25), QString::number(d));
            font.setPixelSize(small);
            p.setFont(font);
            p.drawText(QPoint(10 + 30 * d, 50), QString::number(d));
        }
    }
    const GrayPicture gray(picture);
    std::vector<QRect> learnt, drawnSmall;
    for (int d = 0; d < 10; ++d) {
        learnt.push_back(inkBox(gray, QRect(5 + 30 * d, 2, 30, 28)));
        drawnSmall.push_back(inkBox(gray, QRect(5 + 30 * d, 32, 30, 26)));
    }
    DigitShapes decades, all;
    QVERIFY(!all.closest(gray, drawnSmall[3]));
    for (int d = 0; d < 10; ++d) {
        all.learn(gray, learnt[size_t(d)], QChar(u'0' + d));
        if (d < 2)
            decades.learn(gray, learnt[size_t(d)], QChar(u'0' + d));
    }
    int recognised = 0;
    for (int d = 0; d < 10; ++d) {
        const QChar digit(u'0' + d);
        const QRect &box = drawnSmall[size_t(d)];
        recognised += all.closest(gray, box) == digit;
        const QChar clearly = all.clearly(gray, box).value_or(digit);
        QVERIFY2(clearly == digit, qPrintable(QStringLiteral("%1 is clearly %2").arg(digit).arg(clearly)));
        if (d >= 2)
            QVERIFY2(!decades.clearly(gray, box), qPrintable(QStringLiteral("%1 is clearly %2").arg(digit).arg(*decades.clearly(gray, box))));
    }
    QVERIFY2(recognised >= 9, qPrintable(QString::number(recognised)));
}

// Labels the reader left unread are read by shape only as a line of digits
// of one height: "10" with an exponent too close to cut off is not 101.
void TestFindAxes::readByShape()
{
    QImage picture = digitsPicture(QStringLiteral("10"));
    {
        QPainter p(&picture);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(8);
        p.setFont(font);
        p.drawText(QPoint(120, 22), QStringLiteral("1"));
    }
    const GrayPicture gray(picture);
    const QRect one = inkBox(gray, QRect(8, 0, 10, 40)), zero = inkBox(gray, QRect(18, 0, 12, 40));
    DigitShapes shapes;
    shapes.learn(gray, one, u'1');
    shapes.learn(gray, zero, u'0');
    const QRect one2 = inkBox(gray, QRect(98, 0, 10, 40)), zero2 = inkBox(gray, QRect(108, 0, 11, 40)), raised = inkBox(gray, QRect(120, 0, 10, 40));
    std::vector<ReadLabel> labels{{{}, {}, {one2, zero2}, {}, false}, {{}, {}, {one2, zero2, raised}, {}, false}};
    ::readByShape(gray, labels, shapes);
    QCOMPARE(labels[0].text, QStringLiteral("10"));
    QCOMPARE(labels[1].text, QString());
}

// A label whose digit is clearly another digit of the other axis, or a digit
// the other axis lacks on ink nearly the same as one it has, is dropped: a
// reader misreading every 0 of one axis as 9 gives values that still fit.
void TestFindAxes::otherAxisCheck()
{
    const GrayPicture gray(digitsPicture(QStringLiteral("0 9")));
    const QRect zero = inkBox(gray, QRect(8, 0, 12, 40)), nine = inkBox(gray, QRect(20, 0, 20, 40));
    const QRect zero2 = inkBox(gray, QRect(98, 0, 12, 40)), nine2 = inkBox(gray, QRect(110, 0, 20, 40));
    std::vector<ReadLabel> xLabels{{{}, QStringLiteral("0"), {zero}, {}, false}, {{}, QStringLiteral("9"), {nine}, {}, false}};
    // A 0 read as 9, a 9 read right, a 0 read as 8 (a digit the other axis lacks).
    std::vector<ReadLabel> yLabels{{{}, QStringLiteral("9"), {zero2}, {}, false},
                                   {{}, QStringLiteral("9"), {nine2}, {}, false},
                                   {{}, QStringLiteral("8"), {zero2}, {}, false}};
    DigitShapes xShapes;
    learnDigits(gray, xLabels, xShapes);
    dropContradicted(gray, yLabels, xShapes);
    QCOMPARE(yLabels[0].text, QString());
    QCOMPARE(yLabels[1].text, QStringLiteral("9"));
    QCOMPARE(yLabels[2].text, QString());
}

void TestFindAxes::lookAlikeDigitsKept()
{
    // One axis's digits in Liberation Sans, the other's in IPA Gothic, whose
    // 9 is a little more like the learnt 8 (0.77) than the learnt 9 (0.74)
    // and whose 1 a little more like the learnt 4: too little to call either misread.
    QImage picture(400, 80, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter p(&picture);
        QFont learnt(QStringLiteral("Liberation Sans"));
        learnt.setPixelSize(16);
        p.setFont(learnt);
        for (int d = 0; d < 10; ++d)
            p.drawText(QPoint(10 + 30 * d, 30), QString::number(d));
        QFont other(QStringLiteral("IPAGothic"));
        other.setPixelSize(16);
        p.setFont(other);
        for (int d = 0; d < 10; ++d)
            p.drawText(QPoint(10 + 30 * d, 70), QString::number(d));
    }
    const GrayPicture gray(picture);
    std::vector<ReadLabel> xLabels, yLabels;
    for (int d = 0; d < 10; ++d) {
        xLabels.push_back({{}, QString::number(d), {inkBox(gray, QRect(5 + 30 * d, 5, 28, 32))}, {}, false});
        yLabels.push_back({{}, QString::number(d), {inkBox(gray, QRect(5 + 30 * d, 45, 28, 32))}, {}, false});
    }
    DigitShapes xShapes;
    learnDigits(gray, xLabels, xShapes);
    dropContradicted(gray, yLabels, xShapes);
    for (int d = 0; d < 10; ++d)
        QCOMPARE(yLabels[size_t(d)].text, QString::number(d));
}

void TestFindAxes::inTheWindow()
{
    const ChartDesign design = sampleCharts().at(2); // logarithmic on both axes
    QTemporaryDir dir;
    QVERIFY(drawChart(design).image.save(dir.filePath(QStringLiteral("figure.bmp"))));
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto press = [&w](Qt::Key key) {
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, key, Qt::ControlModifier);
    };

    // Nothing to find on the empty picture area: the reason, and nothing set.
    MessageCatcher nothing;
    press(Qt::Key_K);
    QTRY_VERIFY(nothing.seen); // found on a worker
    QCOMPARE(nothing.text, QStringLiteral("軸を見つけられませんでした。何も変えていません。\nno X axis line found\n"
                                          "(The axes were not found; nothing was changed.)"));
    QCOMPARE(w.Text5->text(), QString());

    QVERIFY(QTest::qWaitForWindowActive(&w));
    loadThroughBrowser(w, dir.path(), QStringLiteral("figure.bmp"));
    const QString typedBefore = w.Text1->text();
    press(Qt::Key_K);
    QTRY_VERIFY(w.Option3->isChecked());
    QVERIFY(w.isGridOn());
    // Every corner as typed and placed lies within half a pixel of the chart's own calibration.
    const double xs = w.Text1->text().toDouble(), ys = w.Text2->text().toDouble();
    const double xe = w.Text3->text().toDouble(), ye = w.Text4->text().toDouble();
    QVERIFY(xs > 0 && ys > 0 && xe > xs && ye > ys);
    const QPointF start(w.Text5->text().toDouble(), w.Text6->text().toDouble());
    const QPointF end(w.Text7->text().toDouble(), w.Text8->text().toDouble());
    QVERIFY(cornerError(design, start, end, xs, ys, xe, ye) < 0.5);
    // A straight picture has no note about its tilt.
    QCOMPARE(w.Picture1->accessibleDescription(), QString());

    // One undo takes it all back.
    press(Qt::Key_Z);
    QCOMPARE(w.Text1->text(), typedBefore);
    QCOMPARE(w.Text5->text(), QString());

    // Axes found for a picture that another replaced meanwhile are dropped.
    press(Qt::Key_K);
    QVERIFY(w.isWorking());
    loadThroughBrowser(w, dir.path(), QStringLiteral("figure.bmp"));
    QTRY_VERIFY(!w.isWorking());
    QCoreApplication::processEvents();
    QCOMPARE(w.Text5->text(), QString());
    QCOMPARE(w.Text1->text(), typedBefore);
}

struct TraceRun
{
    int status = -1;
    QByteArray out, err;
};

static TraceRun curvixTrace(const QTemporaryDir &dir, const QStringList &arguments)
{
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(QStringLiteral(CURVIX_TRACE), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

static QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestFindAxes::commandLine()
{
    // A series whose axes differ, and a blank page among them.
    QTemporaryDir dir;
    QVERIFY(drawChart(sampleCharts().at(0)).image.save(dir.filePath(QStringLiteral("linear.png"))));
    QVERIFY(drawChart(sampleCharts().at(2)).image.save(dir.filePath(QStringLiteral("loglog.bmp"))));
    QImage blank(300, 200, QImage::Format_RGB32);
    blank.fill(Qt::white);
    QVERIFY(blank.save(dir.filePath(QStringLiteral("blank.png"))));
    const QStringList series{QStringLiteral("linear.png"), QStringLiteral("loglog.bmp"), QStringLiteral("blank.png")};

    const TraceRun found = curvixTrace(dir, QStringList{QStringLiteral("--find-axes"), QStringLiteral("--out"), dir.path()} + series);
    QCOMPARE(found.status, 1);
    QCOMPARE(found.err, QByteArray("curvix-trace: blank.png: no calibration found: no X axis line found\n"));
    const QJsonObject loglog = QJsonDocument::fromJson(fileBytes(dir.filePath(QStringLiteral("loglog.calibration.json")))).object();
    QCOMPARE(loglog.value(QStringLiteral("scale")).toString(), QStringLiteral("log-log"));
    QCOMPARE(loglog.value(QStringLiteral("image")).toString(), QStringLiteral("loglog.bmp"));
    QVERIFY(loglog.value(QStringLiteral("found")).toObject().value(QStringLiteral("residual")).toDouble() < 0.5);
    QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("linear.calibration.json"))));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("blank.calibration.json"))));

    // --auto traces each picture as its found calibration file does, and skips the blank one.
    const TraceRun traced = curvixTrace(dir, QStringList{QStringLiteral("--auto"), QStringLiteral("--quiet")} + series);
    QCOMPARE(traced.status, 1);
    QCOMPARE(traced.err, QByteArray("curvix-trace: blank.png: no calibration found: no X axis line found\n"));
    const QByteArray autoBytes = fileBytes(dir.filePath(QStringLiteral("loglog.csv")));
    QVERIFY(autoBytes.size() > 100);
    QTemporaryDir other;
    const TraceRun project = curvixTrace(dir, {QStringLiteral("--project"), dir.filePath(QStringLiteral("loglog.calibration.json")),
                                               QStringLiteral("--out"), other.path(), QStringLiteral("--quiet")});
    QCOMPARE(project.status, 0);
    QCOMPARE(fileBytes(other.filePath(QStringLiteral("loglog.csv"))), autoBytes);
}

QTEST_MAIN(TestFindAxes)
void TestFindAxes::plotPanel_data()
{
    QTest::addColumn<int>("grey");
    QTest::addColumn<QRect>("panel");
    QTest::addColumn<bool>("found");
    const QRect large(60, 20, 300, 200);
    // Fills between ink and paper, on both sides of each limit.
    QTest::newRow("ggplot's grey") << 235 << large << true;
    QTest::newRow("lightest panel") << 250 << large << true;
    QTest::newRow("paper") << 251 << large << false;
    QTest::newRow("darkest panel") << 190 << large << true;
    QTest::newRow("ink") << 186 << large << false;
    // Its rows, less the grid line, fill three tenths of the picture's width at least.
    QTest::newRow("wide enough") << 235 << QRect(60, 20, 121, 200) << true;
    QTest::newRow("too narrow") << 235 << QRect(60, 20, 120, 200) << false;
}

void TestFindAxes::plotPanel()
{
    QFETCH(int, grey);
    QFETCH(QRect, panel);
    QFETCH(bool, found);
    QImage picture(400, 300, QImage::Format_Grayscale8);
    picture.fill(255);
    {
        QPainter p(&picture);
        p.fillRect(panel, QColor(grey, grey, grey));
        // White grid lines across the panel are part of it.
        p.setPen(Qt::white);
        p.drawLine(panel.left(), panel.center().y(), panel.right(), panel.center().y());
        p.drawLine(panel.center().x(), panel.top(), panel.center().x(), panel.bottom());
    }
    const auto result = findPlotPanel(picture);
    QCOMPARE(result.has_value(), found);
    if (!found)
        return;
    QCOMPARE(result->rect, panel);
    QCOMPARE(result->grey, grey);
    // As a frame: the fill made paper, the edges drawn in black.
    const QImage frame = panelAsFrame(picture, *result);
    QCOMPARE(qGray(frame.pixel(panel.center() + QPoint(5, 5))), 255);
    QCOMPARE(qGray(frame.pixel(panel.left(), panel.center().y() + 5)), 0);
    QCOMPARE(qGray(frame.pixel(panel.center().x() + 5, panel.bottom())), 0);
    QCOMPARE(qGray(frame.pixel(panel.center().x() + 5, panel.bottom() + 1)), 255);
}

#include "tst_find_axes.moc"
