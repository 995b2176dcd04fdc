#pragma once

#include "axes/axis_finder.h"

#include <QImage>
#include <QString>

// Reads the number on one tick label cut out of a picture (dark on white),
// with Tesseract's English model restricted to the characters of numbers
// (in the plugin library curvix_ocr, loaded at the first call); empty when
// the plugin or the model is missing or nothing was read. Not thread-safe: one
// reader per thread.
// `characters` is how many separate pieces of ink it holds: one is read as a
// single character.
QString readTickLabel(const QImage &label, int characters);

// Finds the axes of the picture, reading its labels with readTickLabel; when
// the text reader cannot be loaded, the reason, and nothing found.
FoundAxes findAxesReadingLabels(const QImage &picture);
