#include "app/file_lists.h"
#include "app/long_task.h"
#include "app/main_window.h"
#include "app/picture_box.h"
#include "files/image_file.h"
#include "gif_writer.h"
#include "gui_helpers.h"

#include <QBuffer>
#include <QSemaphore>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <memory>

namespace {

const QRgb LightGrey = qRgb(192, 192, 192);

QImage testPicture(QRgb colour = qRgb(20, 120, 220))
{
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 0; x < 300; ++x)
        image.setPixel(x, 100, colour);
    return image;
}

// Double-clicks a row of a list, scrolled into view first. The first click
// is sent on its own, as a real double click starts with one.
void doubleClickRow(QListWidget *list, QListWidgetItem *item)
{
    list->scrollToItem(item);
    const QPoint centre = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
}

QStringList listed(const QListWidget *list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

// Selects a file in File1 by clicking its name.
void clickFile(MainWindow &w, const QString &name)
{
    const auto items = w.File1->findItems(name, Qt::MatchExactly);
    QVERIFY2(!items.isEmpty(), qPrintable(name));
    const QRect rect = w.File1->visualItemRect(items.first());
    QTest::mouseClick(w.File1->viewport(), Qt::LeftButton, {}, rect.center());
}

bool bannerShown(const QImage &surface)
{
    for (int y = 360; y < 420; ++y)
        for (int x = 300; x < 700; ++x)
            if (surface.pixel(x, y) == qRgb(128, 128, 128))
                return true;
    return false;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void longWorkOneAtATime();
    void startUpWithoutSettings();
    void startUpWithSettings_data();
    void startUpWithSettings();
    void controls_data();
    void controls();
    void tabOrder();
    void browseAndLoadWithEnter_data();
    void browseAndLoadWithEnter();
    void okWithoutSelection();
    void failedLoadChangesNothing_data();
    void failedLoadChangesNothing();
    void folderNavigation();
    void vanishedFolderKeepsLists();
    void resetClearsWhatItShould();
    void exitWritesSettings();
    void exitFailureStillEnds();
    void closeByFrameDoesNotSave();
};

void TestMainWindow::startUpWithoutSettings()
{
    Session s;
    MainWindow &w = *s.window;
    QCOMPARE(w.windowTitle(), QStringLiteral("Curvix-Digitizer"));
    QCOMPARE(w.size(), QSize(1205, 854));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(w.Text1->text(), QStringLiteral("0"));
    QCOMPARE(w.Text2->text(), QStringLiteral("0"));
    QCOMPARE(w.Text3->text(), QStringLiteral("100"));
    QCOMPARE(w.Text4->text(), QStringLiteral("100"));
    for (QLineEdit *e : {w.Text5, w.Text6, w.Text7, w.Text8, w.Text9, w.Text10, w.Text11})
        QCOMPARE(e->text(), QString());
    QVERIFY(w.Option1->isChecked());
    QCOMPARE(w.workState().ClickMode, ClickMode::ReadPoint);
    QCOMPARE(w.workState().AxisScale, AxisScale::LinearLinear);
    QVERIFY(!w.workState().PointCount);
    for (int i = 0; i < PictureBox::MarkerCount; ++i)
        QVERIFY(!w.Picture1->isMarkerVisible(i));
    QCOMPARE(w.Picture1->surface().pixel(5, 5), LightGrey);
    QVERIFY(bannerShown(w.Picture1->surface()));
    QCOMPARE(w.Dir1->path(), QDir::currentPath());
    QCOMPARE(w.Dir2->path(), QDir::currentPath());
}

void TestMainWindow::startUpWithSettings_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("saved values") << QByteArray("1.5\r\n-2\r\n250\r\n1E3\r\n")
                                  << QStringList{QStringLiteral("1.5"), QStringLiteral("-2"),
                                                 QStringLiteral("250"), QStringLiteral("1E3")};
    QTest::newRow("empty second line stays empty") << QByteArray("1\r\n\r\n3\r\n4\r\n")
                                                   << QStringList{QStringLiteral("1"), QString(),
                                                                  QStringLiteral("3"), QStringLiteral("4")};
    QTest::newRow("a comma stays in its field") << QByteArray("1,5\r\n2\r\n3\r\n4\r\n")
                                                << QStringList{QStringLiteral("1,5"), QStringLiteral("2"),
                                                               QStringLiteral("3"), QStringLiteral("4")};
    QTest::newRow("three lines give the defaults") << QByteArray("1\r\n2\r\n3\r\n")
                                                   << QStringList{QStringLiteral("0"), QStringLiteral("0"),
                                                                  QStringLiteral("100"), QStringLiteral("100")};
    QTest::newRow("binary junk gives the defaults") << QByteArray("\x00\x01\x02", 3)
                                                    << QStringList{QStringLiteral("0"), QStringLiteral("0"),
                                                                   QStringLiteral("100"), QStringLiteral("100")};
}

