// curvix-trace as a user runs it: the built program, its exit status, what
// it prints and the files it leaves.
#include "files/calibration_file.h"
#include "pdf_fixture.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs curvix-trace in `dir` with "{dir}" in the arguments replaced by its path.
Run trace(const QTemporaryDir &dir, QStringList arguments)
{
    for (QString &argument : arguments)
        argument.replace(QStringLiteral("{dir}"), dir.path());
    QProcess process;
    process.setWorkingDirectory(dir.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    // Numbers as a German user's locale writes them ("1,5"); messages in English.
    environment.remove(QStringLiteral("LC_ALL"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("LC_NUMERIC"), QStringLiteral("de_DE.UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(CURVIX_TRACE), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

// A white picture with a black curve along row 200 from column 100 on.
void writeChart(const QString &path)
{
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 100; x < 400; ++x)
        image.setPixel(x, 200, qRgb(0, 0, 0));
    QVERIFY(image.save(path));
}

const QStringList Calibrated{QStringLiteral("--start"), QStringLiteral("50,250"), QStringLiteral("--end"),
                             QStringLiteral("350,50"), QStringLiteral("--values"), QStringLiteral("0,0,300,200")};

} // namespace

class TestTraceCli : public QObject
{
    Q_OBJECT

private slots:
    void failures_data();
    void failures();
    void formats();
    void manyImagesAtOnce();
    void projectFile();
    void followAndItsReport();
    void eachCurveDatasetOfASeries();
    void logarithmicXLinearY();
    void cleanSamplesRaiseNoDoubt_data();
    void cleanSamplesRaiseNoDoubt();
};

void TestTraceCli::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("written"); // outputs that exist afterwards

    const QString good = QStringLiteral("{dir}/good.png");
    QTest::newRow("an unreadable image; the others go on")
        << Calibrated + QStringList{good, QStringLiteral("{dir}/broken.png")} << 1
        << QStringLiteral("curvix-trace: %1/broken.png: ") << QStringList{QStringLiteral("good.csv")};
    QTest::newRow("an image that does not exist")
        << Calibrated + QStringList{QStringLiteral("{dir}/gone.png")} << 1
        << QStringLiteral("curvix-trace: %1/gone.png: No such file or directory") << QStringList{};
    QTest::newRow("log start value 0")
        << Calibrated + QStringList{QStringLiteral("--scale"), QStringLiteral("linear-log"), good} << 2
        << QStringLiteral("curvix-trace: The Y axis is logarithmic: its start value must not be 0.\n") << QStringList{};
    QTest::newRow("corners on one row")
        << QStringList{QStringLiteral("--start"), QStringLiteral("50,50"), QStringLiteral("--end"), QStringLiteral("350,50"),
                       QStringLiteral("--values"), QStringLiteral("0,0,1,1"), good}
        << 2 << QStringLiteral("The start and end points lie on the same row") << QStringList{};
    QTest::newRow("an unknown scale") << Calibrated + QStringList{QStringLiteral("--scale"), QStringLiteral("log"), good}
                                      << 2 << QStringLiteral("--scale must be") << QStringList{};
    QTest::newRow("three values") << QStringList{QStringLiteral("--start"), QStringLiteral("50,250"), QStringLiteral("--end"),
                                                 QStringLiteral("350,50"), QStringLiteral("--values"), QStringLiteral("0,0,3"), good}
                                  << 2 << QStringLiteral("--values must be four values") << QStringList{};
    QTest::newRow("no calibration") << QStringList{good} << 2 << QStringLiteral("give the calibration") << QStringList{};
    QTest::newRow("an unknown option") << Calibrated + QStringList{QStringLiteral("--fast"), good} << 2
                                       << QStringLiteral("Unknown option 'fast'") << QStringList{};
    QTest::newRow("a bad calibration file")
        << QStringList{QStringLiteral("--project"), QStringLiteral("{dir}/bad.json"), good} << 2
        << QStringLiteral("curvix-trace: {dir}/bad.json: \"scale\" is missing") << QStringList{};
    QTest::newRow("no output folder") << Calibrated + QStringList{QStringLiteral("--out"), QStringLiteral("{dir}/none"), good}
                                      << 1 << QStringLiteral("the output folder does not exist") << QStringList{};
    QTest::newRow("two images, one output name")
        << Calibrated + QStringList{good, QStringLiteral("{dir}/good.jpg")} << 2
        << QStringLiteral("curvix-trace: {dir}/good.jpg: another image would write the same output {dir}/good.csv")
        << QStringList{};
    QTest::newRow("a seed of one number") << Calibrated + QStringList{QStringLiteral("--follow"), QStringLiteral("--seed"), QStringLiteral("5"), good}
                                          << 2 << QStringLiteral("--seed must be two pixel positions") << QStringList{};
    QTest::newRow("an exclusion of no height") << Calibrated + QStringList{QStringLiteral("--exclude"), QStringLiteral("1,2,3,0"), good}
                                               << 2 << QStringLiteral("--exclude must be X,Y,W,H") << QStringList{};
    QTest::newRow("no overlay folder") << Calibrated + QStringList{QStringLiteral("--overlay"), QStringLiteral("{dir}/none"), good}
                                       << 1 << QStringLiteral("the overlay folder does not exist") << QStringList{};
    QTest::newRow("a PDF page beyond the last") << Calibrated + QStringList{QStringLiteral("--page"), QStringLiteral("3"), QStringLiteral("{dir}/paper.pdf")}
                                                << 1 << QStringLiteral("curvix-trace: {dir}/paper.pdf: The PDF has 1 page(s); there is no page 3.")
                                                << QStringList{};
    QTest::newRow("a damaged PDF") << Calibrated + QStringList{QStringLiteral("{dir}/damaged.pdf")} << 1
                                   << QStringLiteral("curvix-trace: {dir}/damaged.pdf: This is not a PDF that can be read") << QStringList{};
    QTest::newRow("a resolution out of range") << Calibrated + QStringList{QStringLiteral("--dpi"), QStringLiteral("5000"), good}
                                               << 2 << QStringLiteral("--dpi must be a whole number from 36 to 1200") << QStringList{};
    QTest::newRow("a PDF page traced") << Calibrated + QStringList{QStringLiteral("--dpi"), QStringLiteral("72"), QStringLiteral("{dir}/paper.pdf")}
                                       << 0 << QString() << QStringList{QStringLiteral("paper.csv")};
    QTest::newRow("stdout takes one image") << Calibrated + QStringList{QStringLiteral("--out"), QStringLiteral("-"), good, good}
                                            << 2 << QStringLiteral("--out - takes exactly one image") << QStringList{};
}

void TestTraceCli::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);
    QFETCH(QStringList, written);

    QTemporaryDir dir;
    writeChart(dir.filePath(QStringLiteral("good.png")));
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("broken.png")), "not a picture"));
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("damaged.pdf")), "%PDF-1.7 and then nothing"));
    QVERIFY(writePdf(dir.filePath(QStringLiteral("paper.pdf")), QImage(dir.filePath(QStringLiteral("good.png"))), 1));
    // An output left from before must survive a failed run untouched.
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("broken.csv")), "old\r\n"));
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("bad.json")),
                       R"({"curvix": 1, "start": {"pixel": [1, 2], "value": ["0", "0"]},
                           "end": {"pixel": [3, 1], "value": ["1", "1"]}})"));

    const Run run = trace(dir, arguments);
    QCOMPARE(run.status, status);
    const QString err = QString::fromUtf8(run.err);
    QString expected = QString(message).replace(QStringLiteral("{dir}"), dir.path());
    if (expected.contains(QStringLiteral("%1")))
        expected = expected.arg(dir.path());
    QVERIFY2(err.contains(expected), qPrintable(err));
    QCOMPARE(readBytes(dir.filePath(QStringLiteral("broken.csv"))), QByteArray("old\r\n"));
    const QStringList outputs = QDir(dir.path()).entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
    QCOMPARE(outputs, QStringList{QStringLiteral("broken.csv")} + written);
}

