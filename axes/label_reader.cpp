#include "axes/label_reader.h"

#include "plugins/plugin_function.h"

namespace {

constexpr char Library[] = "libcurvix_ocr.so";

} // namespace

QString readTickLabel(const QImage &label, int characters)
{
    static const auto read = pluginFunction<void (*)(const QImage &, int, QString *)>(Library, "curvixReadTickLabel");
    QString text;
    if (read)
        read(label, characters, &text);
    return text;
}

FoundAxes findAxesReadingLabels(const QImage &picture)
{
    static const auto ready = pluginFunction<bool (*)()>(Library, "curvixTickLabelReaderReady");
    if (!ready || !ready()) {
        FoundAxes none;
        none.failure = QStringLiteral("text recognition is not available: %1 or Tesseract's English model (tesseract-ocr-eng) is missing")
                           .arg(QLatin1String(Library));
        return none;
    }
    return findAxes(picture, readTickLabel);
}