void TestMainWindow::startUpWithSettings()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, fields);
    Session s(&file);
    MainWindow &w = *s.window;
    QCOMPARE((QStringList{w.Text1->text(), w.Text2->text(), w.Text3->text(), w.Text4->text()}), fields);
}

void TestMainWindow::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");

    auto row = [](const char *name, int x, int y, int w, int h, const QString &caption, bool enabled = true) {
        QTest::newRow(name) << QString::fromLatin1(name) << QRect(x, y, w, h) << caption << enabled;
    };
    row("Command1", 8, 208, 73, 25, QStringLiteral("OK"));
    row("Command2", 96, 208, 73, 25, QStringLiteral("Reset"));
    row("Command3", 8, 256, 25, 49, QStringLiteral("始\n点"));
    row("Command4", 8, 312, 25, 49, QStringLiteral("終\n点"));
    row("Command5", 8, 488, 161, 25, QStringLiteral("Auto Digitize"));
    row("Command6", 8, 784, 161, 25, QStringLiteral("File Save"));
    row("Command7", 32, 816, 33, 33, QString());
    row("Command8", 8, 520, 161, 27, QStringLiteral("Graph Draw"));
    row("Command9", 8, 456, 161, 25, QStringLiteral("Point Digitize"));
    row("Text1", 88, 256, 41, 25, QString());
    row("Text5", 128, 256, 41, 25, QString(), false);
    row("Text8", 128, 336, 41, 25, QString(), false);
    row("Text9", 8, 752, 161, 25, QString());
    row("Text10", 512, 824, 81, 25, QString());
    row("Text11", 648, 824, 81, 25, QString());
    row("Label1", 32, 256, 57, 25, QStringLiteral("X座標"));
    row("Label4", 32, 336, 57, 25, QStringLiteral("Y座標"));
    row("Label5", 8, 736, 161, 17, QStringLiteral("ファイル名（拡張子なし）"));
    row("Label11", 456, 824, 57, 25, QStringLiteral("X座標"));
    row("Label12", 592, 824, 57, 25, QStringLiteral("Y座標"));
    row("Frame1", 8, 368, 161, 81, QStringLiteral("Scale Mode"));
    row("Option1", 8, 16, 113, 17, QStringLiteral("Linear - Linear"));
    row("Option2", 8, 36, 129, 17, QStringLiteral("Linear - Logarithm"));
    row("Option3", 8, 56, 145, 17, QStringLiteral("Logarithm - Logarithm"));
    row("Picture1", 184, 16, 1009, 809, QString());
    row("Picture2", 112, 816, 34, 34, QString());
    row("Drive1", 8, 24, 161, 20, QString());
    row("Dir1", 8, 40, 161, 76, QString());
    row("File1", 8, 112, 161, 90, QString());
    row("Drive2", 8, 568, 161, 20, QString());
    row("Dir2", 8, 584, 161, 62, QString());
    row("File2", 8, 640, 161, 90, QString());
}

void TestMainWindow::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(bool, enabled);

    Session s;
    auto *widget = s.window->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(widget->isEnabled(), enabled);
    if (auto *b = qobject_cast<QAbstractButton *>(widget))
        QCOMPARE(b->text(), caption);
    else if (auto *l = qobject_cast<QLabel *>(widget); l && !caption.isEmpty())
        QCOMPARE(l->text(), caption);
    else if (auto *g = qobject_cast<QGroupBox *>(widget))
        QCOMPARE(g->title(), caption);
    if (auto *b = qobject_cast<QPushButton *>(widget))
        QVERIFY(b->autoDefault());
}

