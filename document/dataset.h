#pragma once

#include "calibration/trace_options.h"

#include <QRgb>
#include <QString>

#include <optional>
#include <vector>

// One figure's data beyond the last trace: named datasets, each a curve (a
// trace, followed or not) or a set of points collected by clicks, with the
// colour its marks are drawn in.
enum class DatasetKind { Curve, Points };

struct DataPoint
{
    double px = 0; // the picture position it was read at
    double py = 0;
    double x = 0;  // its axis values
    double y = 0;
    friend bool operator==(const DataPoint &, const DataPoint &) = default;
};

struct Dataset
{
    QString name;
    DatasetKind kind = DatasetKind::Points;
    QRgb colour = 0xff1f77b4;
    std::vector<DataPoint> points;
    // How a curve was traced (a followed curve's seed and colour), so that
    // curvix-trace can trace it again on the next picture of a series.
    std::optional<TraceOptions> trace;
    friend bool operator==(const Dataset &, const Dataset &) = default;
};

// The most points a dataset collects; a click beyond is refused with a message.
inline constexpr int MaxDatasetPoints = 100000;

// A colour for the n-th dataset, distinct from its neighbours, never the
// trace overlay's green or the doubtful magenta.
QRgb datasetColour(int index);

// "Curve 2", "Points 3": the first name of that kind not yet taken.
QString freshDatasetName(const std::vector<Dataset> &datasets, DatasetKind kind);
