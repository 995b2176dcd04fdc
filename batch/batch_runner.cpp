#include "batch/batch_runner.h"

#include "batch/axes_runner.h"
#include "batch/batch_options.h"
#include "output/fault_text.h"
#include "digitize/auto_trace.h"
#include "digitize/picture_surface.h"
#include "files/atomic_file.h"
#include "files/image_file.h"
#include "files/pdf_page.h"
#include "output/data_file.h"
#include "digitize/trace_bounds.h"
#include "output/trace_formats.h"
#include "output/trace_overlay.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <QThreadPool>

#include <atomic>

namespace {

QString outputPath(const QString &image, const BatchOptions &options)
{
    const QFileInfo info(image);
    const QDir folder = options.outDir.isEmpty() ? info.dir() : QDir(options.outDir);
    return folder.filePath(info.completeBaseName() + options.outputInfix + u'.' + outputExtension(options.format));
}

QString overlayPath(const QString &image, const BatchOptions &options)
{
    return QDir(options.overlayDir).filePath(QFileInfo(image).completeBaseName() + options.outputInfix + QStringLiteral(".overlay.png"));
}

QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray outputBytes(const QString &image, const BatchOptions &options, const TraceResult &trace,
                       const TraceQuality &quality)
{
    switch (options.format) {
    case OutputFormat::Tsv:
        return traceTsvBytes(trace);
    case OutputFormat::Json:
        return traceJsonBytes(QFileInfo(image).fileName(), options.calibration, trace, quality);
    case OutputFormat::Csv:
        break;
    }
    return dataFileBytes(trace);
}

// What must hold before any image is read: a defined mapping, a folder to
// write into, and one output name per image and dataset.
std::optional<std::pair<QString, int>> checkBeforeTracing(const BatchOptions &options,
                                                          const std::vector<BatchOptions> &variants)
{
    const bool ownAxes = options.axes == AxesSource::Auto; // each picture's calibration is found later
    if (const auto fault = ownAxes ? std::nullopt : traceFault(options.calibration.calibration(), options.calibration.trace))
        return std::pair{faultMessageEnglish(*fault), 2};
    if (!options.outDir.isEmpty()) {
        const QFileInfo folder(options.outDir);
        if (!folder.isDir())
            return std::pair{QStringLiteral("%1: the output folder does not exist").arg(options.outDir), 1};
        if (!folder.isWritable())
            return std::pair{QStringLiteral("%1: the output folder cannot be written").arg(options.outDir), 1};
    }
    if (!options.toStdout) {
        QSet<QString> outputs;
        for (const BatchOptions &variant : variants) {
            for (const QString &image : options.images) {
                const QString path = QFileInfo(outputPath(image, variant)).absoluteFilePath();
                if (outputs.contains(path))
                    return std::pair{QStringLiteral("%1: another image would write the same output %2").arg(image, path), 2};
                outputs.insert(path);
            }
        }
    }
    return std::nullopt;
}

} // namespace

LoadedImage loadBatchPicture(const QString &path, const CalibrationFile &file, const QRect &part)
{
    return PdfPage::looksLikePdf(path) ? PdfPage::render(path, file.page.value_or(1), file.dpi.value_or(PdfPage::DefaultDpi))
                                       : loadImageFile(path, part);
}

ImageTrace traceImageFile(const QString &path, const BatchOptions &options)
{
    ImageTrace result;
    const TraceOptions &traceOptions = options.calibration.trace;
    const Calibration calibration = options.calibration.calibration();
    // Only the part the trace reads is decoded when it lies inside the
    // picture; a frame that reaches past the picture reads the picture area
    // around it, as the window does.
    // The overlay shows the whole picture; a PDF page is rendered whole.
    const LoadedImage loaded =
        loadBatchPicture(path, options.calibration, options.overlayDir.isEmpty() ? traceArea(calibration, traceOptions) : QRect());
    if (loaded.image.isNull()) {
        result.error = QStringLiteral("%1: %2").arg(path, loaded.error);
        result.status = 1;
        return result;
    }
    const bool part = !loaded.origin.isNull() || loaded.image.rect().contains(traceArea(calibration, traceOptions));
    const QImage surface = part ? opaqueOnWhite(loaded.image) : PictureSurface::composeWhole(opaqueOnWhite(loaded.image));
    const TraceResult trace = traceCurve(surface, calibration, traceOptions, loaded.origin);
    if (trace.fault) {
        result.error = QStringLiteral("%1: %2").arg(path, faultMessageEnglish(*trace.fault));
        result.status = 2;
        return result;
    }
    QStringList warnings;
    if (trace.truncated) {
        warnings << QStringLiteral("%1: the frame is wider than %2 columns; the columns after the %2th "
                                   "were not traced (--max-columns changes the limit)")
                        .arg(path)
                        .arg(traceOptions.maxColumns);
    }
    // The report is worked out only where it is shown: on stderr, in JSON, in the overlay.
    const bool reported = !options.quiet || options.format == OutputFormat::Json || !options.overlayDir.isEmpty();
    const TraceQuality quality =
        reported ? traceQuality(surface, calibration, traceOptions, trace, loaded.origin) : TraceQuality();
    if (!quality.suspect.empty()) {
        warnings << QStringLiteral("%1: %2 of %3 columns jump more than %4 px (try --follow)")
                        .arg(path)
                        .arg(quality.suspect.size())
                        .arg(trace.pointCount())
                        .arg(SuspectDistance);
    }
    if (trace.endedEarly) {
        warnings << QStringLiteral("%1: the followed curve ends after %2 columns: it stays hidden for longer than "
                                   "a bridge reaches")
                        .arg(path)
                        .arg(trace.firstColumn + trace.pointCount());
    }
    result.warning = warnings.join(u'\n');
    result.bytes = outputBytes(path, options, trace, quality);
    if (!options.overlayDir.isEmpty()) {
        const float firstColumn = TraceBounds::of(calibration).firstColumn + float(trace.firstColumn);
        result.overlay = pngBytes(traceOverlayImage(opaqueOnWhite(loaded.image), calibration, firstColumn,
                                                    trace.pickedRows, quality));
    }
    return result;
}

