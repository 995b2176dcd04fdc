// Getting a picture in besides the image browser: a dropped file, Ctrl+V,
// the command line; each as a user does it.
#include "chart_maker.h"
#include "files/image_file.h"
#include "gui_helpers.h"

#include <QBuffer>
#include <QClipboard>
#include <QMimeData>
#include <QProcess>
#include <QRadioButton>
#include <QUrl>

namespace {

// A chart with a transparent background, which must read as if on white.
QImage transparentChart()
{
    QImage image(300, 200, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int x = 0; x < 300; ++x)
        image.setPixel(x, 100 + x / 10, qRgba(0, 0, 0, 255));
    return image;
}

// A PNG whose header claims 100000 x 100000 pixels.
QByteArray hugePng()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage(8, 8, QImage::Format_RGB32).save(&buffer, "png");
    const char huge[8] = {0, 1, char(0x86), char(0xa0), 0, 1, char(0x86), char(0xa0)};
    bytes.replace(16, 8, QByteArray(huge, 8));
    return bytes;
}

// Drags files over a widget and drops them there when the drag was taken
// (the pointer shows it); returns whether it was.
bool dropOn(QWidget *target, const QList<QUrl> &urls)
{
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return true;
}

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run curvix(const QStringList &arguments, bool withDisplay)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    if (withDisplay)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Its recovery file in a folder of the test's own, not the user's.
    static QTemporaryDir data;
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(CURVIX), arguments);
    if (!process.waitForFinished(30000))
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

class TestPictureIn : public QObject
{
    Q_OBJECT

private slots:
    void drops_data();
    void drops();
    void paste_data();
    void paste();
    void pasteInAnEditBoxPastesText();
    void commandLineLoad();
    void commandLineProgram();
    void pastedScreenshotTracesAsTheBrowsersFile();
};

void TestPictureIn::drops_data()
{
    QTest::addColumn<QStringList>("names"); // files dropped, "{dir}/" for the session folder
    QTest::addColumn<bool>("loads");
    QTest::addColumn<QString>("reason");

    QTest::newRow("a PNG") << QStringList{QStringLiteral("{dir}/chart.png")} << true << QString();
    QTest::newRow("several: the first") << QStringList{QStringLiteral("{dir}/chart.png"), QStringLiteral("{dir}/empty.png")}
                                        << true << QString();
    QTest::newRow("a folder") << QStringList{QStringLiteral("{dir}/folder")} << false << QString();
    QTest::newRow("text named .png") << QStringList{QStringLiteral("{dir}/text.png")} << false
                                     << unsupportedFormatReason();
    QTest::newRow("zero bytes") << QStringList{QStringLiteral("{dir}/empty.png")} << false << unsupportedFormatReason();
    QTest::newRow("PNG claiming 100000 x 100000") << QStringList{QStringLiteral("{dir}/huge.png")} << false << QString();
    QTest::newRow("vanished before the drop") << QStringList{QStringLiteral("{dir}/gone.png")} << false
                                              << QStringLiteral("No such file or directory");
    QTest::newRow("an http URL") << QStringList{QStringLiteral("http://example.org/chart.png")} << false
                                 << QStringLiteral("Only files on this computer can be loaded.");
}

