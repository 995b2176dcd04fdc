// Pictures larger than the picture area: loading an 8000 x 6000 PNG and a
// 300-dpi PDF page, and repainting the area over the 8000 x 6000 picture,
// fitted and at 4x, with the markers, the grid and a 1000-point trace overlay.
#include "app/picture_box.h"
#include "app/picture_overlays.h"
#include "calibration/calibration.h"
#include "chart_maker.h"
#include "files/image_file.h"
#include "files/pdf_page.h"
#include "large_picture_bench.h"
#include "pdf_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

struct LargeFiles
{
    QTemporaryDir dir;
    QString png = dir.filePath(QStringLiteral("large.png"));
    QString pdf = dir.filePath(QStringLiteral("paper.pdf"));
    ChartDesign design;

    LargeFiles()
    {
        design = sampleCharts().first();
        design.size = QSize(8000, 6000);
        design.start = QPoint(600, 5600);
        design.end = QPoint(7700, 300);
        design.lineWidth = 12;
        drawChart(design).image.save(png);
        writePdf(pdf, drawChart(sampleCharts().first()).image, 1);
    }
};

LargeFiles &largeFiles()
{
    static LargeFiles *files = new LargeFiles; // never destroyed: outlives the application
    return *files;
}

struct LargeBox
{
    PictureBox box{QColor::fromRgb(PictureSurface::Background)};
    Calibration calibration;
    std::vector<float> rows;

    LargeBox()
    {
        const LargeFiles &files = largeFiles();
        box.setPicture(loadImageFile(files.png).image);
        calibration = {{float(files.design.start.x()), float(files.design.start.y())},
                       {float(files.design.end.x()), float(files.design.end.y())},
                       {0, 0, 10, 100},
                       AxisScale::LinearLinear};
        for (int k = 0; k < 1000; ++k)
            rows.push_back(float(files.design.start.y() - (k * 5) % 5000));
        box.setMarker(0, QLineF(592, 5600, 608, 5600));
        box.setMarkerVisible(0, true);
        box.addOverlay([this](QPainter &p) { paintCalibrationGrid(p, calibration, true); }, true);
        box.addOverlay([this](QPainter &p) { paintTraceMarks(p, 602, rows); }, true);
        box.show();
        QCoreApplication::processEvents();
    }
};

LargeBox &largeBox()
{
    static LargeBox *box = new LargeBox;
    return *box;
}

void BM_LoadLargePng(benchmark::State &bench)
{
    const QString path = largeFiles().png;
    for (auto _ : bench)
        benchmark::DoNotOptimize(loadImageFile(path).image.constBits());
}
BENCHMARK(BM_LoadLargePng)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LoadPdfPage300(benchmark::State &bench)
{
    const QString path = largeFiles().pdf;
    for (auto _ : bench)
        benchmark::DoNotOptimize(PdfPage::render(path, 1, 300).image.constBits());
}
BENCHMARK(BM_LoadPdfPage300)->Unit(benchmark::kMillisecond);

void BM_LargeRepaint(benchmark::State &bench)
{
    LargeBox &f = largeBox();
    if (bench.range(0) == 0)
        f.box.showWhole();
    else
        f.box.setView(PictureView{4, QPointF(3000, 2500)});
    for (auto _ : bench) {
        f.box.repaint();
        if (bench.range(0) == 0)
            f.box.showWhole(); // the same view: the scaled picture is kept
    }
}
BENCHMARK(BM_LargeRepaint)->Arg(0)->Arg(4)->ArgNames({"zoom"})->Unit(benchmark::kMillisecond);

} // namespace

double largePictureDecodedMb()
{
    return 8000.0 * 6000 * 4 / (1024 * 1024);
}

QString largePicturePath()
{
    return largeFiles().png;
}