void TestTraceCli::formats()
{
    QTemporaryDir dir;
    writeChart(dir.filePath(QStringLiteral("chart.png")));
    // Columns 52 ... 348 (297 points); row 200 picked from column 100 on, and
    // row 0 carried before it, where the white picture has no dark pixel.
    const Run csv = trace(dir, Calibrated + QStringList{QStringLiteral("--out"), QStringLiteral("-"), QStringLiteral("chart.png")});
    QCOMPARE(csv.status, 0);
    QCOMPARE(csv.err, QByteArray());
    QVERIFY2(csv.out.startsWith(" 297 \r\n 2 ,  250 \r\n 3 ,  250 \r\n"), csv.out.left(60).constData());
    QVERIFY(csv.out.endsWith(" 298 ,  50 \r\n"));

    const Run tsv = trace(dir, Calibrated + QStringList{QStringLiteral("--format"), QStringLiteral("tsv"),
                                                        QStringLiteral("--out"), QStringLiteral("-"), QStringLiteral("chart.png")});
    QCOMPARE(tsv.status, 0);
    QVERIFY(tsv.out.startsWith("x\ty\n2\t250\n3\t250\n"));
    QCOMPARE(tsv.out.count('\n'), 298);

    // Without --out the file goes beside the picture, not into the working folder.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    writeChart(dir.filePath(QStringLiteral("sub/chart.png")));
    const Run json = trace(dir, Calibrated + QStringList{QStringLiteral("--format"), QStringLiteral("json"),
                                                         QStringLiteral("{dir}/sub/chart.png")});
    QCOMPARE(json.status, 0);
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("chart.json"))));
    const QJsonObject object = QJsonDocument::fromJson(readBytes(dir.filePath(QStringLiteral("sub/chart.json")))).object();
    QCOMPARE(object.value(QStringLiteral("image")).toString(), QStringLiteral("chart.png"));
    QCOMPARE(object.value(QStringLiteral("points")).toArray().size(), 297);
    QCOMPARE(object.value(QStringLiteral("points")).toArray().at(60).toArray(), (QJsonArray{62, 50}));
    QCOMPARE(object.value(QStringLiteral("rows")).toArray().at(0).toDouble(-1), 0.0);
    QCOMPARE(object.value(QStringLiteral("truncated")).toBool(true), false);
    QCOMPARE(object.value(QStringLiteral("calibration")).toObject().value(QStringLiteral("scale")).toString(),
             QStringLiteral("linear-linear"));

    const Run cut = trace(dir, Calibrated + QStringList{QStringLiteral("--format"), QStringLiteral("json"),
                                                        QStringLiteral("--max-columns"), QStringLiteral("10"),
                                                        QStringLiteral("--quiet"), QStringLiteral("--out"),
                                                        QStringLiteral("-"), QStringLiteral("chart.png")});
    const QJsonObject cutObject = QJsonDocument::fromJson(cut.out).object();
    QCOMPARE(cutObject.value(QStringLiteral("points")).toArray().size(), 10);
    QCOMPARE(cutObject.value(QStringLiteral("truncated")).toBool(false), true);
}

