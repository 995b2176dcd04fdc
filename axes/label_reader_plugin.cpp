// The text reader as a plugin library: Tesseract and its own libraries are
// loaded only when tick labels are first read.

#include "axes/text_reader_plugin.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <omp.h>
#include <tesseract/baseapi.h>

#include <algorithm>
#include <memory>

namespace {

// The engine is loaded once per thread: loading the model takes far longer than a label.
tesseract::TessBaseAPI *engine()
{
    thread_local std::unique_ptr<tesseract::TessBaseAPI> api;
    thread_local bool tried = false;
    if (!tried) {
        tried = true;
        auto candidate = std::make_unique<tesseract::TessBaseAPI>();
        if (candidate->Init(nullptr, "eng") == 0) {
            candidate->SetVariable("tessedit_char_whitelist", "0123456789.,-+eE\u00d7x\u2212");
            candidate->SetVariable("user_defined_dpi", "300");
            candidate->SetVariable("debug_file", "/dev/null");
            // Without learning from earlier labels, a label reads the same whatever was read before it.
            candidate->SetVariable("classify_enable_learning", "0");
            api = std::move(candidate);
        }
    }
    return api.get();
}

} // namespace

class TesseractReader : public QObject, public TextReaderPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TextReaderPlugin_iid)
    Q_INTERFACES(TextReaderPlugin)

public:
    bool ready() override { return engine() != nullptr; }
    QString readLabel(const QImage &label, int characters) override;
};

QString TesseractReader::readLabel(const QImage &label, int characters)
{
    tesseract::TessBaseAPI *api = engine();
    if (!api || label.isNull())
        return {};
    // A label reads three times faster on this thread alone: Tesseract's
    // threads spend longer waking than reading a line of a few characters.
    omp_set_max_active_levels(0);
    // Small print reads far better enlarged: text of 8 to 14 points becomes
    // 40 to 70 pixels high (the label comes with a margin of 4 pixels).
    const double factor = std::max(4.0, 40.0 / std::max(1, label.height() - 8));
    const QImage big = label.convertToFormat(QImage::Format_Grayscale8)
                           .scaled((QSizeF(label.size()) * factor).toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    api->SetPageSegMode(characters == 1 ? tesseract::PSM_SINGLE_CHAR : tesseract::PSM_SINGLE_LINE);
    api->SetImage(big.constBits(), big.width(), big.height(), 1, int(big.bytesPerLine()));
    const std::unique_ptr<char[]> read(api->GetUTF8Text());
    return read ? QString::fromUtf8(read.get()).trimmed() : QString();
}

#include "label_reader_plugin.moc"
