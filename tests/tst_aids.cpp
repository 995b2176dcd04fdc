// The precision aids as a user meets them: keys, the pointer over the
// picture, the clipboard and the calibration file's dialogs.
#include "app/key_table.h"
#include "app/loupe.h"
#include "calibration/number_text.h"
#include "chart_maker.h"
#include "gui_helpers.h"

#include <QClipboard>
#include <QFile>
#include <QRadioButton>

namespace {

const QStringList LinearLogValues{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("50"), QStringLiteral("10000")};

// The linear-log sample chart loaded and calibrated, its scale chosen.
void calibratedChart(Session &s)
{
    MainWindow &w = *s.window;
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const Chart chart = drawChart(sampleCharts()[1]);
    QVERIFY(chart.image.save(s.path("chart.bmp")));
    loadThroughBrowser(w, s.dir.path(), QStringLiteral("chart.bmp"));
    calibrate(w, chart.design.start, chart.design.end, LinearLogValues);
    QTest::mouseClick(w.Option2, Qt::LeftButton, {}, QPoint(5, 8));
}

// A key pressed in the window, once it has the keyboard again.
void key(MainWindow &w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, Qt::Key(key), modifiers);
}

} // namespace

class TestAids : public QObject
{
    Q_OBJECT

private slots:
    void offAtStartAndToggled();
    void readmeListsEveryKey();
    void aidsNeverReachTheSurface();
    void copyTrace();
    void calibrationFileRoundTrip();
    void badCalibrationFiles_data();
    void badCalibrationFiles();
    void nudge();
    void loupeBesideThePointer_data();
    void loupeBesideThePointer();
    void loupeFollowsThePointer();
};

void TestAids::offAtStartAndToggled()
{
    Session s;
    MainWindow &w = *s.window;
    QVERIFY(!w.isGridOn() && !w.isTraceOverlayOn() && !w.isLoupeOn());
    key(w, Qt::Key_G, Qt::ControlModifier);
    key(w, Qt::Key_T, Qt::ControlModifier);
    key(w, Qt::Key_L, Qt::ControlModifier);
    QVERIFY(w.isGridOn() && w.isTraceOverlayOn() && w.isLoupeOn());
    key(w, Qt::Key_G, Qt::ControlModifier);
    QVERIFY(!w.isGridOn());

    // Loading a picture turns the trace overlay off: it belonged to the last one.
    calibratedChart(s);
    QVERIFY(!w.isTraceOverlayOn());
    key(w, Qt::Key_T, Qt::ControlModifier);
    QTest::mouseClick(w.Command2, Qt::LeftButton); // Reset
    QVERIFY(!w.isTraceOverlayOn());

    MessageCatcher help;
    key(w, Qt::Key_F1);
    QVERIFY(help.seen);
    for (const char *shortcut : {"Ctrl+L", "Ctrl+G", "Ctrl+T", "Ctrl+Shift+C", "Ctrl+Shift+S", "Ctrl+Shift+O", "Alt+", "F1"})
        QVERIFY2(help.text.contains(QString::fromLatin1(shortcut)), shortcut);
    QCOMPARE(help.text, QStringLiteral("キー操作 (Keys)\n\n"
                                       "Ctrl+L\tルーペ (loupe)\n"
                                       "Ctrl+G\t校正の格子 (calibration grid)\n"
                                       "Ctrl+T\tトレースした画素 (trace overlay)\n"
                                       "Ctrl+Shift+C\tトレースをコピー (copy the trace)\n"
                                       "Ctrl+Shift+S\t校正を保存 (save the calibration)\n"
                                       "Ctrl+Shift+O\t校正を開く (open a calibration)\n"
                                       "Ctrl+O\t画像または PDF を開く (open a picture or a page of a PDF)\n"
                                       "Ctrl+Shift+L\tEnglish と日本語を切り替える (switch between English and Japanese)\n"
                                       "Ctrl+K\t軸を見つけて校正する (find the axes and calibrate from them)\n"
                                       "Ctrl+F\t次のクリックの曲線を追う (follow the curve clicked next)\n"
                                       "Ctrl+E\t除外する範囲をドラッグで描く (drag a rectangle in which nothing is traced)\n"
                                       "Ctrl+Shift+E\t除外範囲をすべて消す (remove the exclusion rectangles)\n"
                                       "Ctrl++\t拡大 (zoom in)\n"
                                       "Ctrl+-\t縮小 (zoom out)\n"
                                       "Ctrl+0\t画像全体を表示 (show the whole picture)\n"
                                       "Ctrl+1\t原寸・左上 (元の表示) (actual size from the top left, as at start)\n"
                                       "Ctrl+D\tデータセットの一覧 (the datasets)\n"
                                       "Ctrl+Shift+P\tクリックで点を集める (入/切) (collect points by clicking, on or off)\n"
                                       "Del\t選んだ点を削除 (delete the chosen point)\n"
                                       "Ctrl+Shift+I\t選んだ列を直線で結ぶ (draw the chosen columns of a curve straight)\n"
                                       "Ctrl+Shift+X\tデータセットを書き出す (export all datasets)\n"
                                       "Ctrl+Z\t元に戻す (undo)\n"
                                       "Ctrl+Shift+Z\tやり直す (redo)\n"
                                       "Ctrl+Y\tやり直す (redo)\n"
                                       "Alt+矢印\t最後の点を 1 画素動かす; Shift と共に 10 画素\n"
                                       "\t(move the last placed point by 1 pixel; with Shift by 10)\n"
                                       "Ctrl+V\t画像を貼り付け (paste a picture)\n"
                                       "F1\tこの一覧 (these keys)"));
}