void TestTraceCli::manyImagesAtOnce()
{
    QTemporaryDir dir;
    QStringList images;
    for (int i = 0; i < 6; ++i) {
        images << dir.filePath(QStringLiteral("fig%1.png").arg(i));
        writeChart(images.last());
    }
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("out")));
    const Run run = trace(dir, Calibrated + QStringList{QStringLiteral("-j"), QStringLiteral("3"), QStringLiteral("--out"),
                                                        QStringLiteral("{dir}/out")} + images);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QByteArray()); // no progress line when stderr is not a terminal
    const QByteArray first = readBytes(dir.filePath(QStringLiteral("out/fig0.csv")));
    QVERIFY(first.startsWith(" 297 \r\n"));
    for (int i = 1; i < 6; ++i)
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("out/fig%1.csv").arg(i))), first);

    // A frame wider than the window's 1000 columns is cut, with a warning.
    const QStringList wide{QStringLiteral("--start"), QStringLiteral("0,250"), QStringLiteral("--end"),
                           QStringLiteral("1200,50"), QStringLiteral("--values"), QStringLiteral("0,0,1,1"),
                           QStringLiteral("--out"), QStringLiteral("-"), images.first()};
    const Run cut = trace(dir, wide);
    QCOMPARE(cut.status, 0);
    QVERIFY(cut.out.startsWith(" 1000 \r\n"));
    QVERIFY2(cut.err.contains("wider than 1000 columns"), cut.err.constData());
    const Run all = trace(dir, wide + QStringList{QStringLiteral("--max-columns"), QStringLiteral("0"), QStringLiteral("--quiet")});
    QVERIFY(all.out.startsWith(" 1197 \r\n"));
    QCOMPARE(all.err, QByteArray());
}