void TestMainWindow::tabOrder()
{
    Session s;
    MainWindow &w = *s.window;
    w.activateWindow();
    w.Drive1->setFocus();
    const QStringList expected{QStringLiteral("Dir1"), QStringLiteral("File1"), QStringLiteral("Command1"),
                               QStringLiteral("Command2"), QStringLiteral("Text1"), QStringLiteral("Text2"),
                               QStringLiteral("Text3"), QStringLiteral("Text4"), QStringLiteral("Command3"),
                               QStringLiteral("Command4"), QStringLiteral("Command5"), QStringLiteral("Command6"),
                               QStringLiteral("File2"), QStringLiteral("Dir2"), QStringLiteral("Drive2"),
                               QStringLiteral("Text9"), QStringLiteral("Command7"), QStringLiteral("Picture1"),
                               QStringLiteral("Option1"), QStringLiteral("Command8"), QStringLiteral("Picture2"),
                               QStringLiteral("Text10"), QStringLiteral("Text11"), QStringLiteral("Command9")};
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
    }
    QCOMPARE(visited, expected);
}

void TestMainWindow::browseAndLoadWithEnter_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("BMP") << QStringLiteral("chart.bmp");
    QTest::newRow("JPEG with an upper-case name") << QStringLiteral("CAMERA.JPG");
    QTest::newRow("TIFF") << QStringLiteral("chart.tif");
    QTest::newRow("GIF") << QStringLiteral("chart.gif");
}

void TestMainWindow::browseAndLoadWithEnter()
{
    QFETCH(QString, file);
    Session s;
    const QImage picture = testPicture(qRgb(0, 0, 0));
    QVERIFY(picture.save(s.dir.filePath(QStringLiteral("chart.bmp"))));
    QVERIFY(picture.save(s.dir.filePath(QStringLiteral("CAMERA.JPG")), "JPG", 100));
    QVERIFY(picture.save(s.dir.filePath(QStringLiteral("chart.tif"))));
    QVERIFY(writeGif(picture, s.dir.filePath(QStringLiteral("chart.gif"))));
    QVERIFY(picture.save(s.dir.filePath(QStringLiteral("long.jpeg")), "JPG"));
    QVERIFY(picture.save(s.dir.filePath(QStringLiteral("other.png"))));
    QVERIFY(QDir(s.dir.path()).mkdir(QStringLiteral("folder.jpg")));
    MainWindow &w = *s.window;

    // The list is read when its folder is chosen: open the folder again.
    w.Dir1->setPath(s.dir.path());
    QCOMPARE(listed(w.File1), (QStringList{QStringLiteral("CAMERA.JPG"), QStringLiteral("chart.bmp"),
                                           QStringLiteral("chart.gif"), QStringLiteral("chart.tif")}));

    clickFile(w, file);
    QCOMPARE(QApplication::focusWidget(), w.Command1);
    QVERIFY(bannerShown(w.Picture1->surface())); // clicking a name loads nothing
    QTest::keyClick(w.Command1, Qt::Key_Return);

    const QImage &surface = w.Picture1->surface();
    QVERIFY(!bannerShown(surface));
    QCOMPARE(surface.pixel(10, 10), qRgb(255, 255, 255));
    QVERIFY(qGreen(surface.pixel(150, 100)) < 40);
    QCOMPARE(surface.pixel(400, 300), LightGrey); // beyond the picture: background
    QCOMPARE(QApplication::focusWidget(), w.Command3);
}

void TestMainWindow::okWithoutSelection()
{
    Session s;
    MainWindow &w = *s.window;
    const QImage before = w.Picture1->surface();
    MessageCatcher message;
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    QVERIFY(message.seen);
    QCOMPARE(message.text, QStringLiteral("ファイルを選択して下さい"));
    QCOMPARE(message.title, QStringLiteral("Curvix-Digitizer"));
    QCOMPARE(message.icon, QMessageBox::NoIcon);
    QCOMPARE(message.buttonCount, 1);
    QVERIFY(w.Picture1->surface() == before);
}

void TestMainWindow::failedLoadChangesNothing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");

    QByteArray bmp;
    {
        QBuffer buffer(&bmp);
        buffer.open(QIODevice::WriteOnly);
        testPicture().save(&buffer, "BMP");
    }
    QByteArray hugeBmp = bmp.left(54);
    const qint32 huge = 100000;
    memcpy(hugeBmp.data() + 18, &huge, 4);
    memcpy(hugeBmp.data() + 22, &huge, 4);

    QTest::newRow("zero bytes") << QStringLiteral("empty.jpg") << QByteArray();
    QTest::newRow("text renamed to .jpg") << QStringLiteral("notes.jpg") << QByteArray("just some notes\n");
    QTest::newRow("BMP cut inside its header") << QStringLiteral("cut.bmp") << bmp.left(40);
    QTest::newRow("BMP claiming 100000 x 100000") << QStringLiteral("huge.bmp") << hugeBmp;
    QTest::newRow("deleted after listing") << QStringLiteral("gone.tif") << QByteArray("<delete>");
}

