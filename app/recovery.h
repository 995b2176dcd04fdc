#pragma once

#include "files/calibration_file.h"

#include <QString>

// The workspace kept after every change, so that work survives a crash or a
// kill: the picture's path, the calibration, the exclusions and the
// datasets, as a calibration file in the user's data folder. A normal exit
// removes it; the next start offers what a crash left.
namespace Recovery {

QString path();
// Writes it atomically; returns the reason on failure.
std::optional<QString> save(const CalibrationFile &workspace);
void remove();

struct Left
{
    std::optional<CalibrationFile> file; // none: it cannot be restored
    QStringList skipped;
    QString problem;
};
// What a crash left, or nothing when the last session ended normally.
std::optional<Left> find();
// Moves an unreadable file aside (never deleted silently); returns where.
QString keepAside();

} // namespace Recovery
