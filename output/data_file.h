#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <span>

struct TraceResult;

// The data file's bytes: the point count, then one line "X, Y" per traced
// point, each number as a number item, every line ended by CR LF. A count
// never set writes an empty first line. `xs` and `ys` hold `count` values.
QByteArray dataFileBytes(std::optional<int> count, std::span<const double> xs, std::span<const double> ys);

// The same bytes for a whole trace: its point count, then its points.
QByteArray dataFileBytes(const TraceResult &trace);

// The path of the data file: the folder, "/", the name exactly as typed, ".csv".
QString dataFilePath(const QString &folder, const QString &name);

// Writes bytes atomically; returns the reason on failure.
std::optional<QString> saveDataFile(const QString &path, const QByteArray &bytes);

struct WorkState;

// The data file's bytes for the last trace kept in the record.
QByteArray dataFileBytes(const WorkState &state);
