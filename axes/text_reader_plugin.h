#pragma once

#include <QImage>
#include <QString>
#include <QtPlugin>

// What the text-recognition plugin library (curvix_ocr) offers: one tick
// label read as the characters of a number.
class TextReaderPlugin
{
public:
    virtual ~TextReaderPlugin() = default;
    // Whether the engine and its English model could be loaded.
    virtual bool ready() = 0;
    // `characters` is how many separate pieces of ink the label holds: one is
    // read as a single character. Empty when nothing was read. One engine per thread.
    virtual QString readLabel(const QImage &label, int characters) = 0;
};

#define TextReaderPlugin_iid "org.curvix.Digitizer.TextReader/1"
Q_DECLARE_INTERFACE(TextReaderPlugin, TextReaderPlugin_iid)

inline constexpr char TextReaderLibrary[] = "libcurvix_ocr.so";
