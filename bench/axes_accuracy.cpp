#include "axes_accuracy.h"

#include "calibration/calibration.h"
#include "chart_maker.h"
#include "digitize/auto_trace.h"
#include "axes/axis_finder.h"
#include "axes/label_reader.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QMap>

#include <cmath>
#include <cstdio>

namespace {

// The followed trace's mean error in pixels of the true row, under a
// calibration: what Ctrl+K, Ctrl+F and a click on the curve give. The click
// falls on the curve midway across the columns where it lies inside the
// calibrated rectangle (a curve that leaves it would else lose to a grid line
// running its whole width).
double traceError(const Chart &chart, const Calibration &calibration)
{
    TraceOptions options;
    options.follow = true;
    std::vector<QPointF> inside;
    for (int column = int(std::ceil(calibration.start.x)); column <= int(calibration.end.x); ++column) {
        const double row = chartRow(chart.design, chart.design.function(chartX(chart.design, column)));
        if (row >= calibration.end.y && row <= calibration.start.y)
            inside.emplace_back(column, row);
    }
    if (!inside.empty())
        options.seed = inside[inside.size() / 2];
    const TraceResult trace = traceCurve(chart.image, calibration, options);
    // Only where the curve lies inside the calibrated rectangle: found corners
    // at inner ticks (outer labels not read) trace a smaller rectangle.
    double sum = 0;
    int count = 0;
    for (size_t i = 0; i < trace.xs.size(); ++i) {
        const double truth = chartRow(chart.design, chart.design.function(trace.xs[i]));
        if (truth < calibration.end.y || truth > calibration.start.y)
            continue;
        sum += std::abs(chartRow(chart.design, trace.ys[i]) - truth);
        ++count;
    }
    return count ? sum / count : 0;
}

Calibration calibrationOf(QPointF start, QPointF end, double xs, double ys, double xe, double ye, AxisScale scale)
{
    return Calibration{{float(start.x()), float(start.y())}, {float(end.x()), float(end.y())}, {xs, ys, xe, ye}, scale};
}

} // namespace

namespace {

// What finding the axes gave on a set of charts.
struct Tally
{
    int found = 0, wrong = 0, total = 0, imprecise = 0;
    double worstCorner = 0, traceFound = 0, traceTrue = 0;
    qint64 slowest = 0, sum = 0;
    QMap<QString, int> reasons;
};

Tally tally(const QList<ChartDesign> &designs)
{
    Tally t;
    for (ChartDesign design : designs) {
        // The figure on a page of 1000 × 800 pixels, the size the time is asked for.
        design.size = QSize(1000, 800);
        const Chart chart = drawChart(design);
        QElapsedTimer clock;
        clock.start();
        const FoundAxes f = findAxes(chart.image, readTickLabel);
        const qint64 ms = clock.elapsed();
        t.slowest = std::max(t.slowest, ms);
        t.sum += ms;
        ++t.total;
        if (!f.found()) {
            t.reasons[f.failure.section(u':', 0, 0)]++;
            std::fprintf(stderr, "  not found: %s: %s\n", qPrintable(design.name), qPrintable(f.failure));
            continue;
        }
        const double error = cornerError(design, f.start, f.end, f.xs, f.ys, f.xe, f.ye);
        if (error > 1 || f.scale != design.axisScale) {
            ++t.wrong;
            std::fprintf(stderr, "  WRONG: %s: corner error %.2f px: %g,%g at (%.2f, %.2f), %g,%g at (%.2f, %.2f)\n",
                         qPrintable(design.name), error, f.xs, f.ys, f.start.x(), f.start.y(), f.xe, f.ye, f.end.x(), f.end.y());
            continue;
        }
        ++t.found;
        t.worstCorner = std::max(t.worstCorner, error);
        if (error > 0.5) {
            ++t.imprecise;
            std::fprintf(stderr, "  corner %.2f px off: %s\n", error, qPrintable(design.name));
        }
        const double withFound = traceError(chart, calibrationOf(f.start, f.end, f.xs, f.ys, f.xe, f.ye, f.scale));
        const double withTrue = traceError(chart, calibrationOf(design.start, design.end, design.xs, design.ys, design.xe,
                                                                design.ye, design.axisScale));
        if (std::abs(withFound - withTrue) > 0.05)
            std::fprintf(stderr, "  trace error %.3f px with the found calibration, %.3f with the true one: %s\n", withFound,
                         withTrue, qPrintable(design.name));
        t.traceFound += withFound;
        t.traceTrue += withTrue;
    }
    return t;
}

} // namespace

void printAxesAccuracy()
{
    const Tally t = tally(axisCharts());
    std::fprintf(stderr,
                 "\nFinding the axes on %d charts: %d found (%.1f %%), %d found wrongly (a corner over 1 px off or a "
                 "wrong scale), %d with a corner 0.5 to 1 px off; largest corner error %.2f px; %.0f ms per chart on "
                 "average, %lld ms at most\n"
                 "Trace on the found charts, mean error in pixels: %.3f with the found calibration, %.3f with the true one\n",
                 t.total, t.found, 100.0 * t.found / t.total, t.wrong, t.imprecise, t.worstCorner, double(t.sum) / t.total,
                 t.slowest, t.found ? t.traceFound / t.found : 0.0, t.found ? t.traceTrue / t.found : 0.0);
    for (auto it = t.reasons.begin(); it != t.reasons.end(); ++it)
        std::fprintf(stderr, "  not found, %s: %d\n", qPrintable(it.key()), it.value());
    // Misreadings that still fit a scale come with harder compression: the
    // same charts saved again as JPEG at lower qualities.
    for (const int quality : {30, 40, 50, 60}) {
        int found = 0, wrong = 0, total = 0;
        for (const ChartDesign &design : axisCharts() + offsetCharts()) {
            QImage picture = drawChart(design).image;
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            picture.save(&buffer, "JPEG", quality);
            picture.loadFromData(bytes, "JPEG");
            const FoundAxes f = findAxes(picture, readTickLabel);
            ++total;
            if (!f.found())
                continue;
            const bool right = cornerError(design, f.start, f.end, f.xs, f.ys, f.xe, f.ye) <= 1 && f.scale == design.axisScale;
            (right ? found : wrong)++;
            if (!right)
                std::fprintf(stderr, "  WRONG at JPEG quality %d: %s\n", quality, qPrintable(design.name));
        }
        std::fprintf(stderr, "JPEG at quality %d, %d charts: %d found, %d found wrongly\n", quality, total, found, wrong);
    }
    const Tally offsets = tally(offsetCharts());
    std::fprintf(stderr, "Plain text at the axis ends (offsets, 1e3), %d charts: %d found, %d found wrongly, largest corner error %.2f px\n",
                 offsets.total, offsets.found, offsets.wrong, offsets.worstCorner);
}
