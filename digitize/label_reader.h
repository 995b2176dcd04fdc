#pragma once

#include <QImage>
#include <QString>

// Reads the number on one tick label cut out of a picture (dark on white),
// with Tesseract's English model restricted to the characters of numbers;
// empty when the model is missing or nothing was read. Not thread-safe: one
// reader per thread.
// `characters` is how many separate pieces of ink it holds: one is read as a
// single character.
QString readTickLabel(const QImage &label, int characters);
