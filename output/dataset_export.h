#pragma once

#include "calibration/axis_scale.h"
#include "document/dataset.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// All datasets of a figure in one file. Numbers in their shortest
// round-trip form with "." whatever the locale; LF line ends.
enum class ExportForm {
    LongCsv, // "dataset,x,y", a line per point (the default)
    WideCsv, // curves on a shared X, point sets in columns of their own
    Tsv,     // the long form with tabs
    Json,    // {"datasets": [{"name", "kind", "colour", "points": [[x, y], ...]}]}
};

// The form a file name asks for: .tsv, .json, "-wide.csv" or ".wide.csv", else the long CSV.
ExportForm exportFormFor(const QString &fileName);

// The datasets in that form. The wide form interpolates each curve linearly
// onto the union of all curves' X values (in the axes' own scale, so on a
// logarithmic axis along its logarithm); outside a curve's own X range its
// cell stays empty.
QByteArray exportDatasets(const std::vector<ValuedDataset> &datasets, ExportForm form, AxisScale scale);

// The value of a curve at x, linear between its two neighbouring points in
// the axes' scale; none outside its X range.
std::optional<double> curveValueAt(const std::vector<ValuePoint> &curve, double x, AxisScale scale);
