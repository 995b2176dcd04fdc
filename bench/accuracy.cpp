#include "accuracy.h"

#include "calibration/work_state.h"
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
    QImage surface(1005, 805, QImage::Format_RGB32);
    surface.fill(qRgb(192, 192, 192));
    for (int y = 0; y < qMin(image.height(), 805); ++y)
        for (int x = 0; x < qMin(image.width(), 1005); ++x)
            surface.setPixel(x, y, image.pixel(x, y));
    return surface;
}

} // namespace

QList<AccuracyRow> measureAccuracy()
{
    QList<AccuracyRow> rows;
    for (const ChartDesign &base : sampleCharts()) {
        for (int width : {1, 2, 3}) {
            for (const char *format : {"bmp", "jpg"}) {
                ChartDesign design = base;
                design.lineWidth = width;
                const Chart chart = drawChart(design);
                const QImage surface = onSurface(roundTrip(chart.image, format));

                WorkState state = cornerState(design.axisScale, float(design.start.x()), float(design.start.y()),
                                              float(design.end.x()), float(design.end.y()));
                storeTrace(traceCurve(surface, Calibration::fromState(state, CornerValues{design.xs, design.ys,
                                                                                          design.xe, design.ye})),
                           state);

                AccuracyRow row;
                row.chart = design.name;
                row.format = QString::fromLatin1(format);
                row.lineWidth = width;
                row.points = *state.PointCount;
                double axisSum = 0, pixelSum = 0;
                for (int k = 1; k <= row.points; ++k) {
                    const double truth = design.function(state.Points[0][size_t(k)]);
                    const double axisError = std::fabs(state.Points[1][size_t(k)] - truth);
                    const double pixelError = std::fabs(state.CurveY[size_t(k)] - chartRow(design, truth));
                    row.maxAxisError = std::max(row.maxAxisError, axisError);
                    row.maxRelativeError = std::max(row.maxRelativeError, axisError / std::fabs(truth));
                    row.maxPixelError = std::max(row.maxPixelError, pixelError);
                    axisSum += axisError;
                    pixelSum += pixelError;
                }
                row.meanAxisError = axisSum / row.points;
                row.meanPixelError = pixelSum / row.points;
                rows << row;
            }
        }
    }
    return rows;
}

void printAccuracy(const QList<AccuracyRow> &rows)
{
    std::fprintf(stderr, "\nTracing accuracy (traced Y against the drawn function; pixel error = picked row - true row)\n");
    std::fprintf(stderr, "%-11s %-6s %5s %6s %12s %12s %10s %9s %9s\n", "chart", "format", "width", "points",
                "max |dY|", "mean |dY|", "max rel", "max px", "mean px");
    for (const AccuracyRow &r : rows) {
        std::fprintf(stderr, "%-11s %-6s %5d %6d %12.4g %12.4g %9.2f%% %9.2f %9.2f\n", qPrintable(r.chart),
                    qPrintable(r.format), r.lineWidth, r.points, r.maxAxisError, r.meanAxisError,
                    100 * r.maxRelativeError, r.maxPixelError, r.meanPixelError);
    }
}