void TestTraceCli::projectFile()
{
    QTemporaryDir dir;
    writeChart(dir.filePath(QStringLiteral("chart.png")));
    CalibrationFile file;
    file.image = QStringLiteral("chart.png");
    file.start = {50, 250};
    file.end = {350, 50};
    file.values = {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("300"), QStringLiteral("200")};
    QVERIFY(!writeCalibrationFile(dir.filePath(QStringLiteral("cal.json")), file));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("elsewhere")));

    // The image named in the file is found beside it; options override its fields.
    const Run run = trace(dir, {QStringLiteral("--project"), QStringLiteral("{dir}/cal.json"), QStringLiteral("--values"),
                                QStringLiteral("0,0,600,400"), QStringLiteral("--out"), QStringLiteral("{dir}/elsewhere")});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QByteArray());
    QVERIFY(readBytes(dir.filePath(QStringLiteral("elsewhere/chart.csv"))).startsWith(" 297 \r\n 4 ,  500 \r\n"));

    const Run help = trace(dir, {QStringLiteral("--help")});
    QCOMPARE(help.status, 0);
    QVERIFY(help.out.contains("--max-columns <N>"));
    const Run version = trace(dir, {QStringLiteral("--version")});
    QCOMPARE(version.out, QByteArray("curvix-trace 1.0\n"));
}

void TestTraceCli::followAndItsReport()
{
    QTemporaryDir dir;
    // A black curve along row 200 with a black legend line above it at the
    // left: the window's rule reads the legend there, --follow the curve.
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 60; x < 400; ++x)
        image.setPixel(x, 200, qRgb(0, 0, 0));
    for (int x = 60; x < 100; ++x)
        image.setPixel(x, 120, qRgb(0, 0, 0));
    QVERIFY(image.save(dir.filePath(QStringLiteral("legend.png"))));

    const Run plain = trace(dir, Calibrated + QStringList{QStringLiteral("--format"), QStringLiteral("json"), QStringLiteral("legend.png")});
    QCOMPARE(plain.status, 0); // the report does not change the exit status
    QCOMPARE(QString::fromUtf8(plain.err), QStringLiteral("curvix-trace: legend.png: 40 of 297 columns jump more than 3 px (try --follow)\n"));
    const QJsonObject report = QJsonDocument::fromJson(readBytes(dir.filePath(QStringLiteral("legend.json")))).object();
    QCOMPARE(report.value(QStringLiteral("suspect")).toArray().size(), 40);
    QCOMPARE(report.value(QStringLiteral("suspect")).toArray().first().toInt(), 8); // column 60, the 9th traced
    // Before the curve starts the trace carried row 0: columns where no curve was seen.
    QCOMPARE(report.value(QStringLiteral("bridged")).toArray(), (QJsonArray{0, 1, 2, 3, 4, 5, 6, 7}));
    const Run quiet = trace(dir, Calibrated + QStringList{QStringLiteral("--quiet"), QStringLiteral("--out"), QStringLiteral("-"), QStringLiteral("legend.png")});
    QCOMPARE(quiet.err, QByteArray());

    // Followed: on row 200 wherever the curve is, no doubt; the overlay picture beside.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("check")));
    const Run followed = trace(dir, Calibrated + QStringList{QStringLiteral("--follow"), QStringLiteral("--format"), QStringLiteral("tsv"),
                                                             QStringLiteral("--overlay"), QStringLiteral("{dir}/check"), QStringLiteral("--out"),
                                                             QStringLiteral("-"), QStringLiteral("legend.png")});
    QCOMPARE(followed.status, 0);
    QCOMPARE(followed.err, QByteArray());
    const QList<QByteArray> lines = followed.out.trimmed().split('\n');
    QCOMPARE(lines.first(), QByteArray("x\ty"));
    QCOMPARE(lines.at(1), QByteArray("10\t50")); // column 60, the curve's first, on row 200
    QCOMPARE(lines.size(), 1 + 289);
    const QImage overlay(dir.filePath(QStringLiteral("check/legend.overlay.png")));
    QCOMPARE(overlay.size(), image.size());
    QCOMPARE(overlay.pixel(200, 200), qRgb(0, 230, 0)); // the traced pixel, marked

    // Exclusions: the legend left out, the window's rule reads the curve alone.
    const Run excluded = trace(dir, Calibrated + QStringList{QStringLiteral("--exclude"), QStringLiteral("55,110,50,20"), QStringLiteral("--out"),
                                                             QStringLiteral("-"), QStringLiteral("legend.png")});
    QCOMPARE(excluded.err, QByteArray());
    QVERIFY(!excluded.out.contains(" 150 \r\n"));
}

