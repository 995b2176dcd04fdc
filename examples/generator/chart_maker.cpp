#include "chart_maker.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

bool xLog(const ChartDesign &s) { return isXLogarithmic(s.axisScale); }
bool yLog(const ChartDesign &s) { return isYLogarithmic(s.axisScale); }

double interpolate(double a, double b, double t, bool logarithmic)
{
    return logarithmic ? a * std::pow(b / a, t) : a + (b - a) * t;
}

double fraction(double a, double b, double v, bool logarithmic)
{
    return logarithmic ? std::log(v / a) / std::log(b / a) : (v - a) / (b - a);
}

// Grid values: every decade on a logarithmic axis, ten steps on a linear one.
QList<double> gridValues(double a, double b, bool logarithmic)
{
    QList<double> out;
    if (logarithmic) {
        for (double v = std::pow(10.0, std::ceil(std::log10(a) - 1e-9)); v <= b * 1.0000001; v *= 10)
            out << v;
    } else {
        for (int i = 0; i <= 10; ++i)
            out << a + (b - a) * i / 10.0;
    }
    return out;
}

QString label(double v)
{
    return QString::number(v, 'g', 6);
}

} // namespace

double chartX(const ChartDesign &s, double px)
{
    return interpolate(s.xs, s.xe, (px - s.start.x()) / double(s.end.x() - s.start.x()), xLog(s));
}

double chartY(const ChartDesign &s, double py)
{
    return interpolate(s.ys, s.ye, (s.start.y() - py) / double(s.start.y() - s.end.y()), yLog(s));
}

double chartRow(const ChartDesign &s, double y)
{
    return s.start.y() - fraction(s.ys, s.ye, y, yLog(s)) * (s.start.y() - s.end.y());
}

Chart drawChart(const ChartDesign &design)
{
    QImage image(design.size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    const QRect frame(QPoint(design.start.x(), design.end.y()), QPoint(design.end.x(), design.start.y()));

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    p.setFont(font);
    for (double v : gridValues(design.xs, design.xe, xLog(design))) {
        const int x = int(std::lround(frame.left() + fraction(design.xs, design.xe, v, xLog(design)) * frame.width()));
        p.setPen(QPen(design.gridColour, 1));
        p.drawLine(x, frame.top(), x, frame.bottom());
        p.setPen(Qt::black);
        p.drawText(QRect(x - 40, frame.bottom() + 6, 80, 18), Qt::AlignHCenter | Qt::AlignTop, label(v));
    }
    for (double v : gridValues(design.ys, design.ye, yLog(design))) {
        const int y = int(std::lround(frame.bottom() - fraction(design.ys, design.ye, v, yLog(design)) * frame.height()));
        p.setPen(QPen(design.gridColour, 1));
        p.drawLine(frame.left(), y, frame.right(), y);
        p.setPen(Qt::black);
        p.drawText(QRect(frame.left() - 76, y - 9, 70, 18), Qt::AlignRight | Qt::AlignVCenter, label(v));
    }
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(frame);

    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(frame.adjusted(1, 1, 0, 0));
    auto path = [&](const std::function<double(double)> &function) {
        QPainterPath curve;
        for (double px = design.start.x(); px <= design.end.x(); px += 0.25) {
            const QPointF point(px, chartRow(design, function(chartX(design, px))));
            if (curve.elementCount() == 0)
                curve.moveTo(point);
            else
                curve.lineTo(point);
        }
        return curve;
    };
    if (design.secondFunction) {
        p.setPen(QPen(Qt::black, design.lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path(design.secondFunction));
    }
    p.setPen(QPen(design.curveColour, design.lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path(design.function));
    return {design, image};
}

QList<ChartDesign> sampleCharts()
{
    ChartDesign linear;
    linear.name = QStringLiteral("linear");
    linear.axisScale = AxisScale::LinearLinear;
    linear.xs = 0;
    linear.xe = 10;
    linear.ys = 0;
    linear.ye = 100;
    linear.function = [](double x) { return 50 + 40 * std::sin(x * 0.8) * std::exp(-x / 8); };

    ChartDesign linearLog;
    linearLog.name = QStringLiteral("linear_log");
    linearLog.axisScale = AxisScale::LinearLog;
    linearLog.xs = 0;
    linearLog.xe = 50;
    linearLog.ys = 1;
    linearLog.ye = 10000;
    linearLog.function = [](double x) { return 2 * std::exp(x / 7); };

    ChartDesign logLog;
    logLog.name = QStringLiteral("log_log");
    logLog.axisScale = AxisScale::LogLog;
    logLog.xs = 1;
    logLog.xe = 1000;
    logLog.ys = 0.01;
    logLog.ye = 100;
    logLog.function = [](double x) { return 50 / (1 + std::pow(x / 30, 2)); };
    return {linear, linearLog, logLog};
}

ChartDesign colouredChart()
{
    ChartDesign design = sampleCharts().first();
    design.name = QStringLiteral("coloured");
    design.curveColour = QColor(214, 39, 40);
    design.gridColour = Qt::black;
    design.secondFunction = [](double x) { return 20 + 7 * x; };
    return design;
}
