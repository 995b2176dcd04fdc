#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct WorkState;

// The data file's bytes: the point count, then one line "X, Y" per traced
// point, each number as a number item, every line ended by CR LF. A count
// never set writes an empty first line.
QByteArray dataFileBytes(const WorkState &state);

// The path of the data file: the folder, "/", the name exactly as typed, ".csv".
QString dataFilePath(const QString &folder, const QString &name);

// Writes the data file atomically; returns the reason on failure.
std::optional<QString> saveDataFile(const QString &path, const WorkState &state);
