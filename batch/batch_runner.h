#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

struct BatchOptions;
struct Figure;
using CalibrationFile = Figure;
struct LoadedImage;
class QRect;

// Where the run's output goes: stdout for `--out -`, stderr for errors and
// warnings, and a progress line that rewrites itself on a terminal.
struct BatchConsole
{
    std::function<void(const QByteArray &)> out;
    std::function<void(const QString &)> error;
    std::function<void(const QString &)> progress; // null: no progress line
};

// Traces every image with `options.jobs` at once and writes its output;
// returns the exit status: 0 when every image was written, 1 when an image
// could not be read or an output could not be written, 2 when a trace had no
// defined values.
int runBatch(const BatchOptions &options, const BatchConsole &console);

// Traces one image and gives the bytes of its output, or the reason there
// are none and the exit status that reason calls for.
struct ImageTrace
{
    QByteArray bytes;
    QString error;
    QString warning; // lines, without the last line end
    QByteArray overlay; // the PNG for --overlay
    int status = 0;
};
ImageTrace traceImageFile(const QString &path, const BatchOptions &options);

// A picture as the tracer reads it: a PDF's page at the file's page and
// resolution, or the image file (only `part` of it, when given).
LoadedImage loadBatchPicture(const QString &path, const CalibrationFile &file, const QRect &part);
