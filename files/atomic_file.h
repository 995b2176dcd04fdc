#pragma once

#include <QString>

#include <optional>

class QByteArray;

// Writes the bytes to a temporary file beside the target and renames it over
// the target, so a failed write leaves an existing file exactly as it was.
// Returns the reason on failure.
std::optional<QString> writeFileAtomically(const QString &path, const QByteArray &bytes);
