#pragma once

#include "calibration/axis_scale.h"

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QString>

#include <functional>

// A chart of a known function, drawn the way published figures look: a frame,
// light grid lines and a dark curve on white. Used for the sample images, the
// end-to-end tests and the accuracy report.
struct ChartDesign
{
    QString name;
    AxisScale axisScale = AxisScale::LinearLinear;
    double xs = 0, ys = 0, xe = 1, ye = 1; // axis values at the two corners
    std::function<double(double)> function;
    int lineWidth = 2;
    QColor curveColour = QColor(0, 0, 150);
    QColor gridColour = QColor(215, 215, 215);
    // A second curve drawn in black under the first, when set.
    std::function<double(double)> secondFunction;

    // What real figures carry besides the curve; each is off unless set.
    bool grid = true;         // grid lines at the tick values
    bool inwardTicks = false; // tick marks pointing inwards on all four sides
    bool legend = false;      // a legend box inside the frame, where the curves leave room
    bool markers = false;     // filled circles on the curve every MarkerSpacing pixels
    bool dashed = false;      // the curve dashed
    QString annotation;       // a text inside the frame, below the curve
    // More curves in other colours, drawn over the first, which they cross.
    struct OtherCurve
    {
        std::function<double(double)> function;
        QColor colour;
    };
    QList<OtherCurve> otherCurves;
    // How the axes look, as plotting programs vary them.
    QString labelFamily = QStringLiteral("DejaVu Sans");
    int labelPixelSize = 13;
    bool outwardTicks = false; // tick marks pointing out of the frame, below and left
    bool minorTicks = false;   // shorter ticks at 2 … 9 times each decade of a logarithmic axis
    bool box = true;           // the full frame; else the two axes only
    // Without the frame: the axes moved out from the data by this many
    // pixels, each ending at its outer ticks, as some styles draw them.
    int axisOffset = 0;
    enum class Labels { Plain, Thousands, RaisedPowers };
    Labels labels = Labels::Plain; // negative numbers always with a true minus
    // Exponents set in a smaller font and raised, as plotting programs typeset
    // them, rather than with the font's superscript characters.
    bool typesetPowers = false;
    // An axis-wide multiplier 10^n: the labels show the values divided by it,
    // and "×10ⁿ" stands under the X axis's right end or over the Y axis's top.
    int xMultiplier = 0, yMultiplier = 0;
    // An axis-wide offset: the labels show the values less it (then divided
    // by the multiplier), and "+offset" stands where the multiplier does,
    // after it written "1e-3" as plotting programs do then.
    double xOffset = 0, yOffset = 0;
    // A multiplier written "1e3" rather than "×10³", as plotting programs do by default.
    bool plainMultipliers = false;
    bool jpeg = false;             // saved and read back as JPEG at quality 75
    QSize size = QSize(800, 600);
    QPoint start = QPoint(80, 540); // lower left corner of the frame
    QPoint end = QPoint(770, 30);   // upper right corner
};

struct Chart
{
    ChartDesign design;
    QImage image;
};

Chart drawChart(const ChartDesign &design);

// The axis value at a picture column or row, and the reverse, under the
// chart's calibration (exact, in double precision).
double chartX(const ChartDesign &design, double px);
double chartY(const ChartDesign &design, double py);
double chartRow(const ChartDesign &design, double y);
double chartColumn(const ChartDesign &design, double x);

// How far a proposed calibration's corners lie from where the chart's own
// calibration puts their values: the largest of the four distances, in pixels.
double cornerError(const ChartDesign &design, QPointF start, QPointF end, double xs, double ys, double xe, double ye);

// The three sample charts shipped in examples/.
QList<ChartDesign> sampleCharts();

// A red curve drawn over black grid lines and a second, black curve that it crosses.
ChartDesign colouredChart();

inline constexpr int MarkerSpacing = 40;

// The linear sample chart with one of the things real figures carry, each
// named: "legend", "inward ticks", "markers", "dashed", "annotation",
// "crossing" (three curves), "thin coloured" (a 1-pixel antialiased coloured
// line), "everything" (all of them at once).
QList<ChartDesign> realFigureCharts();

// Charts whose axes look as real figures' do, for finding the axes: four
// fonts, sizes from 8 to 14 points, linear axes with negative, decimal and
// grouped values, logarithmic axes labelled as powers of ten with raised
// exponents (superscript characters or typeset), multipliers at the axis
// ends, ticks inward or outward, with and without grid, full frame or two
// axes, legends, some as JPEG.
QList<ChartDesign> axisCharts();
// The same figures with the text at the axis ends written plainly, as
// plotting programs write it by default: an offset at each ("+1000" under
// X, "1e−3+20" over Y; the labels show the values less it), or multipliers
// alone ("1e3", "1e−3").
QList<ChartDesign> offsetCharts();
