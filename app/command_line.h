#pragma once

#include <QString>
#include <QStringList>

// What `curvix [IMAGE]` was asked: the image to open, or text to print and
// the exit status to end with before any window opens.
struct AppCommandLine
{
    QString image;
    bool exitNow = false;
    int exitStatus = 0;
    QString out; // for stdout (help, version)
    QString err; // for stderr (usage errors)
    bool platformGiven = false; // Qt's own -platform option was given
    QString language;           // --lang: "en" or "ja"; empty when not given
};

AppCommandLine parseAppCommandLine(const QStringList &arguments);

// With no DISPLAY, no WAYLAND_DISPLAY, no QT_QPA_PLATFORM and no -platform
// there is nowhere to show the window: the one line that says so and how to
// get one; empty when there is a display.
QString noDisplayMessage(const AppCommandLine &command);
