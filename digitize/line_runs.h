#pragma once

#include "calibration/trace_options.h"
#include "digitize/follow_path.h"
#include "digitize/trace_scan.h"

#include <QImage>

// The candidate runs of line pixels in each column of the area: rows whose
// weight (darkness, or nearness to the curve colour's blend with white)
// reaches half of what the curve's pixels typically weigh. Pixels in the
// options' exclusion rectangles (image coordinates) weigh nothing. The image
// must be Format_RGB32 or Format_ARGB32.
ColumnRuns lineRuns(const QImage &image, const ScanArea &area, const TraceOptions &options,
                    const std::vector<QRectF> &exclusions = {});
