#pragma once

#include "files/calibration_file.h"

#include <QString>
#include <QStringList>

#include <optional>

enum class OutputFormat { Csv, Tsv, Json };

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
    QString overlayDir; // --overlay: where NAME.overlay.png goes; empty: none
};

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