void TestTraceCli::cleanSamplesRaiseNoDoubt_data()
{
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("scale");
    QTest::newRow("linear") << QStringLiteral("linear.jpg") << QStringLiteral("0,0,10,100") << QStringLiteral("linear-linear");
    QTest::newRow("linear-log") << QStringLiteral("linear_log.gif") << QStringLiteral("0,1,50,10000") << QStringLiteral("linear-log");
    QTest::newRow("log-log") << QStringLiteral("log_log.tif") << QStringLiteral("1,0.01,1000,100") << QStringLiteral("log-log");
}

void TestTraceCli::cleanSamplesRaiseNoDoubt()
{
    QFETCH(QString, image);
    QFETCH(QString, values);
    QFETCH(QString, scale);
    QTemporaryDir dir;
    const Run run = trace(dir, {QStringLiteral("--start"), QStringLiteral("80,540"), QStringLiteral("--end"), QStringLiteral("770,30"),
                                QStringLiteral("--values"), values, QStringLiteral("--scale"), scale, QStringLiteral("--format"),
                                QStringLiteral("json"), QStringLiteral("--out"), QStringLiteral("-"),
                                QStringLiteral(CURVIX_SOURCE_DIR "/examples/") + image});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QByteArray());
    const QJsonObject object = QJsonDocument::fromJson(run.out).object();
    QCOMPARE(object.value(QStringLiteral("suspect")).toArray(), QJsonArray());
    QCOMPARE(object.value(QStringLiteral("bridged")).toArray(), QJsonArray());
}

