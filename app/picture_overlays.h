#pragma once

// The marks on the traced pixels (paintTraceMarks) are shared with
// curvix-trace's overlay pictures.
#include "output/trace_overlay.h"

class QPainter;
struct Calibration;

// What the precision aids paint over the picture. Like the markers they are
// overlays: never part of the surface, never read by the trace.

// Lines at round axis values with their values, translucent, across the
// frame; or, when the mapping is undefined or a corner is missing, a short
// note in the top left corner.
void paintCalibrationGrid(QPainter &painter, const Calibration &calibration, bool cornersCaptured);
