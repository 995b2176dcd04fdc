#include "digitize/label_reader.h"

#include "calibration/plugin_function.h"

namespace {

constexpr char Library[] = "libcurvix_ocr.so";

} // namespace

QString readTickLabel(const QImage &label, int characters)
{
    using Reader = void (*)(const QImage &, int, QString *);
    static const auto read = reinterpret_cast<Reader>(pluginFunction(Library, "curvixReadTickLabel"));
    QString text;
    if (read)
        read(label, characters, &text);
    return text;
}

FoundAxes findAxesReadingLabels(const QImage &picture)
{
    static const auto ready = reinterpret_cast<bool (*)()>(pluginFunction(Library, "curvixTickLabelReaderReady"));
    if (!ready || !ready()) {
        FoundAxes none;
        none.failure = QStringLiteral("text recognition is not available: %1 or Tesseract's English model (tesseract-ocr-eng) is missing")
                           .arg(QLatin1String(Library));
        return none;
    }
    return findAxes(picture, readTickLabel);
}
