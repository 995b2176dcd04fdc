#pragma once

#include "calibration/axes_transform.h"
#include "calibration/trace_options.h"

#include <QRgb>
#include <QString>

#include <optional>
#include <vector>

// One figure's data beyond the last trace: named datasets, each a curve (a
// trace, followed or not) or a set of points collected by clicks, with the
// colour its marks are drawn in.
enum class DatasetKind { Curve, Points };

// A point keeps the picture position it was read at; its axis values come
// from the calibration in force whenever they are shown, exported or saved,
// so that a corrected calibration corrects every point.
struct DataPoint
{
    double px = 0;
    double py = 0;
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

// A point's axis values.
struct ValuePoint
{
    double x = 0;
    double y = 0;
    friend bool operator==(const ValuePoint &, const ValuePoint &) = default;
};

// A dataset as its axis values under one calibration.
struct ValuedDataset
{
    QString name;
    DatasetKind kind = DatasetKind::Points;
    QRgb colour = 0;
    std::vector<ValuePoint> points;
};

// The values of a point under the transform; none where an axis has no finite value.
std::optional<ValuePoint> valueOf(const DataPoint &point, const AxesTransform &transform);
// Every dataset's values; a point without values is left out.
std::vector<ValuedDataset> valuedDatasets(const std::vector<Dataset> &datasets, const AxesTransform &transform);

// The most points a dataset collects; a click beyond is refused with a message.
inline constexpr int MaxDatasetPoints = 100000;

// A colour for the n-th dataset, distinct from its neighbours, never the
// trace overlay's green or the doubtful magenta.
QRgb datasetColour(int index);

// "Curve 2", "Points 3": the first name of that kind not yet taken.
QString freshDatasetName(const std::vector<Dataset> &datasets, DatasetKind kind);
