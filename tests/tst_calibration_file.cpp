#include "files/calibration_file.h"
#include "test_files.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// The example of the file as a person may write it.
const QByteArray Example = R"({
  "curvix": 1,
  "image": "figure3.png",
  "start": { "pixel": [80, 540], "value": ["0", "1"] },
  "end":   { "pixel": [770, 30], "value": ["50", "10000"] },
  "scale": "linear-log",
  "trace": { "line": "top", "colour": null, "tolerance": 60 }
}
)";

// The example as the program writes it.
const QByteArray ExampleWritten = R"({
    "curvix": 1,
    "end": {
        "pixel": [
            770,
            30
        ],
        "value": [
            "50",
            "10000"
        ]
    },
    "image": "figure3.png",
    "scale": "linear-log",
    "start": {
        "pixel": [
            80,
            540
        ],
        "value": [
            "0",
            "1"
        ]
    },
    "trace": {
        "colour": null,
        "line": "top",
        "tolerance": 60
    }
}
)";

// The file read back from what the program wrote of it.
CalibrationFile rewritten(const CalibrationFile &file)
{
    const CalibrationFileRead read = parseCalibrationFile(calibrationFileBytes(file));
    return read.file ? *read.file : CalibrationFile{};
}

// The example with one piece of text replaced.
QByteArray exampleWith(const char *from, const char *to)
{
    QByteArray bytes = Example;
    return bytes.replace(from, to);
}

} // namespace

class TestCalibrationFile : public QObject
{
    Q_OBJECT

private slots:
    // Every check here runs under a comma-decimal locale: the files and the
    // typed numbers keep "." whatever the user's locale says.
    void initTestCase() { QVERIFY2(useCommaLocale(), "the de_DE.UTF-8 locale is not installed (scripts/deps.sh makes it)"); }
    void readsTheExample();
    void writesWhatItReads();
    void refusals_data();
    void refusals();
    void optionalAndUnknownFields();
    void datasetsRoundTrip();
    void refusesAFileBeyondTheLimit();
    void unsoundDatasetsSkipped_data();
    void unsoundDatasetsSkipped();
};

void TestCalibrationFile::readsTheExample()
{
    const CalibrationFileRead read = parseCalibrationFile(Example);
    QVERIFY2(read.file, qPrintable(read.error));
    const CalibrationFile &file = *read.file;
    QCOMPARE(file.image, QStringLiteral("figure3.png"));
    QCOMPARE(file.start, (CornerPixel{80, 540}));
    QCOMPARE(file.end, (CornerPixel{770, 30}));
    QCOMPARE(file.values, (CornerTexts{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("50"),
                                       QStringLiteral("10000")}));
    QCOMPARE(file.scale, AxisScale::LinearLog);
    QCOMPARE(file.trace.line, LineRule::Top);
    QVERIFY(!file.trace.colour);
    QCOMPARE(file.trace.tolerance, 60);
    // The values are read as the window reads typed numbers.
    const Calibration calibration = file.calibration();
    QCOMPARE(calibration.values.endY, 10000.0);
    QVERIFY(calibration.yLogarithmic() && !calibration.xLogarithmic());
}

