#include "accuracy.h"

#include "document/work_state.h"
#include "chart_maker.h"
#include "digitize/auto_trace.h"
#include "fixtures.h"

#include <QBuffer>
#include <QImage>

#include <cmath>
#include <cstdio>

namespace {

// The chart stored in a format and read back, as a user's file would be.
QImage roundTrip(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 85);
    QImage back;
    back.loadFromData(bytes, format);
    return back.convertToFormat(QImage::Format_RGB32);
}

// The picture as the picture box shows it: the image at the top left of a
// light grey 1005 x 805 surface.
QImage onSurface(const QImage &image)
{
    QImage surface(PictureSurface::Size, QImage::Format_RGB32);
    surface.fill(qRgb(192, 192, 192));
    for (int y = 0; y < qMin(image.height(), 805); ++y)
        for (int x = 0; x < qMin(image.width(), 1005); ++x)
            surface.setPixel(x, y, image.pixel(x, y));
    return surface;
}

} // namespace

namespace {

// Traces one chart under one rule and measures each point against the
// drawn function. The true row of a column is where the drawn curve's centre
// crosses the column's middle, in the trace's pixel convention (a line
// covering row r alone is centred on r, half a pixel above its painted
// coordinate r + 0.5).
AccuracyRow measure(const ChartDesign &design, const char *format, const QString &rule, const TraceOptions &options)
{
    const QImage surface = onSurface(roundTrip(drawChart(design).image, format));
    const WorkState state = cornerState(design.axisScale, float(design.start.x()), float(design.start.y()),
                                        float(design.end.x()), float(design.end.y()));
    const Calibration calibration = calibrationOf(state, {design.xs, design.ys, design.xe, design.ye});
    const TraceResult trace = traceCurve(surface, calibration, options);

    AccuracyRow row;
    row.chart = design.name;
    row.format = QString::fromLatin1(format);
    row.rule = rule;
    row.lineWidth = design.lineWidth;
    row.points = trace.pointCount();
    double axisSum = 0, pixelSum = 0;
    for (int k = 0; k < row.points; ++k) {
        const double column = calibration.start.x + 2 + k;
        const double trueRow = chartRow(design, design.function(chartX(design, column + 0.5))) - 0.5;
        const double truth = chartY(design, trueRow);
        const double axisError = std::fabs(trace.ys[size_t(k)] - truth);
        const double pixelError = std::fabs(trace.pickedRows[size_t(k)] - trueRow);
        row.maxAxisError = std::max(row.maxAxisError, axisError);
        row.maxRelativeError = std::max(row.maxRelativeError, axisError / std::fabs(truth));
        row.maxPixelError = std::max(row.maxPixelError, pixelError);
        axisSum += axisError;
        pixelSum += pixelError;
    }
    row.meanAxisError = axisSum / row.points;
    row.meanPixelError = pixelSum / row.points;
    return row;
}

} // namespace

QList<AccuracyRow> measureAccuracy()
{
    QList<AccuracyRow> rows;
    TraceOptions centre;
    centre.line = LineRule::Centre;
    for (const ChartDesign &base : sampleCharts()) {
        for (int width : {1, 2, 3}) {
            for (const char *format : {"bmp", "jpg"}) {
                ChartDesign design = base;
                design.lineWidth = width;
                rows << measure(design, format, QStringLiteral("top"), TraceOptions());
                rows << measure(design, format, QStringLiteral("centre"), centre);
            }
        }
    }
    // A 1-pixel antialiased line keeps too little of its colour (JPEG's
    // chroma subsampling greys it out entirely) to be told from grey by colour.
    for (int width : {2, 3}) {
        for (const char *format : {"bmp", "jpg"}) {
            ChartDesign design = colouredChart();
            design.lineWidth = width;
            TraceOptions colour;
            colour.colour = design.curveColour.rgb();
            colour.tolerance = 100; // JPEG darkens a thin red line to about 60 from its colour
            rows << measure(design, format, QStringLiteral("colour"), colour);
            colour.line = LineRule::Centre;
            rows << measure(design, format, QStringLiteral("colour+centre"), colour);
        }
    }
    return rows;
}