void TestPictureIn::drops()
{
    QFETCH(QStringList, names);
    QFETCH(bool, loads);
    QFETCH(QString, reason);

    Session s;
    MainWindow &w = *s.window;
    QVERIFY(transparentChart().save(s.path("chart.png")));
    QVERIFY(writeBytes(s.path("text.png"), "just text"));
    QVERIFY(writeBytes(s.path("empty.png"), QByteArray()));
    QVERIFY(writeBytes(s.path("huge.png"), hugePng()));
    QVERIFY(QDir(s.dir.path()).mkdir(QStringLiteral("folder")));
    const QImage before = w.Picture1->surface();

    QList<QUrl> urls;
    for (QString name : names) {
        name.replace(QStringLiteral("{dir}"), s.dir.path());
        urls << (name.startsWith(QStringLiteral("http")) ? QUrl(name) : QUrl::fromLocalFile(name));
    }
    MessageCatcher message;
    // Anywhere on the window, an edit box included; the pointer refuses only non-local URLs.
    if (!dropOn(w.Text9, urls)) {
        QVERIFY(!urls.first().isLocalFile());
        w.dropFiles(urls); // should a platform deliver the refused drop all the same
    }
    QTest::qWait(20);
    QCOMPARE(message.seen, !loads);
    if (loads) {
        QCOMPARE(w.Picture1->picture().size(), QSize(300, 200));
        QCOMPARE(w.Picture1->surface().pixel(10, 10), qRgb(255, 255, 255)); // transparent reads as white
        QCOMPARE(w.Picture1->surface().pixel(0, 100), qRgb(0, 0, 0));
        QCOMPARE(w.Text9->text(), QString()); // no path typed into the field
        return;
    }
    const QString shown = urls.first().isLocalFile() ? QDir::toNativeSeparators(urls.first().toLocalFile())
                                                     : urls.first().toDisplayString();
    QVERIFY2(message.text.startsWith(QStringLiteral("画像を読み込めません。\n") + shown + u'\n'), qPrintable(message.text));
    QVERIFY2(message.text.endsWith(reason), qPrintable(message.text));
    QVERIFY(message.text.size() > QStringLiteral("画像を読み込めません。\n").size() + shown.size() + 2);
    QVERIFY(w.Picture1->surface() == before);
}

void TestPictureIn::paste_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<bool>("loads");
    QTest::newRow("a screenshot's image") << QStringLiteral("image") << true;
    QTest::newRow("a copied file") << QStringLiteral("urls") << true;
    QTest::newRow("a file URL as text") << QStringLiteral("url text") << true;
    QTest::newRow("empty clipboard") << QStringLiteral("empty") << false;
    QTest::newRow("text, not a file URL") << QStringLiteral("text") << false;
}

void TestPictureIn::paste()
{
    QFETCH(QString, content);
    QFETCH(bool, loads);

    Session s;
    MainWindow &w = *s.window;
    QVERIFY(transparentChart().save(s.path("chart.png")));
    auto *data = new QMimeData;
    if (content == QStringLiteral("image"))
        data->setImageData(transparentChart());
    else if (content == QStringLiteral("urls"))
        data->setUrls({QUrl::fromLocalFile(s.path("chart.png"))});
    else if (content == QStringLiteral("url text"))
        data->setText(QUrl::fromLocalFile(s.path("chart.png")).toString());
    else if (content == QStringLiteral("text"))
        data->setText(QStringLiteral("figure 3"));
    QGuiApplication::clipboard()->setMimeData(data);
    const QImage before = w.Picture1->surface();

    w.Command5->setFocus();
    MessageCatcher message;
    QTest::keyClick(w.Command5, Qt::Key_V, Qt::ControlModifier);
    QTest::qWait(20);
    QCOMPARE(message.seen, !loads);
    if (loads) {
        QCOMPARE(w.Picture1->surface().pixel(10, 10), qRgb(255, 255, 255));
        QCOMPARE(w.Picture1->surface().pixel(299, 129), qRgb(0, 0, 0));
        QCOMPARE(QApplication::focusWidget(), w.Command3); // as "OK" moves it
    } else {
        QCOMPARE(message.text, QStringLiteral("クリップボードに画像がありません。\n"
                                              "(The clipboard holds no picture and no picture file.)"));
        QVERIFY(w.Picture1->surface() == before);
    }
}

void TestPictureIn::pasteInAnEditBoxPastesText()
{
    Session s;
    MainWindow &w = *s.window;
    QGuiApplication::clipboard()->setText(QStringLiteral("42"));
    typeInto(w.Text9, QString());
    QTest::keyClick(w.Text9, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.Text9->text(), QStringLiteral("42"));
}

