#include "batch/axes_runner.h"

#include "batch/batch_options.h"
#include "batch/batch_runner.h"
#include "axes/axis_finder.h"
#include "axes/label_reader.h"
#include "files/atomic_file.h"
#include "files/image_file.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

FoundCalibration findCalibration(const QString &image, const CalibrationFile &base)
{
    FoundCalibration result;
    const LoadedImage loaded = loadBatchPicture(image, base, QRect());
    if (loaded.image.isNull()) {
        result.error = QStringLiteral("%1: %2").arg(image, loaded.error);
        return result;
    }
    const FoundAxes found = findAxesReadingLabels(opaqueOnWhite(loaded.image));
    if (!found.found()) {
        result.error = QStringLiteral("%1: no calibration found: %2").arg(image, found.failure);
        return result;
    }
    CalibrationFile file = base;
    file.image = QFileInfo(image).fileName();
    file.start = {float(found.start.x()), float(found.start.y())};
    file.end = {float(found.end.x()), float(found.end.y())};
    file.values = found.texts();
    file.scale = found.scale;
    QJsonObject object = QJsonDocument::fromJson(calibrationFileBytes(file)).object();
    object.insert(QStringLiteral("found"),
                  QJsonObject{{QStringLiteral("residual"), found.residual}, {QStringLiteral("angle"), found.angle}});
    result.json = QJsonDocument(object).toJson(QJsonDocument::Indented);
    result.file = file;
    return result;
}

int runFindAxes(const BatchOptions &options, const BatchConsole &console)
{
    int status = 0;
    for (const QString &image : options.images) {
        const FoundCalibration found = findCalibration(image, options.calibration);
        if (!found.file) {
            console.error(found.error);
            status = 1;
            continue;
        }
        if (options.outDir.isEmpty()) {
            console.out(found.json);
            continue;
        }
        const QString path = QDir(options.outDir).filePath(QFileInfo(image).completeBaseName() + QStringLiteral(".calibration.json"));
        if (const auto error = writeFileAtomically(path, found.json)) {
            console.error(QStringLiteral("%1: %2").arg(path, *error));
            status = 1;
        }
    }
    return status;
}
