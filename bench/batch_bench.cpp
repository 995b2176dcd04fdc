// curvix-trace's speed: many JPEG charts traced two at a time against only
// decoding them two at a time, and one image from process start to file.
#include "batch/batch_options.h"
#include "batch/batch_runner.h"
#include "chart_maker.h"
#include "files/image_file.h"

#include <QAtomicInt>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThreadPool>

#include <benchmark/benchmark.h>

namespace {

constexpr int BatchSize = 200;

// 200 different 1000 x 800 charts saved as JPEG, made once.
const QStringList &batchImages()
{
    static QTemporaryDir dir;
    static QStringList paths;
    if (paths.isEmpty()) {
        QDir(dir.path()).mkdir(QStringLiteral("out"));
        ChartDesign design = sampleCharts().first();
        design.size = QSize(1000, 800);
        design.start = QPoint(80, 740);
        design.end = QPoint(970, 30);
        for (int i = 0; i < BatchSize; ++i) {
            design.function = [i](double x) { return 50 + 40 * std::sin(x * (0.5 + i / 400.0)); };
            paths << dir.filePath(QStringLiteral("chart%1.jpg").arg(i));
            drawChart(design).image.save(paths.last(), "JPG", 85);
        }
    }
    return paths;
}

BatchOptions batchOptions(int jobs)
{
    const QString out = QFileInfo(batchImages().first()).dir().filePath(QStringLiteral("out"));
    const ParsedCommandLine parsed = parseCommandLine(
        QStringList{QStringLiteral("curvix-trace"), QStringLiteral("--start"), QStringLiteral("80,740"),
                    QStringLiteral("--end"), QStringLiteral("970,30"), QStringLiteral("--values"),
                    QStringLiteral("0,0,10,100"), QStringLiteral("--out"), out, QStringLiteral("--quiet")}
            + batchImages(),
        jobs);
    return *parsed.options;
}

void BM_BatchTrace(benchmark::State &bench)
{
    const BatchOptions options = batchOptions(2);
    const BatchConsole console{[](const QByteArray &) {}, [](const QString &) {}, nullptr};
    for (auto _ : bench) {
        if (runBatch(options, console) != 0)
            bench.SkipWithError("batch failed");
    }
    bench.SetItemsProcessed(bench.iterations() * BatchSize);
}
BENCHMARK(BM_BatchTrace)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The floor: decoding the same files with two threads and nothing else.
void BM_BatchDecodeFloor(benchmark::State &bench)
{
    const QStringList &images = batchImages();
    for (auto _ : bench) {
        QThreadPool pool;
        pool.setMaxThreadCount(2);
        QAtomicInt failed;
        for (const QString &image : images)
            pool.start([&failed, image] {
                if (loadImageFile(image).image.isNull())
                    failed.fetchAndAddRelaxed(1);
            });
        pool.waitForDone();
        if (failed.loadRelaxed())
            bench.SkipWithError("decode failed");
    }
    bench.SetItemsProcessed(bench.iterations() * BatchSize);
}
BENCHMARK(BM_BatchDecodeFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// One image traced by the real program, from its start to its file written.
void BM_TraceOneImageProcess(benchmark::State &bench)
{
    const QString image = batchImages().first();
    const QString out = QFileInfo(image).dir().filePath(QStringLiteral("out"));
    for (auto _ : bench) {
        QProcess process;
        process.start(QStringLiteral(CURVIX_TRACE),
                      {QStringLiteral("--start"), QStringLiteral("80,740"), QStringLiteral("--end"),
                       QStringLiteral("970,30"), QStringLiteral("--values"), QStringLiteral("0,0,10,100"),
                       QStringLiteral("--out"), out, image});
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            bench.SkipWithError("curvix-trace failed");
    }
}
BENCHMARK(BM_TraceOneImageProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
