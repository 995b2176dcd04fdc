// The precision aids' speed: one loupe update and one repaint of the picture
// with every overlay on, over a 1000 x 800 chart with a 1000-point trace.
#include "app/loupe.h"
#include "app/picture_box.h"
#include "app/picture_overlays.h"
#include "calibration/calibration.h"
#include "chart_maker.h"
#include "digitize/auto_trace.h"
#include "digitize/trace_bounds.h"
#include "fixtures.h"

#include <QCoreApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

struct AidsFixture
{
    PictureBox box{QColor::fromRgb(PictureSurface::Background)};
    WorkState state = cornerState(AxisScale::LinearLog, 0, 790, 1004, 10);
    Calibration calibration;

    AidsFixture()
    {
        ChartDesign design = sampleCharts()[1];
        design.size = QSize(1000, 800);
        design.start = QPoint(0, 790);
        design.end = QPoint(1004, 10);
        box.setPicture(drawChart(design).image);
        calibration = calibrationOf(state, {design.xs, design.ys, design.xe, design.ye});
        storeTrace(traceCurve(box.surface(), calibration), state);
        const float first = TraceBounds::of(calibration).firstColumn;
        box.addOverlay([this](QPainter &p) { paintCalibrationGrid(p, calibration, true); }, true);
        box.addOverlay([this, first](QPainter &p) { paintTraceMarks(p, first, state.pickedRows()); }, true);
        box.show();
        QCoreApplication::processEvents();
    }
};

AidsFixture &aidsFixture()
{
    // Never destroyed: its widget must not outlive the application object,
    // which main() ends before static objects go.
    static AidsFixture *fixture = new AidsFixture;
    return *fixture;
}

void BM_LoupeUpdate(benchmark::State &bench)
{
    AidsFixture &f = aidsFixture();
    Loupe loupe(nullptr);
    int x = 100;
    for (auto _ : bench) {
        const QPoint pixel(x, 400);
        loupe.showAt(f.box.rendered(QRect(pixel - QPoint(10, 10), QSize(21, 21))), pixel, QPoint(500, 400));
        loupe.repaint();
        x = x < 900 ? x + 1 : 100;
    }
}
BENCHMARK(BM_LoupeUpdate)->Unit(benchmark::kMillisecond);

void BM_OverlayRepaint(benchmark::State &bench)
{
    AidsFixture &f = aidsFixture();
    if (f.state.PointCount != 1000)
        bench.SkipWithError("the trace should have 1000 points");
    for (auto _ : bench)
        f.box.repaint();
}
BENCHMARK(BM_OverlayRepaint)->Unit(benchmark::kMillisecond);

} // namespace