void printAccuracy(const QList<AccuracyRow> &rows)
{
    std::fprintf(stderr, "\nTracing accuracy (traced Y against the drawn function; pixel error = picked row - true row)\n");
    std::fprintf(stderr, "%-11s %-6s %-13s %5s %6s %12s %12s %10s %9s %9s\n", "chart", "format", "rule", "width",
                 "points", "max |dY|", "mean |dY|", "max rel", "max px", "mean px");
    for (const AccuracyRow &r : rows) {
        std::fprintf(stderr, "%-11s %-6s %-13s %5d %6d %12.4g %12.4g %9.2f%% %9.2f %9.2f\n", qPrintable(r.chart),
                    qPrintable(r.format), qPrintable(r.rule), r.lineWidth, r.points, r.maxAxisError, r.meanAxisError,
                    100 * r.maxRelativeError, r.maxPixelError, r.meanPixelError);
    }
}

namespace {

FigureRow measureFigure(const ChartDesign &design, const char *format, const QString &rule, TraceOptions options)
{
    const QImage surface = onSurface(roundTrip(drawChart(design).image, format));
    const WorkState state = cornerState(design.axisScale, float(design.start.x()), float(design.start.y()),
                                        float(design.end.x()), float(design.end.y()));
    const Calibration calibration = calibrationOf(state, {design.xs, design.ys, design.xe, design.ye});
    const TraceResult trace = traceCurve(surface, calibration, options);
    const TraceQuality quality = traceQuality(surface, calibration, options, trace);

    FigureRow row;
    row.chart = design.name;
    row.format = QString::fromLatin1(format);
    row.rule = rule;
    row.points = trace.pointCount();
    row.bridged = int(trace.bridged.size());
    row.flagged = int(quality.suspect.size());
    double sum = 0;
    int counted = 0;
    for (int k = 0; k < row.points; ++k) {
        const double column = calibration.start.x + 2 + trace.firstColumn + k;
        const double trueRow = chartRow(design, design.function(chartX(design, column + 0.5))) - 0.5;
        const double error = std::fabs(trace.pickedRows[size_t(k)] - trueRow);
        if (error > 3) {
            ++row.over3;
            // The report's two lists, as the overlay marks them.
            if (!std::binary_search(quality.suspect.begin(), quality.suspect.end(), k)
                && !std::binary_search(quality.bridged.begin(), quality.bridged.end(), k))
                ++row.missed;
        }
        if (std::binary_search(trace.bridged.begin(), trace.bridged.end(), k))
            continue;
        row.maxPixelError = std::max(row.maxPixelError, error);
        sum += error;
        ++counted;
    }
    row.meanPixelError = counted ? sum / counted : 0;
    return row;
}

} // namespace

QList<FigureRow> measureRealFigures()
{
    QList<FigureRow> rows;
    for (const ChartDesign &design : realFigureCharts()) {
        TraceOptions base;
        // Several curves: the wanted one is given by a click on it, or its colour.
        if (!design.otherCurves.isEmpty()) {
            const double x = design.start.x() + 30.5;
            base.seed = QPointF(x, chartRow(design, design.function(chartX(design, x))));
        }
        if (design.lineWidth == 1)
            base.colour = design.curveColour.rgb();
        for (const char *format : {"bmp", "jpg"}) {
            for (const auto &[rule, follow, centre] :
                 {std::tuple{"window", false, false}, std::tuple{"centre", false, true}, std::tuple{"follow", true, false},
                  std::tuple{"follow+centre", true, true}}) {
                // The window's rule ignores the seed; its report follows it.
                TraceOptions options = base;
                options.follow = follow;
                options.line = centre ? LineRule::Centre : LineRule::Top;
                rows << measureFigure(design, format, QString::fromLatin1(rule), options);
            }
        }
    }
    return rows;
}

void printRealFigures(const QList<FigureRow> &rows)
{
    std::fprintf(stderr, "\nReal figures (pixel error of the picked row against the drawn curve; mean and max outside "
                         "bridged columns)\n");
    std::fprintf(stderr, "%-13s %-6s %-13s %6s %7s %8s %8s %7s %7s %7s %6s\n", "chart", "format", "rule", "points",
                 "bridged", "mean px", "max px", ">3 px", "share", "flagged", "missed");
    for (const FigureRow &r : rows) {
        std::fprintf(stderr, "%-13s %-6s %-13s %6d %7d %8.3f %8.2f %7d %6.2f%% %7d %6d\n", qPrintable(r.chart),
                     qPrintable(r.format), qPrintable(r.rule), r.points, r.bridged, r.meanPixelError, r.maxPixelError,
                     r.over3, r.points ? 100.0 * r.over3 / r.points : 0.0, r.flagged, r.missed);
    }
}