void TestPictureIn::commandLineLoad()
{
    Session s;
    MainWindow &w = *s.window;
    QVERIFY(QDir(s.dir.path()).mkdir(QStringLiteral("figs")));
    const Chart chart = drawChart(sampleCharts()[0]);
    QVERIFY(chart.image.save(s.path("figs/Chart.JPG")));
    QVERIFY(transparentChart().save(s.path("figs/plot.png")));

    // A name the list shows: the browser moves there and selects it.
    w.openFromCommandLine(s.path("figs/Chart.JPG"));
    QCOMPARE(w.Dir1->path(), s.path("figs"));
    QCOMPARE(w.File1->fileName(), QStringLiteral("Chart.JPG"));
    QCOMPARE(w.Picture1->picture().size(), QSize(800, 600));
    QCOMPARE(QApplication::focusWidget(), w.Command3);

    // A PNG loads, and the browser stays where it is.
    w.Dir1->setPath(s.dir.path());
    w.openFromCommandLine(s.path("figs/plot.png"));
    QCOMPARE(w.Dir1->path(), s.dir.path());
    QCOMPARE(w.Picture1->picture().size(), QSize(300, 200));

    // A file that can't be read: the message, and the program stays.
    MessageCatcher message;
    w.openFromCommandLine(s.path("figs/none.jpg"));
    QVERIFY(message.seen);
    QVERIFY(message.text.contains(QStringLiteral("none.jpg")));
    QVERIFY(w.isVisible());
    QCOMPARE(w.Picture1->picture().size(), QSize(300, 200));
}

void TestPictureIn::commandLineProgram()
{
    const Run help = curvix({QStringLiteral("--help")}, false);
    QCOMPARE(help.status, 0);
    QVERIFY(help.out.startsWith("Usage: curvix [options] [IMAGE]\n"));
    QCOMPARE(curvix({QStringLiteral("--version")}, false).out, QByteArray("curvix 1.0\n"));

    const Run unknown = curvix({QStringLiteral("--bogus")}, true);
    QCOMPARE(unknown.status, 2);
    QVERIFY(unknown.err.startsWith("curvix: Unknown option 'bogus'.\n\nUsage: curvix"));
    QCOMPARE(unknown.out, QByteArray());
    const Run two = curvix({QStringLiteral("a.png"), QStringLiteral("b.png")}, true);
    QCOMPARE(two.status, 2);
    QVERIFY(two.err.startsWith("curvix: one image at a time, not 2\n"));

    const Run headless = curvix({}, false);
    QCOMPARE(headless.status, 1);
    QCOMPARE(headless.err.count('\n'), 1);
    QVERIFY(headless.err.startsWith("curvix: there is no display"));
    QVERIFY(headless.err.contains("ssh -X") && headless.err.contains("scripts/run.sh"));
}

void TestPictureIn::pastedScreenshotTracesAsTheBrowsersFile()
{
    const ChartDesign design = sampleCharts()[2];
    const QImage picture = drawChart(design).image;
    const QStringList values{QStringLiteral("1"), QStringLiteral("0.01"), QStringLiteral("1000"), QStringLiteral("100")};
    QByteArray files[2];
    for (int pasted = 0; pasted < 2; ++pasted) {
        Session s;
        MainWindow &w = *s.window;
        if (pasted) {
            QGuiApplication::clipboard()->setImage(picture);
            w.Command1->setFocus();
            QTest::keyClick(w.Command1, Qt::Key_V, Qt::ControlModifier);
        } else {
            QVERIFY(picture.save(s.path("chart.bmp")));
            loadThroughBrowser(w, s.dir.path(), QStringLiteral("chart.bmp"));
        }
        QCOMPARE(QApplication::focusWidget(), w.Command3);
        calibrate(w, design.start, design.end, values);
        QTest::mouseClick(w.Option3, Qt::LeftButton, {}, QPoint(5, 8));
        QCOMPARE(autoDigitize(w), QStringLiteral("DIGITIZE が終了しました。"));
        typeInto(w.Text9, QStringLiteral("curve"));
        QTest::mouseClick(w.Command6, Qt::LeftButton);
        files[pasted] = readBytes(s.path("curve.csv"));
    }
    QVERIFY(files[0].startsWith(" 687 \r\n"));
    QCOMPARE(files[1], files[0]);
}

QTEST_MAIN(TestPictureIn)
#include "tst_picture_in.moc"