void TestTraceCli::eachCurveDatasetOfASeries()
{
    QTemporaryDir dir;
    // Two level lines: rows 200 and 100, from column 60 on.
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 60; x < 400; ++x) {
        image.setPixel(x, 200, qRgb(0, 0, 0));
        image.setPixel(x, 100, qRgb(0, 0, 0));
    }
    QVERIFY(image.save(dir.filePath(QStringLiteral("fig1.png"))));
    QVERIFY(image.save(dir.filePath(QStringLiteral("fig2.png"))));
    CalibrationFile file;
    file.start = {50, 250};
    file.end = {350, 50};
    file.values = {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("300"), QStringLiteral("200")};
    for (auto [name, row] : {std::pair{"low", 200.5}, std::pair{"high", 100.5}}) {
        TraceOptions followed;
        followed.follow = true;
        followed.seed = QPointF(200.5, row);
        file.datasets.push_back({QString::fromLatin1(name), DatasetKind::Curve, 0xff000000, {}, followed});
    }
    file.datasets.push_back({QStringLiteral("clicked"), DatasetKind::Points, 0xff000000, {{80, 80}}, std::nullopt});
    QVERIFY(!writeCalibrationFile(dir.filePath(QStringLiteral("series.json")), file));

    // One file per curve dataset and picture; point sets are not traced.
    const Run run = trace(dir, {QStringLiteral("--project"), QStringLiteral("{dir}/series.json"), QStringLiteral("--format"),
                                QStringLiteral("tsv"), QStringLiteral("{dir}/fig1.png"), QStringLiteral("{dir}/fig2.png")});
    QCOMPARE(run.status, 0);
    const QStringList outputs = QDir(dir.path()).entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name);
    QCOMPARE(outputs, (QStringList{QStringLiteral("fig1.high.tsv"), QStringLiteral("fig1.low.tsv"), QStringLiteral("fig2.high.tsv"),
                                   QStringLiteral("fig2.low.tsv")}));
    QCOMPARE(readBytes(dir.filePath(QStringLiteral("fig2.low.tsv"))).split('\n').at(1), QByteArray("10\t50"));
    QCOMPARE(readBytes(dir.filePath(QStringLiteral("fig2.high.tsv"))).split('\n').at(1), QByteArray("10\t150"));

    // The project's exclusions hold for each dataset's trace: with the curves'
    // first 41 columns left out, each followed trace starts after them.
    file.trace.exclusions = {QRectF(55, 60, 46, 160)};
    QVERIFY(!writeCalibrationFile(dir.filePath(QStringLiteral("series.json")), file));
    const Run excluded = trace(dir, {QStringLiteral("--project"), QStringLiteral("{dir}/series.json"), QStringLiteral("--format"),
                                     QStringLiteral("tsv"), QStringLiteral("{dir}/fig1.png")});
    QCOMPARE(excluded.status, 0);
    for (const char *name : {"fig1.low.tsv", "fig1.high.tsv"}) {
        const QByteArray first = readBytes(dir.filePath(QString::fromLatin1(name))).split('\n').at(1);
        QVERIFY2(first.split('\t').at(0).toDouble() >= 51, first.constData());
    }
}

void TestTraceCli::logarithmicXLinearY()
{
    QTemporaryDir dir;
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 0; x < 400; ++x)
        image.setPixel(x, 150, qRgb(0, 0, 0));
    QVERIFY(image.save(dir.filePath(QStringLiteral("level.png"))));
    const Run run = trace(dir, {QStringLiteral("--start"), QStringLiteral("50,250"), QStringLiteral("--end"), QStringLiteral("350,50"),
                                QStringLiteral("--values"), QStringLiteral("1,0,1000,200"), QStringLiteral("--scale"),
                                QStringLiteral("log-linear"), QStringLiteral("--format"), QStringLiteral("tsv"), QStringLiteral("--out"),
                                QStringLiteral("-"), QStringLiteral("{dir}/level.png")});
    QCOMPARE(run.status, 0);
    const QList<QByteArray> first = run.out.split('\n').at(1).split('\t');
    // The first traced column, 52: 1000^(2/300) on the X axis; row 150 halfway up the Y axis.
    QCOMPARE(first.at(0).toDouble(), 1 * std::exp(2 * (std::log(1000.0) / 300)));
    QCOMPARE(first.at(1), QByteArray("100"));
    const Run wrong = trace(dir, {QStringLiteral("--start"), QStringLiteral("50,250"), QStringLiteral("--end"), QStringLiteral("350,50"),
                                  QStringLiteral("--values"), QStringLiteral("1,0,1000,200"), QStringLiteral("--scale"),
                                  QStringLiteral("linear-logarithm"), QStringLiteral("{dir}/level.png")});
    QVERIFY(wrong.err.contains("--scale must be linear-linear, linear-log, log-log or log-linear"));
}

QTEST_GUILESS_MAIN(TestTraceCli)
#include "tst_trace_cli.moc"
