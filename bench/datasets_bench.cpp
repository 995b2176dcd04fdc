// Datasets at the size a busy figure reaches (10 datasets of 10,000 points):
// adding a point, an undo, an autosave, and the overlay repaint; and what
// 2000 clicks cost in memory with ten traced curves.
#include "datasets_bench.h"
#include "process_memory.h"

#include "app/datasets_window.h"
#include "app/main_window.h"
#include "app/picture_box.h"
#include "app/recovery.h"
#include "chart_maker.h"
#include "files/image_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include <benchmark/benchmark.h>

namespace {

struct BusyFigure
{
    QTemporaryDir data;
    MainWindow *window = nullptr;

    BusyFigure()
    {
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        window = new MainWindow; // never destroyed: outlives the application
        window->show();
        window->Picture1->setPicture(drawChart(sampleCharts().first()).image);
        std::vector<Dataset> datasets;
        for (int d = 0; d < 10; ++d) {
            Dataset set{QStringLiteral("set %1").arg(d), d % 2 ? DatasetKind::Points : DatasetKind::Curve,
                        datasetColour(d), {}, std::nullopt};
            for (int k = 0; k < 10000; ++k)
                set.points.push_back({80.0 + k * 0.069, 100.0 + (k * 7 + d * 31) % 400});
            datasets.push_back(std::move(set));
        }
        CalibrationFile file = window->workspaceFile();
        file.start = {80, 540};
        file.end = {770, 30};
        file.values = {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("100")};
        file.datasets = datasets;
        Recovery::save(file);
        window->startRecovery(); // restores the busy figure, keeps it after every change
        QCoreApplication::processEvents();
        if (window->datasets().size() != 10 || !window->workState().EndPixelX)
            qFatal("the busy figure was not restored");
    }
};

BusyFigure &busyFigure()
{
    static BusyFigure *figure = nullptr;
    if (!figure) {
        // The recovery question is answered at once with its default.
        QTimer::singleShot(0, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->defaultButton()->click();
        });
        figure = new BusyFigure;
    }
    return *figure;
}

void BM_AddPointAndUndo(benchmark::State &bench)
{
    BusyFigure &f = busyFigure();
    MainWindow &w = *f.window;
    if (!w.isCollecting()) {
        w.datasetsWindow()->showDatasets(w.datasets(), 0);
        w.datasetsWindow()->list()->setCurrentRow(1); // a point set
        w.toggleCollection();
    }
    const size_t before = w.datasets()[1].points.size();
    for (auto _ : bench) {
        QTest::mouseClick(w.Picture1, Qt::LeftButton, {}, QPoint(402, 520)); // below the sets' points
        if (w.datasets()[1].points.size() != before + 1)
            bench.SkipWithError("no point was added");
        w.undo();
    }
}
BENCHMARK(BM_AddPointAndUndo)->Unit(benchmark::kMillisecond);

// What the window's thread pays for an autosave: the figure taken as a value.
void BM_AutosaveSnapshot(benchmark::State &bench)
{
    BusyFigure &f = busyFigure();
    for (auto _ : bench)
        benchmark::DoNotOptimize(f.window->workspaceFile());
}
BENCHMARK(BM_AutosaveSnapshot)->Unit(benchmark::kMillisecond);

// What the autosave's worker thread pays: the file written.
void BM_Autosave(benchmark::State &bench)
{
    BusyFigure &f = busyFigure();
    for (auto _ : bench)
        Recovery::save(f.window->workspaceFile());
}
BENCHMARK(BM_Autosave)->Unit(benchmark::kMillisecond);

void BM_DatasetsRepaint(benchmark::State &bench)
{
    BusyFigure &f = busyFigure();
    for (auto _ : bench)
        f.window->Picture1->repaint();
}
BENCHMARK(BM_DatasetsRepaint)->Unit(benchmark::kMillisecond);

} // namespace

void printUndoMemory()
{
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    MainWindow window;
    window.show();
    window.Picture1->setPicture(drawChart(sampleCharts().first()).image);
    FigureDocument &document = *window.document();
    document.setCorner(Corner::Start, {80, 540});
    document.setCorner(Corner::End, {770, 30});
    document.setValues({QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("100")});
    // Ten traced curves of 687 points each, and a point set to click into.
    std::vector<Dataset> datasets;
    for (int d = 0; d < 10; ++d) {
        Dataset curve{QStringLiteral("Curve %1").arg(d + 1), DatasetKind::Curve, datasetColour(d), {}, std::nullopt};
        for (int k = 0; k < 687; ++k)
            curve.points.push_back({81.0 + k, 100.0 + (k + 40 * d) % 400});
        datasets.push_back(std::move(curve));
    }
    datasets.push_back({QStringLiteral("Points 1"), DatasetKind::Points, datasetColour(10), {}, std::nullopt});
    document.replaceDatasets(datasets, 10);
    window.toggleCollection();
    QCoreApplication::processEvents();
    const double before = processMemoryMb("VmRSS:");
    for (int click = 0; click < 2000; ++click) {
        // Apart from each other by more than the reach that chooses a point.
        const QPoint at(100 + click % 120 * 5 + PictureBox::BorderWidth, 60 + click / 120 * 25 + PictureBox::BorderWidth);
        QTest::mouseClick(window.Picture1, Qt::LeftButton, {}, at);
    }
    QCoreApplication::processEvents();
    std::fprintf(stderr, "2000 clicks collected with ten traced curves (%d steps to undo) grew resident memory by %.1f MiB "
                         "(target: at most 20)\n\n",
                 document.undoStack()->count(), processMemoryMb("VmRSS:") - before);
    qunsetenv("XDG_DATA_HOME");
}
