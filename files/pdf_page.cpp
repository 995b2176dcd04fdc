#include "files/pdf_page.h"

#include <QCoreApplication>
#include <QFile>

#include <poppler-qt6.h>

#include <cmath>
#include <memory>

namespace {

QString translate(const char *text)
{
    return QCoreApplication::translate("PdfPage", text);
}

std::unique_ptr<Poppler::Document> open(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return nullptr;
    }
    if (file.size() > MaxImageFileBytes) {
        *error = translate("The file is too large for a document of charts.");
        return nullptr;
    }
    std::unique_ptr<Poppler::Document> document = Poppler::Document::load(path);
    if (!document) {
        *error = translate("This is not a PDF that can be read: it may be damaged.");
        return nullptr;
    }
    if (document->isLocked()) {
        *error = translate("The PDF is encrypted; it opens only with its password.");
        return nullptr;
    }
    if (document->numPages() < 1) {
        *error = translate("The PDF has no pages.");
        return nullptr;
    }
    return document;
}

} // namespace

bool PdfPage::looksLikePdf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-";
}

PdfPage::Document PdfPage::inspect(const QString &path)
{
    Document result;
    if (const auto document = open(path, &result.error))
        result.pageCount = document->numPages();
    return result;
}

LoadedImage PdfPage::render(const QString &path, int page, int dpi)
{
    QString error;
    const auto document = open(path, &error);
    if (!document)
        return {QImage(), error, {}};
    if (page < 1 || page > document->numPages()) {
        return {QImage(), translate("The PDF has %1 page(s); there is no page %2.").arg(document->numPages()).arg(page), {}};
    }
    if (dpi < MinDpi || dpi > MaxDpi)
        return {QImage(), translate("The resolution must be %1 to %2 dots per inch.").arg(MinDpi).arg(MaxDpi), {}};
    const std::unique_ptr<Poppler::Page> pdfPage = document->page(page - 1);
    if (!pdfPage)
        return {QImage(), translate("The page cannot be read."), {}};
    // Checked before rendering: a poster-sized page at 300 dpi would not fit in memory.
    const QSizeF points = pdfPage->pageSizeF();
    const QSize pixels(int(std::ceil(points.width() * dpi / 72)), int(std::ceil(points.height() * dpi / 72)));
    if (pixels.width() > MaxPictureEdge || pixels.height() > MaxPictureEdge || pixels.isEmpty())
        return {QImage(), tooLargeReason(pixels), {}};
    document->setRenderHint(Poppler::Document::Antialiasing);
    document->setRenderHint(Poppler::Document::TextAntialiasing);
    document->setPaperColor(Qt::white);
    QImage image = pdfPage->renderToImage(dpi, dpi);
    if (image.isNull())
        return {QImage(), translate("The page cannot be rendered."), {}};
    return {image.convertToFormat(QImage::Format_RGB32), QString(), {}};
}