void TestCalibrationFile::writesWhatItReads()
{
    QCOMPARE(calibrationFileBytes(*parseCalibrationFile(Example).file), ExampleWritten);
    QCOMPARE(calibrationFileBytes(*parseCalibrationFile(ExampleWritten).file), ExampleWritten);
    // A corner clicked when zoomed in, at a fraction of a pixel, written in its shortest form.
    const QByteArray fractional = exampleWith("[770, 30]", "[770.25, 30.3]");
    const CalibrationFileRead read1 = parseCalibrationFile(fractional);
    QVERIFY2(read1.file, qPrintable(read1.error));
    QCOMPARE(read1.file->end, (CornerPixel{770.25f, 30.3f}));
    QVERIFY2(calibrationFileBytes(*read1.file).contains("            770.25,\n            30.3\n"), calibrationFileBytes(*read1.file).constData());
    QCOMPARE(rewritten(*read1.file).end, read1.file->end);
    // Following, a seed and exclusions, fractions kept in their shortest form.
    const QByteArray followed = exampleWith("60 }", "60, \"follow\": true, \"seed\": [412.5, 300] },\n"
                                                  "  \"exclude\": [[600, 40.25, 150, 60], [0, 0, 1, 1]]");
    const CalibrationFileRead read2 = parseCalibrationFile(followed);
    QVERIFY2(read2.file, qPrintable(read2.error));
    QVERIFY(read2.file->trace.follow);
    QCOMPARE(read2.file->trace.seed, std::optional<QPointF>(QPointF(412.5, 300)));
    QCOMPARE(read2.file->trace.exclusions, (std::vector<QRectF>{QRectF(600, 40.25, 150, 60), QRectF(0, 0, 1, 1)}));
    const CalibrationFile again = rewritten(*read2.file);
    QVERIFY(again.trace.follow);
    QCOMPARE(again.trace.seed, read2.file->trace.seed);
    QCOMPARE(again.trace.exclusions, read2.file->trace.exclusions);
    // A seed kept with follow off (a trace seeded, then the follow option
    // dropped) is written and read back too.
    CalibrationFile seededOnly = *read2.file;
    seededOnly.trace.follow = false;
    QCOMPARE(rewritten(seededOnly).trace.seed, std::optional<QPointF>(QPointF(412.5, 300)));
    QVERIFY(!rewritten(seededOnly).trace.follow);

    CalibrationFile file;
    file.values = {QStringLiteral(" 1 000"), QStringLiteral("1E3"), QStringLiteral("\"quoted\"\\"), QStringLiteral("２")};
    file.trace.line = LineRule::Centre;
    file.trace.colour = qRgb(0xd6, 0x27, 0x28);
    file.trace.tolerance = 25;
    file.scale = AxisScale::LogLog;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cal.json"));
    QVERIFY(!writeCalibrationFile(path, file));
    const CalibrationFileRead read = readCalibrationFile(path);
    QVERIFY2(read.file, qPrintable(read.error));
    QCOMPARE(read.file->values, file.values);
    QCOMPARE(read.file->trace.colour, file.trace.colour);
    QCOMPARE(read.file->trace.line, LineRule::Centre);
    QCOMPARE(read.file->trace.tolerance, 25);
    QCOMPARE(read.file->scale, AxisScale::LogLog);
    QVERIFY(read.file->image.isEmpty());
    QCOMPARE(calibrationFileBytes(*read.file), calibrationFileBytes(file));
    file.scale = AxisScale::LogLinear;
    QCOMPARE(rewritten(file).scale, AxisScale::LogLinear);
}

