#pragma once

#include "calibration/calibration.h"
#include "calibration/trace_options.h"
#include "document/dataset.h"

#include <QString>

#include <optional>
#include <vector>

// A figure as one value: what the calibration file and the recovery file
// keep, and what the figure document is saved as and opened from.
struct Figure
{
    static constexpr int Version = 1;
    // A file with datasets is of version 2; one without keeps version 1.
    static constexpr int DatasetsVersion = 2;
    // The largest pixel position accepted: far beyond any picture.
    static constexpr int MaxPixel = 1000000;
    static constexpr int MaxExclusions = 1000;

    QString image; // as written in the file; empty when there is none
    // When the image is a PDF: its page (1 for the first) and resolution.
    std::optional<int> page;
    std::optional<int> dpi;
    CornerPixel start;
    CornerPixel end;
    CornerTexts values; // Text1 ... Text4
    AxisScale scale = AxisScale::LinearLinear;
    TraceOptions trace; // with the exclusions
    std::vector<Dataset> datasets;

    Calibration calibration() const;
};
