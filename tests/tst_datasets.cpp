// Datasets as a user meets them: collecting points, curves from traces, the
// datasets window, export, and undo and redo of every kind of action.
#include "app/datasets_window.h"
#include "app/exclusion_areas.h"
#include "app/recovery.h"
#include "app/titles.h"
#include "chart_maker.h"
#include "gui_helpers.h"
#include "calibration/number_text.h"
#include "files/calibration_file.h"
#include "output/dataset_export.h"

#include <QInputDialog>
#include <QListWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QRadioButton>
#include <QUndoStack>

namespace {

void pressKey(MainWindow &w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    if (!w.isActiveWindow())
        w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, key, modifiers);
}

// What a user sees of the workspace, as one text to compare.
QString observed(MainWindow &w)
{
    QString text;
    for (QLineEdit *field : {w.Text1, w.Text2, w.Text3, w.Text4, w.Text5, w.Text6, w.Text7, w.Text8, w.Text10, w.Text11})
        text += field->text() + u'|';
    const WorkState &s = w.workState();
    text += QStringLiteral("%1,%2,%3,%4,%5,%6|").arg(s.StartPixelX).arg(s.StartPixelY).arg(s.EndPixelX).arg(s.EndPixelY)
                .arg(s.PointCount.value_or(-1)).arg(int(s.AxisScale));
    for (int i = 0; i < PictureBox::MarkerCount; ++i) {
        const QLineF m = w.Picture1->marker(i);
        text += QStringLiteral("%1:%2,%3,%4,%5|").arg(w.Picture1->isMarkerVisible(i)).arg(m.x1()).arg(m.y1()).arg(m.x2()).arg(m.y2());
    }
    for (const Dataset &d : w.datasets()) {
        double sum = 0;
        for (const DataPoint &p : d.points)
            sum += p.px * 3 + p.py;
        text += d.name + QStringLiteral(":%1:%2|").arg(d.points.size()).arg(sum, 0, 'g', 15);
    }
    text += QStringLiteral("current %1|exclusions %2").arg(w.currentDataset()).arg(w.exclusions().size());
    return text;
}

// A collected or traced point's values under the window's calibration now.
ValuePoint valuesNow(MainWindow &w, const DataPoint &p)
{
    return *valueOf(p, *w.document()->transform());
}

void loadChart(Session &s, MainWindow &w)
{
    QVERIFY(drawChart(sampleCharts().first()).image.save(s.path("chart.bmp")));
    loadThroughBrowser(w, s.dir.path(), QStringLiteral("chart.bmp"));
    calibrate(w, QPoint(80, 540), QPoint(770, 30), {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("100")});
}

} // namespace

class TestDatasets : public QObject
{
    Q_OBJECT

private slots:
    void collectPointsAndExport();
    void valuesFollowTheCalibration();
    void largeWorkReopensAndRecovers();
    void deletingKeepsTheCurrentDataset();
    void traceIntoCurveDatasets();
    void editACurve();
    void dragAPoint();
    void undoAndRedoEveryKind_data();
    void undoAndRedoEveryKind();
    void recoveryAfterAKill();
    void unreadableRecoveryKeptAside();
};

