#pragma once

#include "files/calibration_file.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

enum class OutputFormat { Csv, Tsv, Json };

// Where the calibration comes from: the command line or a calibration file,
// or each picture's own axes (--find-axes prints them, --auto traces with them).
enum class AxesSource { Given, Find, Auto };

// What one run of curvix-trace is asked to do.
struct BatchOptions
{
    CalibrationFile calibration; // corners, values, scale and trace options
    QStringList images;
    QString outDir;       // empty: beside each image
    bool toStdout = false; // --out -
    OutputFormat format = OutputFormat::Csv;
    int jobs = 1;
    bool quiet = false;
    AxesSource axes = AxesSource::Given;
    QString overlayDir; // --overlay: where NAME.overlay.png goes; empty: none
    // For one curve dataset of a version 2 calibration file: ".NAME", put
    // between the image's name and the extension of its output.
    QString outputInfix;
};

// The traces one run makes of each image: one, with the calibration's own
// trace options; or, for a calibration file with curve datasets that say how
// they were traced (a seed or a colour), one per such dataset, written to
// IMAGE.DATASET.csv.
std::vector<BatchOptions> traceVariants(const BatchOptions &options);

// The outcome of reading the command line: options to run, or text to print
// and the exit status to end with (help, version, or a usage error).
struct ParsedCommandLine
{
    std::optional<BatchOptions> options;
    QString output;   // for stdout (help, version)
    QString error;    // for stderr
    int exitStatus = 0;
};

ParsedCommandLine parseCommandLine(const QStringList &arguments, int defaultJobs);

QString outputExtension(OutputFormat format);