void TestMainWindow::failedLoadChangesNothing()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);

    Session s;
    MainWindow &w = *s.window;
    QVERIFY(testPicture().save(s.dir.filePath(QStringLiteral("good.bmp"))));
    QVERIFY(writeBytes(s.dir.filePath(file), bytes));
    w.Dir1->setPath(s.dir.path());

    clickFile(w, QStringLiteral("good.bmp"));
    QTest::keyClick(w.Command1, Qt::Key_Return);
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    pressInPicture(w, 20, 150);
    const QImage surface = w.Picture1->surface();
    const WorkState state = w.workState();

    clickFile(w, file);
    if (bytes == "<delete>")
        QVERIFY(QFile::remove(s.dir.filePath(file)));
    MessageCatcher message;
    QTest::keyClick(w.Command1, Qt::Key_Return);
    QVERIFY(message.seen);
    // The message names the file and says why it could not be read.
    const QString path = QDir::toNativeSeparators(s.dir.filePath(file));
    QCOMPARE(message.text, QStringLiteral("画像を読み込めません。\n%1\n%2").arg(path, loadImageFile(path).error));
    QVERIFY(!loadImageFile(path).error.isEmpty());
    QCOMPARE(message.icon, QMessageBox::Warning);
    QVERIFY(w.isVisible());
    QVERIFY(w.Picture1->surface() == surface);
    QCOMPARE(w.Text5->text(), QStringLiteral("20"));
    QCOMPARE(w.Text6->text(), QStringLiteral("150"));
    QVERIFY(w.Picture1->isMarkerVisible(0));
    QCOMPARE(w.workState().StartPixelX, state.StartPixelX);
    QCOMPARE(w.workState().ClickMode, state.ClickMode);
}

void TestMainWindow::folderNavigation()
{
    Session s;
    QVERIFY(QDir(s.dir.path()).mkpath(QStringLiteral("sub/deeper")));
    QVERIFY(writeGif(testPicture(), s.dir.filePath(QStringLiteral("sub/inner.gif"))));
    MainWindow &w = *s.window;
    w.Dir1->setPath(s.dir.path());

    const auto items = w.Dir1->findItems(QStringLiteral("sub"), Qt::MatchEndsWith);
    QCOMPARE(items.size(), 1);
    doubleClickRow(w.Dir1, items.first());
    QCOMPARE(w.Dir1->path(), s.dir.filePath(QStringLiteral("sub")));
    QCOMPARE(listed(w.File1), QStringList{QStringLiteral("inner.gif")});
    QVERIFY(!w.Dir1->findItems(QStringLiteral("deeper"), Qt::MatchEndsWith).isEmpty());

    // Enter on the parent folder goes back up.
    const int parentRow = w.Dir1->row(w.Dir1->findItems(QFileInfo(s.dir.path()).fileName(), Qt::MatchEndsWith).first());
    w.Dir1->setFocus();
    w.Dir1->setCurrentRow(parentRow);
    QTest::keyClick(w.Dir1, Qt::Key_Return);
    QCOMPARE(w.Dir1->path(), s.dir.path());
    QCOMPARE(listed(w.File1), QStringList());
}

void TestMainWindow::vanishedFolderKeepsLists()
{
    Session s;
    QVERIFY(QDir(s.dir.path()).mkpath(QStringLiteral("soon_gone")));
    MainWindow &w = *s.window;
    w.Dir1->setPath(s.dir.path());
    const QStringList before = listed(w.Dir1);
    QVERIFY(QDir(s.dir.filePath(QStringLiteral("soon_gone"))).removeRecursively());

    const auto items = w.Dir1->findItems(QStringLiteral("soon_gone"), Qt::MatchEndsWith);
    QCOMPARE(items.size(), 1);
    MessageCatcher message;
    doubleClickRow(w.Dir1, items.first());
    QVERIFY(message.seen);
    QVERIFY(message.text.contains(QStringLiteral("soon_gone")));
    QCOMPARE(w.Dir1->path(), s.dir.path());
    QCOMPARE(listed(w.Dir1), before);
}

