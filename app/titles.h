#pragma once

#include <QString>

// The windows' titles. The application's title also stands in every message
// box's title bar and names the program to the desktop.
namespace Titles {
inline QString application() { return QStringLiteral("Curvix-Digitizer"); }
inline QString graphWindow() { return QStringLiteral("Digitalized Graph"); }
} // namespace Titles
