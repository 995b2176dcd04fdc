#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct TraceResult;
struct WorkState;

// The data file's bytes: the point count, then one line "X, Y" per traced
// point, each number as a number item, every line ended by CR LF. A count
// never set writes an empty first line.
QByteArray dataFileBytes(const WorkState &state);

// The same bytes for a trace that was not stored in a working state (no
// table limit): its point count, then its points.
QByteArray dataFileBytes(const TraceResult &trace);

// The path of the data file: the folder, "/", the name exactly as typed, ".csv".
QString dataFilePath(const QString &folder, const QString &name);

// Writes the data file atomically; returns the reason on failure.
std::optional<QString> saveDataFile(const QString &path, const WorkState &state);