void TestAids::readmeListsEveryKey()
{
    // The README's key table: rows "| `KEY` | ... |" between its header and the next blank line.
    QFile readme(QStringLiteral(CURVIX_SOURCE_DIR "/README.md"));
    QVERIFY(readme.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(readme.readAll());
    const qsizetype table = text.indexOf(QStringLiteral("| Key | What it does |"));
    QVERIFY(table >= 0);
    QStringList listed;
    for (const QString &line : text.mid(table).split(u'\n').mid(2)) {
        if (!line.startsWith(u'|'))
            break;
        listed << line.section(u'|', 1, 1).trimmed();
    }
    QStringList keys;
    for (const KeyBinding &key : keyTable())
        keys << key.name;
    QCOMPARE(listed, keys);
}

void TestAids::aidsNeverReachTheSurface()
{
    // The same road twice, with every aid off and with every aid on: the
    // surface and the data file are the same byte for byte.
    QByteArray files[2];
    QImage surfaces[2];
    for (int on = 0; on < 2; ++on) {
        Session s;
        MainWindow &w = *s.window;
        if (on) {
            key(w, Qt::Key_G, Qt::ControlModifier);
            key(w, Qt::Key_T, Qt::ControlModifier);
            key(w, Qt::Key_L, Qt::ControlModifier);
        }
        calibratedChart(s);
        if (on) {
            key(w, Qt::Key_T, Qt::ControlModifier); // loading turned it off
            QTest::mouseMove(w.Picture1, QPoint(300, 300));
        }
        QCOMPARE(autoDigitize(w), QStringLiteral("DIGITIZE が終了しました。"));
        QCOMPARE(w.isGridOn() && w.isTraceOverlayOn(), bool(on));
        surfaces[on] = w.Picture1->surface();
        typeInto(w.Text9, QStringLiteral("curve"));
        QTest::mouseClick(w.Command6, Qt::LeftButton);
        files[on] = readBytes(s.path("curve.csv"));
    }
    QVERIFY(files[0].startsWith(" 687 \r\n"));
    QCOMPARE(files[1], files[0]);
    QVERIFY(surfaces[1] == surfaces[0]);
}

void TestAids::copyTrace()
{
    Session s;
    MainWindow &w = *s.window;
    MessageCatcher nothing;
    key(w, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(nothing.seen);
    QCOMPARE(nothing.text, QStringLiteral("コピーするトレースがありません。先に Auto Digitize を押して下さい。\n"
                                          "(There is no trace to copy: press Auto Digitize first.)"));

    calibratedChart(s);
    autoDigitize(w);
    key(w, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QString copied = QGuiApplication::clipboard()->text();
    const WorkState &state = w.workState();
    QCOMPARE(copied.count(u'\n'), 687);
    const QString first = formatShortestNumber(state.Points[0][1]) + u'\t' + formatShortestNumber(state.Points[1][1]) + u'\n';
    QVERIFY2(copied.startsWith(first), qPrintable(copied.left(80)));
    // Shortest round-trip texts read back as the very same numbers.
    const QStringList last = copied.split(u'\n', Qt::SkipEmptyParts).last().split(u'\t');
    QCOMPARE(last[0].toDouble(), state.Points[0][687]);
    QCOMPARE(last[1].toDouble(), state.Points[1][687]);
}

void TestAids::calibrationFileRoundTrip()
{
    QByteArray saved;
    QString picture;
    {
        Session s;
        MainWindow &w = *s.window;
        MessageCatcher nothing;
        key(w, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(nothing.seen);
        QVERIFY(nothing.text.contains(QStringLiteral("capture the start and end points first")));

        calibratedChart(s);
        typeInto(w.Text3, QStringLiteral(" 5 0"));
        FileDialogAnswer answer(s.path("cal"));
        key(w, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(answer.seen);
        saved = readBytes(s.path("cal.json"));
        QCOMPARE(saved, QByteArray("{\n    \"curvix\": 1,\n    \"end\": {\n        \"pixel\": [\n            770,\n            30\n        ],\n"
                                   "        \"value\": [\n            \" 5 0\",\n            \"10000\"\n        ]\n    },\n"
                                   "    \"image\": \"chart.bmp\",\n    \"scale\": \"linear-log\",\n"
                                   "    \"start\": {\n        \"pixel\": [\n            80,\n            540\n        ],\n"
                                   "        \"value\": [\n            \"0\",\n            \"1\"\n        ]\n    },\n"
                                   "    \"trace\": {\n        \"colour\": null,\n        \"line\": \"top\",\n        \"tolerance\": 60\n    }\n}\n"));

        // Opening it in a fresh window gives the same state.
        Session again;
        QVERIFY(QFile::copy(s.path("chart.bmp"), again.path("chart.bmp")));
        QVERIFY(writeBytes(again.path("cal.json"), saved));
        MainWindow &v = *again.window;
        FileDialogAnswer open(again.path("cal.json"));
        key(v, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(open.seen);
        QVERIFY(v.Picture1->picture() == w.Picture1->picture());
        for (auto [a, b] : {std::pair{v.Text1, w.Text1}, {v.Text2, w.Text2}, {v.Text3, w.Text3}, {v.Text4, w.Text4},
                            {v.Text5, w.Text5}, {v.Text6, w.Text6}, {v.Text7, w.Text7}, {v.Text8, w.Text8}})
            QCOMPARE(a->text(), b->text());
        QVERIFY(v.Option2->isChecked());
        QCOMPARE(v.workState().AxisScale, AxisScale::LinearLog);
        QCOMPARE(v.workState().StartPixelX, 80.f);
        QCOMPARE(v.workState().EndPixelY, 30.f);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(v.Picture1->isMarkerVisible(i), true);
        QCOMPARE(autoDigitize(v), QStringLiteral("DIGITIZE が終了しました。"));
    }
}

void TestAids::badCalibrationFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("loads");

    const QByteArray good = R"({"curvix": 1, "start": {"pixel": [20, 150], "value": ["0", "0"]},
        "end": {"pixel": [90, 20], "value": ["10", "100"]}, "scale": "linear-linear"})";
    QTest::newRow("not JSON") << QByteArray("hello") << QStringLiteral("not JSON") << false;
    QTest::newRow("truncated") << good.left(40) << QStringLiteral("not JSON") << false;
    QTest::newRow("wrong type") << QByteArray(good).replace("[20, 150]", "\"20, 150\"")
                                << QStringLiteral("\"start.pixel\" must be an array") << false;
    QTest::newRow("pixel outside the picture") << QByteArray(good).replace("[90, 20]", "[2000, 20]")
                                               << QStringLiteral("outside the picture area of 1005 × 805") << false;
    QTest::newRow("picture gone: corners still load") << QByteArray(good).replace("{\"curvix\": 1,", "{\"curvix\": 1, \"image\": \"gone.png\",")
                                                      << QStringLiteral("gone.png") << true;
    QTest::newRow("undefined mapping opens") << QByteArray(good).replace("linear-linear", "log-log") << QString() << true;
}

void TestAids::badCalibrationFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QFETCH(bool, loads);

    Session s;
    MainWindow &w = *s.window;
    QVERIFY(writeBytes(s.path("cal.json"), bytes));
    const QString before = w.Text1->text();

    auto box = std::make_unique<MessageCatcher>();
    FileDialogAnswer open(s.path("cal.json"));
    key(w, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(open.seen);
    QTest::qWait(20);
    QCOMPARE(box->seen, !message.isEmpty());
    QVERIFY2(box->text.contains(message), qPrintable(box->text));
    const QString text = box->text;
    box.reset();
    if (!loads) {
        QVERIFY(text.contains(QStringLiteral("cal.json")));
        QCOMPARE(w.Text1->text(), before);
        QCOMPARE(w.Text5->text(), QString());
        QVERIFY(!w.Picture1->isMarkerVisible(0));
        return;
    }
    QCOMPARE(w.Text5->text(), QStringLiteral("20"));
    QCOMPARE(w.Text8->text(), QStringLiteral("20"));
    QCOMPARE(w.Text4->text(), QStringLiteral("100"));
    if (w.Option3->isChecked()) {
        // The grid shows its note; Auto Digitize gives its usual message.
        QCOMPARE(autoDigitize(w), QStringLiteral("X軸は対数目盛です。始点のX座標に 0 以外の値を入力して下さい。\n"
                                                 "(The X axis is logarithmic: its start value must not be 0.)"));
    }
}

void TestAids::nudge()
{
    Session s;
    MainWindow &w = *s.window;
    w.Command9->setFocus();
    key(w, Qt::Key_Right, Qt::AltModifier); // nothing placed yet: nothing happens
    QCOMPARE(w.Text5->text(), QString());

    QTest::mouseClick(w.Command3, Qt::LeftButton);
    pressInPicture(w, 20, 150);
    QCOMPARE(QApplication::focusWidget(), w.Command4);
    key(w, Qt::Key_Right, Qt::AltModifier);
    key(w, Qt::Key_Down, Qt::AltModifier | Qt::ShiftModifier);
    QCOMPARE(w.Text5->text(), QStringLiteral("21"));
    QCOMPARE(w.Text6->text(), QStringLiteral("160"));
    QCOMPARE(w.workState().StartPixelX, 21.f);
    QCOMPARE(w.Picture1->marker(0), QLineF(13, 160, 29, 160));
    QCOMPARE(QApplication::focusWidget(), w.Command4); // the focus stays

    // In an edit box the keys stay the box's own.
    w.Text1->setFocus();
    key(w, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(w.Text5->text(), QStringLiteral("21"));

    // After a point read, the point moves and its read-outs follow.
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    pressInPicture(w, 220, 40);
    typeInto(w.Text1, QStringLiteral("0"));
    typeInto(w.Text2, QStringLiteral("0"));
    typeInto(w.Text3, QStringLiteral("199"));
    typeInto(w.Text4, QStringLiteral("120"));
    QTest::mouseClick(w.Command9, Qt::LeftButton);
    pressInPicture(w, 100, 100);
    QCOMPARE(w.Text10->text(), QStringLiteral("79.000"));
    QWidget *focus = QApplication::focusWidget();
    key(w, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(w.Text10->text(), QStringLiteral("78.000"));
    QCOMPARE(w.Text5->text(), QStringLiteral("21"));
    QCOMPARE(QApplication::focusWidget(), focus);
}

void TestAids::loupeBesideThePointer_data()
{
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QPoint>("expected");
    const QRect screen(0, 0, 1400, 1000);
    Q_UNUSED(screen);
    QTest::newRow("room below right") << QPoint(500, 400) << QPoint(524, 424);
    QTest::newRow("right edge: to the left") << QPoint(1300, 400) << QPoint(1300 - 24 - 168, 424);
    QTest::newRow("bottom edge: above") << QPoint(500, 900) << QPoint(524, 900 - 24 - 186);
    QTest::newRow("corner: above left") << QPoint(1390, 990) << QPoint(1390 - 24 - 168, 990 - 24 - 186);
}

void TestAids::loupeBesideThePointer()
{
    QFETCH(QPoint, pointer);
    QFETCH(QPoint, expected);
    const QSize size(168, 186);
    const QPoint at = Loupe::placeFor(pointer, size, QRect(0, 0, 1400, 1000));
    QCOMPARE(at, expected);
    QVERIFY(!QRect(at, size).contains(pointer)); // never under the pointer
}

void TestAids::loupeFollowsThePointer()
{
    Session s;
    MainWindow &w = *s.window;
    calibratedChart(s);
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    key(w, Qt::Key_L, Qt::ControlModifier);
    QTest::mouseMove(w.Picture1, QPoint(80 + 2, 540 + 2)); // over the start point's cross
    QTRY_VERIFY(w.loupe()->isVisible());
    QCOMPARE(w.loupe()->size(), QSize(168, 186));
    QVERIFY(QApplication::focusWidget() != w.loupe());
    // It shows the marker: the cross's red at the centre of the magnified view.
    const QImage shown = w.loupe()->grab().toImage();
    QCOMPARE(shown.pixel(10 * 8 + 1, 10 * 8 - 20), qRgb(255, 0, 0)); // the vertical arm above the centre
    key(w, Qt::Key_L, Qt::ControlModifier);
    QVERIFY(!w.loupe()->isVisible());
}

QTEST_MAIN(TestAids)
#include "tst_aids.moc"
