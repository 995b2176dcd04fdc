#pragma once

#include "files/calibration_file.h"

#include <QByteArray>
#include <QString>

#include <optional>

struct BatchConsole;
struct BatchOptions;

// The calibration an image's own axes give, on top of `base` (its trace
// options), or the reason there is none.
struct FoundCalibration
{
    std::optional<CalibrationFile> file;
    QByteArray json; // the calibration file with "found": {"residual", "angle"}
    QString error;
};
FoundCalibration findCalibration(const QString &image, const CalibrationFile &base);

// --find-axes: prints or writes NAME.calibration.json for each image; exit
// status 1 when any image had none (its reason on stderr).
int runFindAxes(const BatchOptions &options, const BatchConsole &console);
