#pragma once

#include "calibration/calibration.h"
#include "calibration/trace_options.h"
#include "document/dataset.h"

#include <QByteArray>
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
// A page of a PDF adds "page" and "dpi" beside "image".
// "image" (relative to the file's folder), "trace" and "exclude" may be left
// out, and so may "follow" and "seed" (written only when set); the
// exclusions are kept with the trace options.
// Fields the reader does not know are ignored, so later versions can add some.
struct CalibrationFile
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

// The file's bytes, laid out as above, with the image's path as given.
QByteArray calibrationFileBytes(const CalibrationFile &file);
// The "calibration" object alone, indented by `indent` spaces after its first line.
QByteArray calibrationObject(const CalibrationFile &file, int indent);
std::optional<QString> writeCalibrationFile(const QString &path, const CalibrationFile &file);
