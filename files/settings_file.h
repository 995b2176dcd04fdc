#pragma once

#include "calibration/calibration.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The settings file "Curvix.ini" keeps the four corner values (Text1 ...
// Text4), one per line, each line exactly as the user left the field.

inline const QString SettingsFileName = QStringLiteral("Curvix.ini");

CornerTexts defaultCornerTexts();

// Reads the four fields from the file's bytes. Each line is one field: blanks
// around it are dropped and enclosing double quotes removed. Lines may end in
// CR LF, LF or CR. Fewer than four lines give the defaults.
CornerTexts parseSettings(const QByteArray &bytes);

// Reads the file at path; a missing, unreadable or short file gives the defaults.
CornerTexts readSettingsFile(const QString &path);

QByteArray settingsBytes(const CornerTexts &texts);

// Writes the file atomically; returns the reason on failure.
std::optional<QString> writeSettingsFile(const QString &path, const CornerTexts &texts);