void TestDatasets::collectPointsAndExport()
{
    Session s;
    MainWindow &w = *s.window;
    loadChart(s, w);
    QVERIFY(w.datasets().empty()); // none until asked
    pressKey(w, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(w.isCollecting());
    QCOMPARE(w.datasets().size(), size_t(1));
    QCOMPARE(w.datasets()[0].name, QStringLiteral("Points 1"));

    // Each click adds a point with the values a point read shows.
    QStringList shown;
    for (QPoint at : {QPoint(150, 300), QPoint(400, 200), QPoint(700, 100)}) {
        pressInPicture(w, at.x(), at.y());
        shown << w.Text10->text() + u',' + w.Text11->text();
    }
    const Dataset &set = w.datasets()[0];
    QCOMPARE(set.points.size(), size_t(3));
    QCOMPARE(formatFixedReadout(valuesNow(w, set.points[1]).x) + u',' + formatFixedReadout(valuesNow(w, set.points[1]).y), shown[1]);
    QCOMPARE(set.points[2].px, 700.0);

    // A click on a point chooses it; Delete removes it; undo brings it back.
    pressInPicture(w, 401, 201);
    QCOMPARE(w.datasets()[0].points.size(), size_t(3));
    w.Picture1->setFocus();
    pressKey(w, Qt::Key_Delete);
    QCOMPARE(w.datasets()[0].points.size(), size_t(2));
    pressKey(w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.datasets()[0].points.size(), size_t(3));
    pressKey(w, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(w.datasets()[0].points.size(), size_t(2));

    // Export: one line per point, numbers in their shortest form.
    {
        FileDialogAnswer answer(s.path("all.csv"));
        pressKey(w, Qt::Key_X, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(answer.seen);
    }
    QCOMPARE(readBytes(s.path("all.csv")), exportDatasets(valuedDatasets(w.datasets(), *w.document()->transform()), ExportForm::LongCsv, AxisScale::LinearLinear));
    QVERIFY(readBytes(s.path("all.csv")).startsWith("dataset,x,y\nPoints 1,"));

    // In an edit box Ctrl+Z is the box's own.
    typeInto(w.Text9, QStringLiteral("name"));
    QTest::keyClick(w.Text9, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.datasets()[0].points.size(), size_t(2));
}

void TestDatasets::valuesFollowTheCalibration()
{
    Session s;
    MainWindow &w = *s.window;
    loadChart(s, w);
    pressKey(w, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    pressInPicture(w, 400, 300);
    QCOMPARE(w.Text10->text(), QStringLiteral("4.638"));
    pressInPicture(w, 217, 300);
    int exports = 0;
    const auto exported = [&] {
        const QString path = s.path(QStringLiteral("all%1.csv").arg(++exports));
        FileDialogAnswer answer(path);
        pressKey(w, Qt::Key_X, Qt::ControlModifier | Qt::ShiftModifier);
        return readBytes(path);
    };
    // The double-precision mapping, not the read-out's single-precision fraction (1.985507309436798).
    QCOMPARE(exported(), QByteArray("dataset,x,y\nPoints 1,4.63768115942029,47.05882352941177\n"
                                    "Points 1,1.9855072463768115,47.05882352941177\n"));
    // The end X corrected from 10 to 20: every collected point follows.
    typeInto(w.Text3, QStringLiteral("20"));
    w.Command9->setFocus();
    QCOMPARE(exported(), QByteArray("dataset,x,y\nPoints 1,9.27536231884058,47.05882352941177\n"
                                    "Points 1,3.971014492753623,47.05882352941177\n"));
    // The read-out keeps its own digits and is not recomputed.
    QCOMPARE(w.Text10->text(), QStringLiteral("1.986"));
    // Undo gives the old value back, and with it the old exports.
    pressKey(w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.Text3->text(), QStringLiteral("10"));
    QVERIFY(exported().startsWith("dataset,x,y\nPoints 1,4.63768115942029,"));
}

void TestDatasets::largeWorkReopensAndRecovers()
{
    // Ten sets of 100,000 points: far beyond the megabyte the reader once took.
    CalibrationFile file;
    file.start = {80, 540};
    file.end = {770, 30};
    file.values = {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("100")};
    for (int d = 0; d < 10; ++d) {
        Dataset set{QStringLiteral("set %1").arg(d), DatasetKind::Points, datasetColour(d), {}, std::nullopt};
        set.points.reserve(MaxDatasetPoints);
        for (int k = 0; k < MaxDatasetPoints; ++k)
            set.points.push_back({80 + (k % 6900) * 0.1, 30 + (k * 7 + d) % 510 + 0.25});
        file.datasets.push_back(std::move(set));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.json"));
    QVERIFY(!writeCalibrationFile(path, file));
    QVERIFY(QFileInfo(path).size() > 20 * 1024 * 1024);
    const CalibrationFileRead read = readCalibrationFile(path);
    QVERIFY2(read.file, qPrintable(read.error));
    QVERIFY(read.file->datasets == file.datasets);

    // After a crash the recovery puts all of it back.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QCoreApplication::setApplicationName(Titles::application());
    QVERIFY(!Recovery::save(file));
    {
        Session s;
        MessageCatcher question;
        s.window->startRecovery();
        QVERIFY(question.text.contains(QStringLiteral("Restore it?")));
        QCOMPARE(s.window->datasets().size(), size_t(10));
        QVERIFY(s.window->datasets() == file.datasets);
    }
    qunsetenv("XDG_DATA_HOME");
}

void TestDatasets::deletingKeepsTheCurrentDataset()
{
    FigureDocument document;
    for (int i = 0; i < 3; ++i)
        document.addDataset(DatasetKind::Points);
    const auto current = [&] { return document.datasets()[size_t(document.currentDataset())].name; };
    document.chooseDataset(1);
    document.deleteDataset(0); // one before the current
    QCOMPARE(current(), QStringLiteral("Points 2"));
    document.deleteDataset(1); // one after it
    QCOMPARE(current(), QStringLiteral("Points 2"));
    document.addDataset(DatasetKind::Curve);
    document.deleteDataset(1); // the current one, last: the one before it
    QCOMPARE(current(), QStringLiteral("Points 2"));
    document.deleteDataset(0);
    QCOMPARE(document.currentDataset(), -1);
    // Undo brings each back with the current one as it was.
    document.undoStack()->undo();
    QCOMPARE(current(), QStringLiteral("Points 2"));
    document.undoStack()->undo();
    QCOMPARE(current(), QStringLiteral("Curve 1"));
}

void TestDatasets::traceIntoCurveDatasets()
{
    Session s;
    MainWindow &w = *s.window;
    loadChart(s, w);
    pressKey(w, Qt::Key_D, Qt::ControlModifier);
    QVERIFY(w.datasetsWindow()->isVisible());
    auto *addCurve = w.datasetsWindow()->findChild<QPushButton *>(QStringLiteral("addCurve"));
    QTest::mouseClick(addCurve, Qt::LeftButton);
    QCOMPARE(w.datasetsWindow()->list()->count(), 1);
    QCOMPARE(autoDigitize(w), QStringLiteral("DIGITIZE が終了しました。"));
    QCOMPARE(int(w.datasets()[0].points.size()), *w.workState().PointCount);
    QCOMPARE(valuesNow(w, w.datasets()[0].points[10]).y, w.workState().Points[1][11]);
    QTest::mouseClick(addCurve, Qt::LeftButton);
    QCOMPARE(w.currentDataset(), 1);
    QCOMPARE(w.datasets()[1].name, QStringLiteral("Curve 2"));
    QVERIFY(w.datasetsWindow()->list()->item(0)->text().startsWith(QStringLiteral("Curve 1 — ")));
    // Choosing the first again makes it current.
    w.datasetsWindow()->list()->setCurrentRow(0);
    QCOMPARE(w.currentDataset(), 0);
}

void TestDatasets::editACurve()
{
    Session s;
    MainWindow &w = *s.window;
    loadChart(s, w);
    pressKey(w, Qt::Key_D, Qt::ControlModifier);
    QTest::mouseClick(w.datasetsWindow()->findChild<QPushButton *>(QStringLiteral("addCurve")), Qt::LeftButton);
    autoDigitize(w);
    const std::vector<DataPoint> traced = w.datasets()[0].points;
    QCOMPARE(int(traced.size()), 687);
    pressKey(w, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(w.datasets().size(), size_t(1)); // the current curve is edited, no set is added

    // A drag across columns 200 ... 250 chooses them; Delete removes them.
    const QPoint border(PictureBox::BorderWidth, PictureBox::BorderWidth);
    auto chooseColumns = [&] {
        QTest::mousePress(w.Picture1, Qt::LeftButton, {}, QPoint(200, 300) + border);
        QTest::mouseMove(w.Picture1, QPoint(250, 320) + border);
        QTest::mouseRelease(w.Picture1, Qt::LeftButton, {}, QPoint(250, 320) + border);
    };
    chooseColumns();
    w.Picture1->setFocus();
    pressKey(w, Qt::Key_Delete);
    QCOMPARE(int(w.datasets()[0].points.size()), 687 - 51);
    pressKey(w, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(w.datasets()[0].points == traced);

    // Ctrl+Shift+I draws them straight between their neighbours.
    chooseColumns();
    pressKey(w, Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
    const std::vector<DataPoint> &drawn = w.datasets()[0].points;
    QCOMPARE(drawn.size(), traced.size());
    const auto at = [&](double column) {
        return *std::find_if(drawn.begin(), drawn.end(), [&](const DataPoint &p) { return p.px == column; });
    };
    const DataPoint a = at(199), b = at(251), mid = at(225);
    QCOMPARE(mid.py, a.py + (b.py - a.py) * 26 / 52);
    QVERIFY(at(260) == *std::find_if(traced.begin(), traced.end(), [](const DataPoint &p) { return p.px == 260; }));
}

void TestDatasets::dragAPoint()
{
    Session s;
    MainWindow &w = *s.window;
    loadChart(s, w);
    pressKey(w, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    pressInPicture(w, 300, 300);
    const QPoint border(PictureBox::BorderWidth, PictureBox::BorderWidth);
    QTest::mousePress(w.Picture1, Qt::LeftButton, {}, QPoint(301, 299) + border);
    QTest::mouseMove(w.Picture1, QPoint(340, 250) + border);
    QTest::mouseRelease(w.Picture1, Qt::LeftButton, {}, QPoint(340, 250) + border);
    QCOMPARE(w.datasets()[0].points.size(), size_t(1));
    QCOMPARE(w.datasets()[0].points[0].px, 340.0);
    QCOMPARE(w.datasets()[0].points[0].py, 250.0);
    pressKey(w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.datasets()[0].points[0].px, 300.0);
}

void TestDatasets::undoAndRedoEveryKind_data()
{
    QTest::addColumn<std::function<void(MainWindow &)>>("prepare");
    QTest::addColumn<std::function<void(MainWindow &)>>("action");
    const std::function<void(MainWindow &)> nothing = [](MainWindow &) {};
    QTest::newRow("a corner") << nothing << std::function<void(MainWindow &)>([](MainWindow &w) {
        QTest::mouseClick(w.Command3, Qt::LeftButton);
        pressInPicture(w, 90, 530);
    });
    QTest::newRow("a nudge") << nothing << std::function<void(MainWindow &)>([](MainWindow &w) {
        w.Command9->setFocus();
        pressKey(w, Qt::Key_Left, Qt::AltModifier);
    });
    QTest::newRow("a trace") << nothing << std::function<void(MainWindow &)>([](MainWindow &w) { autoDigitize(w); });
    QTest::newRow("a point read") << nothing << std::function<void(MainWindow &)>([](MainWindow &w) {
        QTest::mouseClick(w.Command9, Qt::LeftButton);
        pressInPicture(w, 300, 300);
    });
    QTest::newRow("a typed value") << nothing << std::function<void(MainWindow &)>([](MainWindow &w) {
        typeInto(w.Text4, QStringLiteral("200"));
        w.Command9->setFocus();
    });
    QTest::newRow("the scale") << nothing << std::function<void(MainWindow &)>([](MainWindow &w) {
        QTest::mouseClick(w.Option2, Qt::LeftButton, {}, QPoint(5, 8));
    });
    QTest::newRow("a dataset") << nothing << std::function<void(MainWindow &)>([](MainWindow &w) {
        pressKey(w, Qt::Key_D, Qt::ControlModifier);
        QTest::mouseClick(w.datasetsWindow()->findChild<QPushButton *>(QStringLiteral("addPoints")), Qt::LeftButton);
    });
    QTest::newRow("a collected point") << std::function<void(MainWindow &)>([](MainWindow &w) {
        pressKey(w, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    }) << std::function<void(MainWindow &)>([](MainWindow &w) { pressInPicture(w, 200, 200); });
    const std::function<void(MainWindow &)> collectOne = [](MainWindow &w) {
        pressKey(w, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        pressInPicture(w, 300, 300);
    };
    const auto datasetsButton = [](MainWindow &w, const char *name) {
        pressKey(w, Qt::Key_D, Qt::ControlModifier);
        w.datasetsWindow()->list()->setCurrentRow(0);
        QTest::mouseClick(w.datasetsWindow()->findChild<QPushButton *>(QString::fromLatin1(name)), Qt::LeftButton);
    };
    QTest::newRow("a deleted dataset") << collectOne << std::function<void(MainWindow &)>([=](MainWindow &w) {
        datasetsButton(w, "delete");
    });
    QTest::newRow("a renamed dataset") << collectOne << std::function<void(MainWindow &)>([=](MainWindow &w) {
        QTimer::singleShot(50, [] {
            if (auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget())) {
                dialog->setTextValue(QStringLiteral("cold run"));
                dialog->accept();
            }
        });
        datasetsButton(w, "rename");
    });
    QTest::newRow("a deleted point") << collectOne << std::function<void(MainWindow &)>([](MainWindow &w) {
        w.Picture1->setFocus();
        pressKey(w, Qt::Key_Delete);
    });
    QTest::newRow("a dragged point") << collectOne << std::function<void(MainWindow &)>([](MainWindow &w) {
        const QPoint border(PictureBox::BorderWidth, PictureBox::BorderWidth);
        QTest::mousePress(w.Picture1, Qt::LeftButton, {}, QPoint(301, 299) + border);
        QTest::mouseMove(w.Picture1, QPoint(320, 280) + border);
        QTest::mouseMove(w.Picture1, QPoint(340, 250) + border);
        QTest::mouseRelease(w.Picture1, Qt::LeftButton, {}, QPoint(340, 250) + border);
    });
    QTest::newRow("a nudged point") << collectOne << std::function<void(MainWindow &)>([](MainWindow &w) {
        pressKey(w, Qt::Key_Left, Qt::AltModifier);
        pressKey(w, Qt::Key_Up, Qt::AltModifier);
    });
    QTest::newRow("two nudges of a corner, one step") << nothing << std::function<void(MainWindow &)>([](MainWindow &w) {
        w.Command9->setFocus();
        pressKey(w, Qt::Key_Left, Qt::AltModifier);
        pressKey(w, Qt::Key_Left, Qt::AltModifier);
    });
    QTest::newRow("a curve's columns deleted") << std::function<void(MainWindow &)>([](MainWindow &w) {
        pressKey(w, Qt::Key_D, Qt::ControlModifier);
        QTest::mouseClick(w.datasetsWindow()->findChild<QPushButton *>(QStringLiteral("addCurve")), Qt::LeftButton);
        autoDigitize(w);
        pressKey(w, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    }) << std::function<void(MainWindow &)>([](MainWindow &w) {
        const QPoint border(PictureBox::BorderWidth, PictureBox::BorderWidth);
        QTest::mousePress(w.Picture1, Qt::LeftButton, {}, QPoint(200, 300) + border);
        QTest::mouseMove(w.Picture1, QPoint(250, 320) + border);
        QTest::mouseRelease(w.Picture1, Qt::LeftButton, {}, QPoint(250, 320) + border);
        w.Picture1->setFocus();
        pressKey(w, Qt::Key_Delete);
    });
    QTest::newRow("an exclusion") << nothing << std::function<void(MainWindow &)>([](MainWindow &w) {
        pressKey(w, Qt::Key_E, Qt::ControlModifier);
        pressInPicture(w, 100, 100);
    });
}

void TestDatasets::undoAndRedoEveryKind()
{
    QFETCH(std::function<void(MainWindow &)>, prepare);
    QFETCH(std::function<void(MainWindow &)>, action);
    Session s;
    MainWindow &w = *s.window;
    loadChart(s, w);
    prepare(w);
    w.Command9->setFocus();
    const QString before = observed(w);
    action(w);
    const QString after = observed(w);
    QVERIFY2(after != before, qPrintable(after));
    w.Command9->setFocus();
    pressKey(w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(observed(w), before);
    pressKey(w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(observed(w), after);
}

void TestDatasets::recoveryAfterAKill()
{
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QCoreApplication::setApplicationName(Titles::application()); // the program's folder in it
    QTemporaryDir work;
    QVERIFY(drawChart(sampleCharts().first()).image.save(work.filePath(QStringLiteral("chart.png"))));

    // The real program opens a picture, and is killed.
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(work.path());
    program.start(QStringLiteral(CURVIX), {work.filePath(QStringLiteral("chart.png"))});
    QVERIFY(program.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(readBytes(Recovery::path()).contains("chart.png"), 20000);
    program.kill();
    QVERIFY(program.waitForFinished());

    // The next start offers it; restoring (the default) puts the picture back.
    Session s;
    MainWindow &w = *s.window;
    QVERIFY(w.Picture1->picture().isNull());
    {
        MessageCatcher question;
        w.startRecovery();
        QVERIFY(question.seen);
        QVERIFY(question.text.contains(QStringLiteral("Restore it?")));
    }
    QCOMPARE(w.Picture1->picture().size(), QSize(800, 600));
    // A normal exit removes it.
    QVERIFY(QFileInfo::exists(Recovery::path()));
    w.close();
    QVERIFY(!QFileInfo::exists(Recovery::path()));
    // So does the exit button, even with a save still being written.
    Session again;
    again.window->startRecovery(); // nothing left: keeps the workspace from now on
    QTRY_VERIFY(QFileInfo::exists(Recovery::path()));
    calibrate(*again.window, QPoint(80, 540), QPoint(770, 30), {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("100")});
    QTest::mouseClick(again.window->Command7, Qt::LeftButton);
    QVERIFY(!QFileInfo::exists(Recovery::path()));
    qunsetenv("XDG_DATA_HOME");
}

void TestDatasets::unreadableRecoveryKeptAside()
{
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QCoreApplication::setApplicationName(Titles::application());
    QDir().mkpath(QFileInfo(Recovery::path()).path());
    QVERIFY(writeBytes(Recovery::path(), R"({"curvix": 9, "start": {}})"));
    Session s;
    {
        MessageCatcher warning;
        s.window->startRecovery();
        QVERIFY(warning.text.contains(QStringLiteral("cannot be restored")));
    }
    const QStringList aside = QFileInfo(Recovery::path()).dir().entryList({QStringLiteral("recovery-*.unreadable.json")});
    QCOMPARE(aside.size(), 1);
    QCOMPARE(readBytes(QFileInfo(Recovery::path()).dir().filePath(aside.first())), QByteArray(R"({"curvix": 9, "start": {}})"));
    qunsetenv("XDG_DATA_HOME");
}

QTEST_MAIN(TestDatasets)
#include "tst_datasets.moc"