void TestCalibrationFile::refusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");

    QTest::newRow("not JSON") << QByteArray("curvix 1") << QStringLiteral("not JSON");
    QTest::newRow("truncated") << Example.left(Example.size() / 2) << QStringLiteral("not JSON");
    QTest::newRow("an array") << QByteArray("[1]") << QStringLiteral("one JSON object");
    QTest::newRow("curvix missing") << exampleWith("\"curvix\": 1,", "") << QStringLiteral("\"curvix\" is missing");
    QTest::newRow("curvix 3") << exampleWith("\"curvix\": 1", "\"curvix\": 3") << QStringLiteral("\"curvix\" must be 1 or 2");
    QTest::newRow("datasets not a list") << exampleWith("60 }", "60 }, \"datasets\": {}") << QStringLiteral("\"datasets\" must be a list");
    QTest::newRow("curvix a text") << exampleWith("\"curvix\": 1", "\"curvix\": \"1\"") << QStringLiteral("\"curvix\" must be 1");
    QTest::newRow("start missing") << exampleWith("\"start\"", "\"begin\"") << QStringLiteral("\"start\" is missing");
    QTest::newRow("end not an object") << exampleWith("\"end\":   {", "\"end\": 5, \"x\": {") << QStringLiteral("\"end\" must be an object");
    QTest::newRow("pixel missing") << exampleWith("\"pixel\": [80, 540], ", "") << QStringLiteral("\"start.pixel\" is missing");
    QTest::newRow("negative pixel") << exampleWith("[80, 540]", "[-1, 540]") << QStringLiteral("\"start.pixel\" must hold pixel positions");
    QTest::newRow("pixel beyond the limit") << exampleWith("[770, 30]", "[1000001, 30]") << QStringLiteral("\"end.pixel\" must hold pixel positions");
    QTest::newRow("pixel as text") << exampleWith("[770, 30]", "[\"770\", 30]") << QStringLiteral("\"end.pixel\" must hold pixel positions");
    QTest::newRow("one pixel") << exampleWith("[770, 30]", "[770]") << QStringLiteral("\"end.pixel\" must be an array of two");
    QTest::newRow("value as numbers") << exampleWith("[\"0\", \"1\"]", "[0, 1]") << QStringLiteral("\"start.value\" must be an array of two texts");
    QTest::newRow("value missing") << exampleWith(", \"value\": [\"50\", \"10000\"]", "") << QStringLiteral("\"end.value\" is missing");
    QTest::newRow("unknown scale") << exampleWith("linear-log", "log-lin") << QStringLiteral("\"scale\" must be \"linear-linear\", \"linear-log\", \"log-log\" or \"log-linear\"");
    QTest::newRow("scale missing") << exampleWith("\"scale\": \"linear-log\",", "") << QStringLiteral("\"scale\" is missing");
    QTest::newRow("unknown line mode") << exampleWith("\"top\"", "\"bottom\"") << QStringLiteral("\"trace.line\" must be");
    QTest::newRow("colour without hash digits") << exampleWith("null", "\"red\"") << QStringLiteral("\"trace.colour\" must be");
    QTest::newRow("colour too short") << exampleWith("null", "\"#fff\"") << QStringLiteral("\"trace.colour\" must be");
    QTest::newRow("negative tolerance") << exampleWith("60", "-5") << QStringLiteral("\"trace.tolerance\" must be");
    QTest::newRow("image a number") << exampleWith("\"figure3.png\"", "3") << QStringLiteral("\"image\" must be a text");
    QTest::newRow("follow a text") << exampleWith("60 }", "60, \"follow\": \"yes\" }") << QStringLiteral("\"trace.follow\" must be true or false");
    QTest::newRow("seed of one number") << exampleWith("60 }", "60, \"seed\": [3] }") << QStringLiteral("\"trace.seed\" must be null or [x, y]");
    QTest::newRow("seed negative") << exampleWith("60 }", "60, \"seed\": [3, -1] }") << QStringLiteral("\"trace.seed\" must be");
    QTest::newRow("seed beyond the limit") << exampleWith("60 }", "60, \"seed\": [3, 1e9] }") << QStringLiteral("\"trace.seed\" must be");
    QTest::newRow("exclude not a list") << exampleWith("60 }", "60 }, \"exclude\": 5") << QStringLiteral("\"exclude\" must be a list");
    QTest::newRow("exclude of three numbers") << exampleWith("60 }", "60 }, \"exclude\": [[1, 2, 3]]") << QStringLiteral("\"exclude\" must be a list");
    QTest::newRow("exclude of no width") << exampleWith("60 }", "60 }, \"exclude\": [[1, 2, 0, 4]]") << QStringLiteral("\"exclude\" must be a list");
    QTest::newRow("exclude a text") << exampleWith("60 }", "60 }, \"exclude\": [[1, 2, \"3\", 4]]") << QStringLiteral("\"exclude\" must be a list");
}

void TestCalibrationFile::refusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const CalibrationFileRead read = parseCalibrationFile(bytes);
    QVERIFY(!read.file);
    QVERIFY2(read.error.contains(error), qPrintable(read.error));
}

void TestCalibrationFile::optionalAndUnknownFields()
{
    QByteArray bytes = exampleWith("\"image\": \"figure3.png\",", "\"later\": {\"x\": [1]}, \"note\": \"hi\",");
    bytes.replace(",\n  \"trace\": { \"line\": \"top\", \"colour\": null, \"tolerance\": 60 }", "");
    const CalibrationFileRead read = parseCalibrationFile(bytes);
    QVERIFY2(read.file, qPrintable(read.error));
    QVERIFY(read.file->image.isEmpty());
    QCOMPARE(read.file->trace.line, LineRule::Top);
    QCOMPARE(read.file->trace.tolerance, 60);
    QCOMPARE(read.file->end, (CornerPixel{770, 30}));

    const CalibrationFileRead colour = parseCalibrationFile(exampleWith("null", "\"#D62728\""));
    QVERIFY2(colour.file, qPrintable(colour.error));
    QCOMPARE(colour.file->trace.colour, std::optional<QRgb>(qRgb(0xd6, 0x27, 0x28)));
}