void TestMainWindow::resetClearsWhatItShould()
{
    Session s;
    MainWindow &w = *s.window;
    QVERIFY(testPicture().save(s.dir.filePath(QStringLiteral("good.bmp"))));
    w.Dir1->setPath(s.dir.path());
    clickFile(w, QStringLiteral("good.bmp"));
    QTest::keyClick(w.Command1, Qt::Key_Return);
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    pressInPicture(w, 100, 400);
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    pressInPicture(w, 300, 50);
    QTest::mouseClick(w.Command9, Qt::LeftButton);
    pressInPicture(w, 200, 225);
    QTest::mouseClick(w.Option2, Qt::LeftButton);
    typeInto(w.Text9, QStringLiteral("name"));

    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QCOMPARE(w.Picture1->surface().pixel(10, 10), LightGrey);
    QVERIFY(w.Picture1->picture().isNull());
    QVERIFY(bannerShown(w.Picture1->surface()));
    for (int i = 0; i < PictureBox::MarkerCount; ++i)
        QVERIFY(!w.Picture1->isMarkerVisible(i));
    for (QLineEdit *e : {w.Text5, w.Text6, w.Text7, w.Text8, w.Text9})
        QCOMPARE(e->text(), QString());
    QCOMPARE(w.Text10->text(), QStringLiteral("50.000"));
    QCOMPARE(w.Text11->text(), QStringLiteral("50.000"));
    QVERIFY(w.Option1->isChecked());
    QCOMPARE(w.workState().AxisScale, AxisScale::LinearLinear);
    QCOMPARE(w.workState().ClickMode, ClickMode::PointDigitize);
    QCOMPARE(w.workState().StartPixelX, 100.f);

    // Point digitizing stays armed over the old frame.
    pressInPicture(w, 250, 225);
    QCOMPARE(w.Text10->text(), QStringLiteral("75.000"));

    // Reset with no image: the banner is drawn again, nothing fails.
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QVERIFY(bannerShown(w.Picture1->surface()));
}

void TestMainWindow::exitWritesSettings()
{
    Session s;
    MainWindow &w = *s.window;
    typeInto(w.Text2, QString());
    typeInto(w.Text3, QStringLiteral("250"));
    QTest::mouseClick(w.Command7, Qt::LeftButton);
    QCOMPARE(readBytes(s.path("Curvix.ini")), QByteArray("0\r\n\r\n250\r\n100\r\n"));
    QVERIFY(!w.isVisible());

    // The next start shows what was saved.
    QDir::setCurrent(s.dir.path());
    MainWindow again;
    QCOMPARE(again.Text2->text(), QString());
    QCOMPARE(again.Text3->text(), QStringLiteral("250"));
}

void TestMainWindow::exitFailureStillEnds()
{
    Session s;
    MainWindow &w = *s.window;
    QVERIFY(QDir(s.dir.path()).mkdir(QStringLiteral("Curvix.ini")));
    MessageCatcher message;
    QTest::mouseClick(w.Command7, Qt::LeftButton);
    QVERIFY(message.seen);
    QVERIFY2(message.text.contains(QStringLiteral("Curvix.ini")), qPrintable(message.text));
    QCOMPARE(message.icon, QMessageBox::Critical);
    QVERIFY(!w.isVisible());
    QVERIFY(QFileInfo(s.path("Curvix.ini")).isDir());
}

void TestMainWindow::closeByFrameDoesNotSave()
{
    Session s;
    typeInto(s.window->Text3, QStringLiteral("250"));
    s.window->close();
    QVERIFY(!QFile::exists(s.path("Curvix.ini")));
}

void TestMainWindow::longWorkOneAtATime()
{
    LongTask task;
    QSemaphore gate;
    int result = 0;
    QVERIFY(task.run<int>([&] {
        gate.acquire();
        return 7;
    }, [&](const int &r) { result = r; }));
    // A second request while the first runs is refused, not queued.
    QVERIFY(!task.run<int>([] { return 1; }, [&](const int &r) { result = r; }));
    QVERIFY(QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::BusyCursor);
    QVERIFY(task.isRunning());
    gate.release();
    QTRY_COMPARE(result, 7);
    QVERIFY(!task.isRunning());
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(task.run<int>([] { return 3; }, [&](const int &r) { result = r; }));
    QTRY_COMPARE(result, 3);
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