int runBatch(const BatchOptions &options, const BatchConsole &console)
{
    if (options.axes == AxesSource::Find)
        return runFindAxes(options, console);
    const std::vector<BatchOptions> variants = traceVariants(options);
    if (variants.size() > 1 && options.toStdout) {
        console.error(QStringLiteral("--out - takes one trace: the calibration file's datasets make %1").arg(variants.size()));
        return 2;
    }
    if (const auto refusal = checkBeforeTracing(options, variants)) {
        console.error(refusal->first);
        return refusal->second;
    }

    QMutex consoleMutex;
    std::atomic<int> worst{0};
    int done = 0;
    const int total = int(options.images.size() * traceVariants(options).size());
    QElapsedTimer clock;
    clock.start();

    // Writing waits on the disk; one writer does it, so that the tracing
    // threads go on decoding meanwhile.
    QThreadPool writer;
    writer.setMaxThreadCount(1);

    auto report = [&](const ImageTrace &trace) {
        QMutexLocker lock(&consoleMutex);
        int expected = worst.load();
        while (trace.status > expected && !worst.compare_exchange_weak(expected, trace.status)) {
        }
        if (!trace.error.isEmpty())
            console.error(trace.error);
        if (!trace.warning.isEmpty() && !options.quiet)
            console.error(trace.warning);
        if (trace.status == 0 && options.toStdout)
            console.out(trace.bytes);
        ++done;
        if (console.progress && !options.quiet) {
            const double seconds = std::max(clock.elapsed(), qint64(1)) / 1000.0;
            console.progress(QStringLiteral("%1/%2 files, %3 files/s").arg(done).arg(total).arg(done / seconds, 0, 'f', 1));
        }
    };

    auto traceOne = [&](const QString &image, const BatchOptions &options) {
        ImageTrace trace = traceImageFile(image, options);
        if (trace.status != 0 || options.toStdout) {
            if (trace.status == 0 && !trace.overlay.isEmpty()) {
                if (const auto error = writeFileAtomically(overlayPath(image, options), trace.overlay)) {
                    trace.error = QStringLiteral("%1: %2").arg(overlayPath(image, options), *error);
                    trace.status = 1;
                }
            }
            report(trace);
            return;
        }
        writer.start([&report, &options, image, trace]() mutable {
            if (const auto error = writeFileAtomically(outputPath(image, options), trace.bytes)) {
                trace.error = QStringLiteral("%1: %2").arg(outputPath(image, options), *error);
                trace.status = 1;
            } else if (!trace.overlay.isEmpty()) {
                if (const auto overlayError = writeFileAtomically(overlayPath(image, options), trace.overlay)) {
                    trace.error = QStringLiteral("%1: %2").arg(overlayPath(image, options), *overlayError);
                    trace.status = 1;
                }
            }
            report(trace);
        });
    };

    // With --auto each picture is traced under the calibration its axes give.
    // They are found here, one after another: text recognition stays on this
    // thread, and the tracing threads only trace.
    std::vector<std::pair<QString, BatchOptions>> work;
    work.reserve(variants.size() * size_t(options.images.size()));
    for (const BatchOptions &variant : variants) {
        for (const QString &image : options.images) {
            if (options.axes != AxesSource::Auto) {
                work.emplace_back(image, variant);
                continue;
            }
            const FoundCalibration found = findCalibration(image, variant.calibration);
            if (!found.file) {
                ImageTrace refused;
                refused.error = found.error;
                refused.status = 1;
                report(refused);
                continue;
            }
            BatchOptions own = variant;
            own.axes = AxesSource::Given;
            own.calibration = *found.file;
            work.emplace_back(image, own);
        }
    }

    QThreadPool pool;
    pool.setMaxThreadCount(std::max(1, options.jobs));
    for (const auto &[image, imageOptions] : work)
        pool.start([&traceOne, &imageOptions = imageOptions, image = image] { traceOne(image, imageOptions); });
    pool.waitForDone();
    writer.waitForDone();
    return worst.load();
}
