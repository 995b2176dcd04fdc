#include "app/recovery.h"

#include "files/atomic_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

QString Recovery::path()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("recovery.json"));
}

std::optional<QString> Recovery::save(const CalibrationFile &workspace)
{
    QDir().mkpath(QFileInfo(path()).path());
    return writeFileAtomically(path(), calibrationFileBytes(workspace));
}

void Recovery::remove()
{
    QFile::remove(path());
}

std::optional<Recovery::Left> Recovery::find()
{
    if (!QFileInfo::exists(path()))
        return std::nullopt;
    const CalibrationFileRead read = readCalibrationFile(path());
    return Left{read.file, read.skipped, read.error};
}

QString Recovery::keepAside()
{
    const QString aside = QFileInfo(path()).dir().filePath(
        QStringLiteral("recovery-%1.unreadable.json").arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"))));
    QFile::rename(path(), aside);
    return aside;
}
