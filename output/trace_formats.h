#pragma once

#include <QByteArray>
#include <QString>

struct Figure;
using CalibrationFile = Figure;
struct TraceQuality;
struct TraceResult;

// The command-line tracer's other output formats. Numbers are written in
// their shortest round-trip form with "." as decimal mark.

// A header "x<TAB>y", then one line per point; LF line ends.
QByteArray traceTsvBytes(const TraceResult &trace);

// One JSON object: the image's name, the calibration as the calibration file
// keeps it, the points, the picked rows, the doubtful ("suspect") and bridged
// points (indices into "points") and whether columns were cut.
QByteArray traceJsonBytes(const QString &imageName, const CalibrationFile &calibration,
                          const TraceResult &trace, const TraceQuality &quality);