void TestCalibrationFile::datasetsRoundTrip()
{
    CalibrationFile file = *parseCalibrationFile(Example).file;
    TraceOptions followed;
    followed.follow = true;
    followed.seed = QPointF(110.5, 218);
    followed.colour = qRgb(0, 0, 150);
    file.datasets = {{QStringLiteral("fit"), DatasetKind::Curve, 0xffd62728, {{82, 278.5}}, followed},
                     {QStringLiteral("run, 2"), DatasetKind::Points, 0xff1f77b4, {{100, 200}}, std::nullopt}};
    const QByteArray bytes = calibrationFileBytes(file);
    // Compact, so that many points stay small; each point with its values under the file's calibration.
    QVERIFY(bytes.startsWith("{\"curvix\":2,\"datasets\":[{\"colour\":\"#D62728\",\"kind\":\"curve\",\"name\":\"fit\","
                             "\"points\":[[82,278.5,0.14492753623188406,"));
    QVERIFY2(bytes.contains("\"trace\":{\"colour\":\"#000096\",\"follow\":true,\"line\":\"top\",\"seed\":[110.5,218],\"tolerance\":60}}"),
             bytes.constData());
    // Without a mapping (a logarithmic axis from 0) the positions alone.
    CalibrationFile unmapped = file;
    unmapped.values[1] = QStringLiteral("0");
    QVERIFY(calibrationFileBytes(unmapped).contains("\"points\":[[82,278.5]]"));
    QVERIFY(rewritten(unmapped).datasets == file.datasets);
    const CalibrationFileRead read = parseCalibrationFile(bytes);
    QVERIFY2(read.file, qPrintable(read.error));
    QCOMPARE(read.skipped, QStringList());
    QVERIFY(read.file->datasets == file.datasets);
    QCOMPARE(calibrationFileBytes(*read.file), bytes);
}

void TestCalibrationFile::refusesAFileBeyondTheLimit()
{
    QTemporaryDir dir;
    for (const auto &[size, refused] : {std::pair{qint64(256) * 1024 * 1024, false}, std::pair{qint64(256) * 1024 * 1024 + 1, true}}) {
        const QString path = dir.filePath(QStringLiteral("huge.json"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(file.write(Example) == Example.size());
        QVERIFY(file.resize(size)); // the rest a sparse run of zero bytes
        file.close();
        const CalibrationFileRead read = readCalibrationFile(path);
        QVERIFY(!read.file);
        // At the limit the file is read (and refused as JSON); beyond it, refused for its size.
        QCOMPARE(read.error == QStringLiteral("the file is larger than the 256 MiB a calibration file may hold"), refused);
    }
}

void TestCalibrationFile::unsoundDatasetsSkipped_data()
{
    QTest::addColumn<QByteArray>("datasets");
    QTest::addColumn<QString>("skipped");
    QTest::newRow("unknown kind") << QByteArray(R"([{"name": "a", "kind": "lines", "points": []}])")
                                  << QStringLiteral("dataset 1 (\"a\"): unknown kind \"lines\"");
    QTest::newRow("a second of one name") << QByteArray(R"([{"name": "a", "kind": "points", "points": []}, {"name": "a", "kind": "curve", "points": []}])")
                                          << QStringLiteral("dataset 2: a second dataset named \"a\"");
    QTest::newRow("a point of three numbers") << QByteArray(R"([{"name": "a", "kind": "points", "points": [[1, 2, 3]]}])")
                                              << QStringLiteral("dataset 1 (\"a\"): points must be [px, py] or [px, py, x, y], at most 100000");
    QTest::newRow("a point outside any picture") << QByteArray(R"([{"name": "a", "kind": "points", "points": [[-1, 2, 3, 4]]}])")
                                                 << QStringLiteral("dataset 1 (\"a\"): points must be [px, py] or [px, py, x, y], at most 100000");
    QTest::newRow("no name") << QByteArray(R"([{"kind": "points", "points": []}])") << QStringLiteral("dataset 1: no name");
    QTest::newRow("a bad trace") << QByteArray(R"([{"name": "a", "kind": "curve", "points": [], "trace": {"line": "x"}}])")
                                 << QStringLiteral("dataset 1 (\"a\"): \"datasets[1].trace.line\" must be \"top\" or \"centre\"");
}

void TestCalibrationFile::unsoundDatasetsSkipped()
{
    QFETCH(QByteArray, datasets);
    QFETCH(QString, skipped);
    // The file opens as far as it is sound; what was left out is named.
    const CalibrationFileRead read = parseCalibrationFile(exampleWith("\"curvix\": 1", "\"curvix\": 2").replace("60 }", "60 }, \"datasets\": " + datasets));
    QVERIFY2(read.file, qPrintable(read.error));
    QCOMPARE(read.skipped, QStringList{skipped});
    QCOMPARE(read.file->end, (CornerPixel{770, 30}));
}

QTEST_GUILESS_MAIN(TestCalibrationFile)
#include "tst_calibration_file.moc"
