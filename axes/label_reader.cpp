#include "axes/label_reader.h"

#include "axes/text_reader_plugin.h"
#include "plugins/plugin_loader.h"

QString readTickLabel(const QImage &label, int characters)
{
    TextReaderPlugin *reader = plugin<TextReaderPlugin>(TextReaderLibrary);
    return reader ? reader->readLabel(label, characters) : QString();
}

FoundAxes findAxesReadingLabels(const QImage &picture)
{
    TextReaderPlugin *reader = plugin<TextReaderPlugin>(TextReaderLibrary);
    if (!reader || !reader->ready()) {
        FoundAxes none;
        none.failure = QStringLiteral("text recognition is not available: %1 or Tesseract's English model (tesseract-ocr-eng) is missing")
                           .arg(QLatin1String(TextReaderLibrary));
        return none;
    }
    return findAxes(picture, readTickLabel);
}
