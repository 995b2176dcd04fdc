#pragma once

#include "document/figure.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

// The calibration file: the picture, both corners' pixels and typed values,
// the scale and the trace's options, as JSON in UTF-8. The window saves and
// opens it; the command-line tracer reads it.
//
//   { "curvix": 1, "image": "figure3.png",
//     "start": { "pixel": [80, 540], "value": ["0", "1"] },
//     "end": { "pixel": [770, 30], "value": ["50", "10000"] },
//     "scale": "linear-log",
//     "trace": { "line": "top", "colour": null, "tolerance": 60,
//                "follow": true, "seed": [412.5, 300] },
//     "exclude": [[600, 40, 150, 60]] }
//
// A page of a PDF adds "page" and "dpi" beside "image"; version 2 adds
// "datasets": [{ "name", "kind", "colour", "points": [[px, py, x, y], ...],
// "trace" }], each point's picture position and its values under the
// file's calibration (its position alone where that gives none; the reader
// takes the positions and computes the values afresh).
// Written by QJsonDocument (keys in alphabetical order); read back with it.
// "image" (relative to the file's folder), "trace" and "exclude" may be left
// out, and so may "follow" and "seed" (written only when set); the
// exclusions are kept with the trace options.
// Fields the reader does not know are ignored, so later versions can add some.
using CalibrationFile = Figure;

// The file, or what is wrong with it and where.
struct CalibrationFileRead
{
    std::optional<CalibrationFile> file;
    QString error;
    // Datasets left out as unsound, each with why ("dataset 2: unknown kind "lines"").
    QStringList skipped;
};

QString scaleName(AxisScale scale);
std::optional<AxisScale> scaleFromName(const QString &name);
QString lineRuleName(LineRule rule);
std::optional<LineRule> lineRuleFromName(const QString &name);
// "#RRGGBB" (or "RRGGBB") as a colour.
std::optional<QRgb> colourFromName(const QString &name);
QString colourName(QRgb colour);

CalibrationFileRead parseCalibrationFile(const QByteArray &bytes);
CalibrationFileRead readCalibrationFile(const QString &path);

// The file as a JSON object, with the image's path as given, and its bytes.
QJsonObject calibrationJson(const CalibrationFile &file);
QByteArray calibrationFileBytes(const CalibrationFile &file);
std::optional<QString> writeCalibrationFile(const QString &path, const CalibrationFile &file);
