#include "chart_maker.h"

#include <QBuffer>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
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

// The whole pixel a tick at value v is drawn on.
int tickColumn(const ChartDesign &design, double v)
{
    return int(std::lround(design.start.x() + fraction(design.xs, design.xe, v, xLog(design)) * (design.end.x() - design.start.x())));
}

int tickRow(const ChartDesign &design, double v)
{
    return int(std::lround(design.start.y() - fraction(design.ys, design.ye, v, yLog(design)) * (design.start.y() - design.end.y())));
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

// A label's text; a typeset exponent comes apart, to be drawn smaller and raised.
struct LabelText
{
    QString main;
    QString raised;
};

QString withTrueMinus(QString text) { return text.replace(u'-', QChar(0x2212)); }

LabelText styledLabel(const ChartDesign &design, double v, bool logarithmic, int multiplier, double offset)
{
    if (design.labels == ChartDesign::Labels::RaisedPowers && logarithmic) {
        const int exponent = int(std::lround(std::log10(v)));
        if (design.typesetPowers)
            return {QStringLiteral("10"), withTrueMinus(QString::number(exponent))};
        static const QString raised = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
        QString text = QStringLiteral("10");
        if (exponent < 0)
            text += QChar(0x207B);
        for (const QChar digit : QString::number(std::abs(exponent)))
            text += raised.at(digit.digitValue());
        return {text, {}};
    }
    v -= offset;
    const double shown = multiplier ? QLocale::c().toDouble(label(v) + u'e' + QString::number(-multiplier)) : v;
    return {withTrueMinus(design.labels == ChartDesign::Labels::Thousands ? QLocale(QLocale::English).toString(shown, 'g', 6)
                                                                           : label(shown)),
            {}};
}

// Draws a label aligned in the rectangle; a raised part in a font of 70 %,
// its baseline lifted by 45 % of the main font's size.
void drawLabel(QPainter &p, const QRect &rect, Qt::Alignment alignment, const LabelText &text)
{
    if (text.raised.isEmpty()) {
        p.drawText(rect, int(alignment), text.main);
        return;
    }
    const QFont font = p.font();
    QFont small = font;
    small.setPixelSize(int(std::lround(0.7 * font.pixelSize())));
    const QFontMetricsF metrics(font), smallMetrics(small);
    const double mainWidth = metrics.horizontalAdvance(text.main);
    const double width = mainWidth + smallMetrics.horizontalAdvance(text.raised);
    const double left = alignment & Qt::AlignRight ? rect.right() + 1 - width
                        : alignment & Qt::AlignHCenter ? rect.center().x() + 0.5 - width / 2
                                                       : rect.left();
    const double baseline = alignment & Qt::AlignTop ? rect.top() + metrics.ascent()
                            : alignment & Qt::AlignBottom ? rect.bottom() + 1 - metrics.descent()
                                                          : rect.center().y() + 0.5 + (metrics.ascent() - metrics.descent()) / 2;
    p.drawText(QPointF(std::round(left), baseline), text.main);
    p.setFont(small);
    p.drawText(QPointF(std::round(left + mainWidth), std::round(baseline - 0.45 * font.pixelSize())), text.raised);
    p.setFont(font);
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

double chartColumn(const ChartDesign &s, double x)
{
    return s.start.x() + fraction(s.xs, s.xe, x, xLog(s)) * (s.end.x() - s.start.x());
}

double cornerError(const ChartDesign &d, QPointF start, QPointF end, double xs, double ys, double xe, double ye)
{
    return std::max({std::abs(chartColumn(d, xs) - start.x()), std::abs(chartColumn(d, xe) - end.x()),
                     std::abs(chartRow(d, ys) - start.y()), std::abs(chartRow(d, ye) - end.y())});
}

Chart drawChart(const ChartDesign &design)
{
    QImage image(design.size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    const QRect frame(QPoint(design.start.x(), design.end.y()), QPoint(design.end.x(), design.start.y()));

    QFont font(design.labelFamily);
    font.setPixelSize(design.labelPixelSize);
    p.setFont(font);
    constexpr int TickLength = 7;
    const int out = design.outwardTicks ? 5 : 0; // labels move out past outward ticks
    const int textHeight = design.labelPixelSize + 8;
    // The rows and columns the axes and their ticks and labels hang from.
    const int offset = design.box ? 0 : design.axisOffset;
    const int xAxisRow = frame.bottom() + offset, yAxisColumn = frame.left() - offset;
    for (double v : gridValues(design.xs, design.xe, xLog(design))) {
        const int x = tickColumn(design, v);
        p.setPen(QPen(design.gridColour, 1));
        if (design.grid)
            p.drawLine(x, frame.top(), x, frame.bottom());
        p.setPen(Qt::black);
        if (design.inwardTicks) {
            p.drawLine(x, xAxisRow, x, xAxisRow - TickLength);
            p.drawLine(x, frame.top(), x, frame.top() + TickLength);
        }
        if (design.outwardTicks)
            p.drawLine(x, xAxisRow + 1, x, xAxisRow + out);
        drawLabel(p, QRect(x - 60, xAxisRow + 6 + out, 120, textHeight), Qt::AlignHCenter | Qt::AlignTop,
                  styledLabel(design, v, xLog(design), design.xMultiplier, design.xOffset));
    }
    for (double v : gridValues(design.ys, design.ye, yLog(design))) {
        const int y = tickRow(design, v);
        p.setPen(QPen(design.gridColour, 1));
        if (design.grid)
            p.drawLine(frame.left(), y, frame.right(), y);
        p.setPen(Qt::black);
        if (design.inwardTicks) {
            p.drawLine(yAxisColumn, y, yAxisColumn + TickLength, y);
            p.drawLine(frame.right(), y, frame.right() - TickLength, y);
        }
        if (design.outwardTicks)
            p.drawLine(yAxisColumn - out, y, yAxisColumn - 1, y);
        drawLabel(p, QRect(yAxisColumn - 136 - out, y - textHeight / 2, 130, textHeight), Qt::AlignRight | Qt::AlignVCenter,
                  styledLabel(design, v, yLog(design), design.yMultiplier, design.yOffset));
    }
    if (design.minorTicks) {
        constexpr int MinorLength = 4;
        p.setPen(Qt::black);
        auto minorValues = [](double a, double b) {
            QList<double> out;
            for (double decade = std::pow(10.0, std::floor(std::log10(a) + 1e-9)); decade < b; decade *= 10) {
                for (int m = 2; m <= 9; ++m) {
                    if (decade * m > a && decade * m < b)
                        out << decade * m;
                }
            }
            return out;
        };
        if (xLog(design)) {
            for (double v : minorValues(design.xs, design.xe)) {
                const int x = tickColumn(design, v);
                if (design.outwardTicks)
                    p.drawLine(x, xAxisRow + 1, x, xAxisRow + MinorLength);
                else
                    p.drawLine(x, xAxisRow, x, xAxisRow - MinorLength);
            }
        }
        if (yLog(design)) {
            for (double v : minorValues(design.ys, design.ye)) {
                const int y = tickRow(design, v);
                if (design.outwardTicks)
                    p.drawLine(yAxisColumn - MinorLength, y, yAxisColumn - 1, y);
                else
                    p.drawLine(yAxisColumn, y, yAxisColumn + MinorLength, y);
            }
        }
    }
    // Where plotting programs put an axis-wide multiplier or offset: under
    // the X axis's right end, below its labels, and over the Y axis, at its left.
    auto endText = [&](int n, double offset) {
        if (offset == 0 && !design.plainMultipliers)
            return LabelText{QStringLiteral("×10"), withTrueMinus(QString::number(n))};
        const QString sum = (n ? QStringLiteral("1e") + QString::number(n) : QString()) + (offset ? u'+' + label(offset) : QString());
        return LabelText{withTrueMinus(sum), {}};
    };
    if (design.xMultiplier || design.xOffset)
        drawLabel(p, QRect(frame.right() - 200, xAxisRow + 8 + out + textHeight, 200, textHeight),
                  Qt::AlignRight | Qt::AlignTop, endText(design.xMultiplier, design.xOffset));
    if (design.yMultiplier || design.yOffset)
        drawLabel(p, QRect(yAxisColumn, frame.top() - 4 - textHeight, 200, textHeight), Qt::AlignLeft | Qt::AlignBottom,
                  endText(design.yMultiplier, design.yOffset));
    p.setPen(QPen(Qt::black, 1));
    if (design.box) {
        p.drawRect(frame);
    } else if (offset > 0) {
        const QList<double> xs = gridValues(design.xs, design.xe, xLog(design)), ys = gridValues(design.ys, design.ye, yLog(design));
        p.drawLine(tickColumn(design, xs.front()), xAxisRow + 1, tickColumn(design, xs.back()), xAxisRow + 1);
        p.drawLine(yAxisColumn, tickRow(design, ys.back()), yAxisColumn, tickRow(design, ys.front()));
    } else {
        p.drawLine(frame.left(), frame.bottom() + 1, frame.right() + 1, frame.bottom() + 1);
        p.drawLine(frame.left(), frame.top(), frame.left(), frame.bottom() + 1);
    }

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
    QPen curvePen(design.curveColour, design.lineWidth, design.dashed ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap,
                  Qt::RoundJoin);
    if (!design.dashed)
        curvePen.setCapStyle(Qt::RoundCap);
    p.setPen(curvePen);
    p.drawPath(path(design.function));
    if (design.markers) {
        p.setPen(Qt::NoPen);
        p.setBrush(design.curveColour);
        for (int px = design.start.x() + MarkerSpacing / 2; px < design.end.x(); px += MarkerSpacing)
            p.drawEllipse(QPointF(px, chartRow(design, design.function(chartX(design, px)))), 4, 4);
        p.setBrush(Qt::NoBrush);
    }
    for (const ChartDesign::OtherCurve &other : design.otherCurves) {
        p.setPen(QPen(other.colour, design.lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path(other.function));
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    if (!design.annotation.isEmpty()) {
        p.setPen(Qt::black);
        p.drawText(QPointF(frame.left() + 0.55 * frame.width(), frame.bottom() - 0.08 * frame.height()),
                   design.annotation);
    }
    if (design.legend) {
        // Upper left, as a plotting program's "best" place puts it where the curves leave room.
        const int entries = 1 + int(design.otherCurves.size());
        const QRect box(frame.left() + 12, frame.top() + 12, 150, 10 + 20 * entries);
        p.setPen(QPen(QColor(204, 204, 204), 1));
        p.setBrush(Qt::white);
        p.drawRect(box);
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < entries; ++i) {
            const QColor colour = i == 0 ? design.curveColour : design.otherCurves[i - 1].colour;
            const int y = box.top() + 15 + 20 * i;
            p.setPen(QPen(colour, design.lineWidth));
            p.drawLine(box.left() + 8, y, box.left() + 38, y);
            p.setPen(Qt::black);
            p.drawText(QPoint(box.left() + 46, y + 5), i == 0 ? QStringLiteral("measured") : QStringLiteral("model %1").arg(i));
        }
    }
    p.end();
    if (design.jpeg) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPEG", 75);
        image = QImage::fromData(bytes, "JPEG").convertToFormat(QImage::Format_RGB32);
    }
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

QList<ChartDesign> realFigureCharts()
{
    const ChartDesign base = sampleCharts().first();
    auto kind = [&](const char *name) {
        ChartDesign design = base;
        design.name = QString::fromLatin1(name);
        return design;
    };
    const QList<ChartDesign::OtherCurve> crossing{
        {[](double x) { return 95 - 8 * x; }, QColor(214, 39, 40)},
        {[](double x) { return 12 + 7 * x; }, QColor(44, 160, 44)}};
    QList<ChartDesign> charts;
    ChartDesign legend = kind("legend");
    legend.legend = true;
    ChartDesign ticks = kind("inward ticks");
    ticks.inwardTicks = true;
    ticks.grid = false;
    ChartDesign markers = kind("markers");
    markers.markers = true;
    ChartDesign dashed = kind("dashed");
    dashed.dashed = true;
    ChartDesign annotation = kind("annotation");
    annotation.annotation = QStringLiteral("Fig. 3: damped response, T = 8 s");
    ChartDesign crossed = kind("crossing");
    crossed.otherCurves = crossing;
    ChartDesign thin = kind("thin coloured");
    thin.lineWidth = 1;
    thin.curveColour = QColor(255, 127, 14);
    ChartDesign all = kind("everything");
    all.legend = all.inwardTicks = all.markers = all.dashed = true;
    all.annotation = annotation.annotation;
    all.otherCurves = crossing;
    return {legend, ticks, markers, dashed, annotation, crossed, thin, all};
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

namespace {

const QStringList AxisFamilies{QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Serif"),
                               QStringLiteral("Liberation Sans"), QStringLiteral("IPAGothic")};
const QList<int> AxisSizes{11, 13, 16, 19}; // 8, 10, 12 and 14 points at 96 dpi

ChartDesign axisChart(int kind, const QString &family, int size)
{
    ChartDesign d = sampleCharts().at(kind == 3 ? 2 : kind == 5 ? 1 : 0);
    d.labelFamily = family;
    d.labelPixelSize = size;
    d.start = QPoint(150, 520);
    d.size = QSize(820, 600);
    switch (kind) {
    case 0: // plain, inward ticks, legend
        d.inwardTicks = true;
        d.legend = true;
        break;
    case 1: // negative and decimal values, outward ticks, two axes, no grid
        d.xs = -5, d.xe = 5, d.ys = -1, d.ye = 1;
        d.function = [](double x) { return 0.8 * std::sin(x); };
        d.outwardTicks = true;
        d.box = false;
        d.grid = false;
        break;
    case 2: // grouped thousands, outward ticks, grid, JPEG
        d.xs = 0, d.xe = 10000, d.ys = 0, d.ye = 5000;
        d.function = [](double x) { return 2500 + 2000 * std::sin(x / 1500); };
        d.labels = ChartDesign::Labels::Thousands;
        d.outwardTicks = true;
        d.jpeg = true;
        break;
    case 3: // logarithmic, powers of ten with superscript exponents
        d.labels = ChartDesign::Labels::RaisedPowers;
        break;
    case 4: // multipliers at both axis ends, inward ticks, no grid
    case 7: // the same written plainly ("1e3"), outward ticks, grid
        d.xs = 0, d.xe = 5000, d.ys = 0, d.ye = 0.002;
        d.function = [](double x) { return 0.001 + 0.0008 * std::cos(x / 700); };
        d.xMultiplier = 3;
        d.yMultiplier = -3;
        d.plainMultipliers = kind == 7;
        d.inwardTicks = kind == 4;
        d.outwardTicks = kind == 7;
        d.grid = kind == 7;
        d.end = QPoint(770, 60);
        break;
    case 6: // offsets at both axis ends, the Y one after a multiplier, outward ticks, grid
        d.xs = 1000, d.xe = 1000.5, d.ys = 20, d.ye = 20.002;
        d.function = [](double x) { return 20.001 + 0.0008 * std::sin((x - 1000) * 12); };
        d.xOffset = 1000;
        d.yOffset = 20;
        d.yMultiplier = -3;
        d.outwardTicks = true;
        d.end = QPoint(770, 60);
        break;
    default: // logarithmic Y with typeset powers of ten and minor ticks, two axes, outward ticks, JPEG
        d.labels = ChartDesign::Labels::RaisedPowers;
        d.typesetPowers = true;
        d.minorTicks = true;
        d.outwardTicks = true;
        d.box = false;
        d.jpeg = true;
        break;
    }
    d.name = QStringLiteral("axes %1 %2 %3px").arg(kind).arg(family).arg(size);
    return d;
}

QList<ChartDesign> axisChartsOf(int firstKind, int lastKind)
{
    QList<ChartDesign> out;
    for (int kind = firstKind; kind <= lastKind; ++kind) {
        for (const QString &family : AxisFamilies) {
            for (const int size : AxisSizes)
                out << axisChart(kind, family, size);
        }
    }
    return out;
}

} // namespace

QList<ChartDesign> axisCharts()
{
    return axisChartsOf(0, 5);
}

QList<ChartDesign> offsetCharts()
{
    return axisChartsOf(6, 7);
}
