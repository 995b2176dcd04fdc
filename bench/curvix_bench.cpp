// Speed of the trace against reading its pixels once and against one
// QImage::pixel call per pixel; start-up, loading, drawing and writing times;
// peak memory; and the tracing accuracy report.
#include "accuracy.h"
#include "axes_accuracy.h"

#include "app/fonts.h"
#include "app/graph_window.h"
#include "app/main_window.h"
#include "datasets_bench.h"
#include "process_memory.h"
#include "app/picture_box.h"
#include "document/work_state.h"
#include "chart_maker.h"
#include "digitize/auto_trace.h"
#include "files/image_file.h"
#include "fixtures.h"
#include "large_picture_bench.h"
#include "gif_writer.h"
#include "output/data_file.h"
#include "output/graph_drawing.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>

namespace {

// A 1005 x 805 surface with a 1000 x 800 frame and a dark curve across it.
struct TraceFixture
{
    ChartDesign design;
    QImage surface;
    WorkState state;
    CornerValues values{0, 0, 10, 100};

    TraceFixture()
    {
        design = sampleCharts().first();
        design.size = PictureSurface::Size;
        design.start = QPoint(2, 802);
        design.end = QPoint(1002, 2);
        surface = drawChart(design).image;
        state = cornerState(AxisScale::LinearLinear, 2, 802, 1002, 2);
    }
    int firstColumn() const { return 4; }
    int lastColumn() const { return 1000; }
    int firstRow() const { return 5; }
    int lastRow() const { return 787; }
};

const TraceFixture &traceFixture()
{
    static const TraceFixture fixture;
    return fixture;
}

void BM_Trace(benchmark::State &bench)
{
    const TraceFixture &f = traceFixture();
    WorkState state = f.state;
    for (auto _ : bench) {
        const TraceResult trace = traceCurve(f.surface, calibrationOf(state, f.values));
        benchmark::DoNotOptimize(trace.pickedRows.data());
    }
    bench.SetItemsProcessed(bench.iterations() * (f.lastColumn() - f.firstColumn() + 1)
                            * (f.lastRow() - f.firstRow() + 1));
}
BENCHMARK(BM_Trace)->Unit(benchmark::kMicrosecond);

// The same frame traced with --follow: candidate runs, then the best path.
void BM_FollowTrace(benchmark::State &bench)
{
    const TraceFixture &f = traceFixture();
    WorkState state = f.state;
    TraceOptions options;
    options.follow = true;
    for (auto _ : bench) {
        const TraceResult trace = traceCurve(f.surface, calibrationOf(state, f.values), options);
        benchmark::DoNotOptimize(trace.pickedRows.data());
    }
}
BENCHMARK(BM_FollowTrace)->Unit(benchmark::kMicrosecond);

// One colour read per pixel through QImage::pixel, column by column.
void BM_NaiveTrace(benchmark::State &bench)
{
    const TraceFixture &f = traceFixture();
    std::vector<int> rows(size_t(f.lastColumn() + 1));
    for (auto _ : bench) {
        int picked = 0;
        for (int x = f.firstColumn(); x <= f.lastColumn(); ++x) {
            int best = 255;
            for (int y = f.firstRow(); y <= f.lastRow(); ++y) {
                const int green = qGreen(f.surface.pixel(x, y));
                if (green < best) {
                    best = green;
                    picked = y;
                }
            }
            rows[size_t(x)] = picked;
        }
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_NaiveTrace)->Unit(benchmark::kMicrosecond);

// The floor: every pixel of the scanned rectangle read once, in memory
// order, its green bytes summed. Built for AVX2 like the trace's scan.
__attribute__((target_clones("avx2", "default")))
unsigned sumGreen(const TraceFixture &f)
{
    unsigned sum = 0;
    for (int y = f.firstRow(); y <= f.lastRow(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(f.surface.constScanLine(y));
        for (int x = f.firstColumn(); x <= f.lastColumn(); ++x)
            sum += (line[x] >> 8) & 0xff;
    }
    return sum;
}

void BM_ReadFloor(benchmark::State &bench)
{
    const TraceFixture &f = traceFixture();
    for (auto _ : bench)
        benchmark::DoNotOptimize(sumGreen(f));
}
BENCHMARK(BM_ReadFloor)->Unit(benchmark::kMicrosecond);

void BM_MainWindowShown(benchmark::State &bench)
{
    // The window lists its working folder: an empty one, given back afterwards,
    // since a window made later in a removed folder would stop on its message.
    const QString previous = QDir::currentPath();
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    for (auto _ : bench) {
        MainWindow window;
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(&window);
    }
    QDir::setCurrent(previous);
}
BENCHMARK(BM_MainWindowShown)->Unit(benchmark::kMillisecond);

// 1000 x 800 chart files of each format, written once.
const QString &imageFolder()
{
    static QTemporaryDir dir;
    static bool written = false;
    if (!written) {
        written = true;
        ChartDesign design = sampleCharts().first();
        design.size = QSize(1000, 800);
        design.start = QPoint(60, 760);
        design.end = QPoint(980, 20);
        const QImage image = drawChart(design).image;
        image.save(dir.filePath(QStringLiteral("chart.jpg")), "JPG", 90);
        image.save(dir.filePath(QStringLiteral("chart.bmp")), "BMP");
        image.save(dir.filePath(QStringLiteral("chart.tif")), "TIF");
        writeGif(image, dir.filePath(QStringLiteral("chart.gif")));
    }
    static const QString path = dir.path();
    return path;
}

void BM_LoadImage(benchmark::State &bench, const char *suffix)
{
    const QString path = imageFolder() + QStringLiteral("/chart.") + QString::fromLatin1(suffix);
    PictureBox picture(QColor::fromRgb(PictureSurface::Background));
    for (auto _ : bench) {
        const LoadedImage loaded = loadImageFile(path);
        if (loaded.image.isNull())
            bench.SkipWithError("image did not load");
        picture.setPicture(loaded.image);
    }
}
BENCHMARK_CAPTURE(BM_LoadImage, jpeg, "jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadImage, bmp, "bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadImage, gif, "gif")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadImage, tiff, "tif")->Unit(benchmark::kMillisecond);

// A finished 1000-point trace over a log-log frame.
WorkState thousandPoints()
{
    WorkState state = cornerState(AxisScale::LogLog, 1, 790, 1004, 10);
    state.PointCount = 1000;
    for (int k = 1; k <= 1000; ++k) {
        state.CurveY[size_t(k)] = float(400 + std::lround(300 * std::sin(k / 50.0)));
        state.Points[0][size_t(k)] = std::pow(10.0, k / 250.0);
        state.Points[1][size_t(k)] = 1.0 / 3.0 * k;
    }
    return state;
}

void BM_GraphDraw(benchmark::State &bench)
{
    const WorkState state = thousandPoints();
    GraphWindow window(nullptr);
    window.show();
    QCoreApplication::processEvents();
    const CornerValues values{1, 0.01, 10000, 100};
    for (auto _ : bench) {
        window.draw(calibrationOf(state, values), state.tableRows());
        window.Picture1->repaint();
    }
}
BENCHMARK(BM_GraphDraw)->Unit(benchmark::kMillisecond);

void BM_WriteDataFile(benchmark::State &bench)
{
    const WorkState state = thousandPoints();
    QTemporaryDir dir;
    const QString path = dataFilePath(dir.path(), QStringLiteral("curve"));
    for (auto _ : bench) {
        if (saveDataFile(path, dataFileBytes(state)))
            bench.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteDataFile)->Unit(benchmark::kMillisecond);

// Keeps each run's time per iteration, for the ratios printed at the end,
// and passes everything on to the reporter that --benchmark_format chose.
class RecordingReporter : public benchmark::BenchmarkReporter
{
public:
    bool ReportContext(const Context &context) override
    {
        m_display->SetOutputStream(&GetOutputStream());
        m_display->SetErrorStream(&GetErrorStream());
        return m_display->ReportContext(context);
    }
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            nanoseconds[run.run_name.function_name] = run.GetAdjustedRealTime()
                * (run.time_unit == benchmark::kMicrosecond ? 1e3 : run.time_unit == benchmark::kMillisecond ? 1e6 : 1);
        m_display->ReportRuns(runs);
    }
    void Finalize() override { m_display->Finalize(); }

    std::map<std::string, double> nanoseconds;

private:
    std::unique_ptr<benchmark::BenchmarkReporter> m_display{benchmark::CreateDefaultDisplayReporter()};
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Fonts::installSubstitutes();

    // Memory first, before the benchmarks raise the peak.
    {
        MainWindow window;
        window.show();
        window.Picture1->setPicture(loadImageFile(imageFolder() + QStringLiteral("/chart.bmp")).image);
        QCoreApplication::processEvents();
        // The figures beyond Google Benchmark's own go to stderr, so that
        // stdout stays in the format --benchmark_format asks for.
        std::fprintf(stderr, "Peak resident memory with the main window shown and a 1000 x 800 image loaded: %.1f MiB\n\n",
                    processMemoryMb("VmHWM:"));
    }
    // The same with an 8000 x 6000 picture, opened as from the command line.
    {
        const QString large = largePicturePath(); // drawing and writing it raise the peak: reset after
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (clear.open(QIODevice::WriteOnly))
            clear.write("5"); // the peak back to what is resident now
        clear.close();
        const double before = processMemoryMb("VmHWM:");
        MainWindow window;
        window.show();
        window.openFromCommandLine(large);
        QCoreApplication::processEvents();
        std::fprintf(stderr, "Peak resident memory grew by %.1f MiB showing an 8000 x 6000 picture "
                             "(decoded: %.1f MiB; target: at most that + 80)\n\n",
                     processMemoryMb("VmHWM:") - before, largePictureDecodedMb());
    }

    printUndoMemory();

    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto &t = reporter.nanoseconds;
    if (t.count("BM_Trace") && t.count("BM_ReadFloor") && t.count("BM_NaiveTrace")) {
        std::fprintf(stderr, "\nTrace / floor: %.2f (target at most 2)\n", t.at("BM_Trace") / t.at("BM_ReadFloor"));
        std::fprintf(stderr, "Naive / trace: %.1f (target at least 20)\n", t.at("BM_NaiveTrace") / t.at("BM_Trace"));
    }
    if (t.count("BM_BatchTrace") && t.count("BM_BatchDecodeFloor")) {
        std::fprintf(stderr, "Batch of 200 JPEG charts, 2 at a time: traced %.0f ms, decoded only %.0f ms, "
                             "ratio %.2f (target at most 1.15)\n",
                     t.at("BM_BatchTrace") / 1e6, t.at("BM_BatchDecodeFloor") / 1e6,
                     t.at("BM_BatchTrace") / t.at("BM_BatchDecodeFloor"));
    }
    if (t.count("BM_Trace") && t.count("BM_FollowTrace"))
        std::fprintf(stderr, "Followed trace / trace: %.2f (target at most 3)\n", t.at("BM_FollowTrace") / t.at("BM_Trace"));
    printAccuracy(measureAccuracy());
    printRealFigures(measureRealFigures());
    printAxesAccuracy();
    return 0;
}
