#include "files/pdf_page.h"

#include "files/pdf_plugin.h"
#include "plugins/plugin_loader.h"

#include <QCoreApplication>
#include <QFile>
#include <QSizeF>

#include <cmath>

namespace {

QString translate(const char *text)
{
    return QCoreApplication::translate("PdfPage", text);
}

// The PDF's page count, or 0 and why it cannot be read.
int open(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return 0;
    }
    if (file.size() > MaxImageFileBytes) {
        *error = translate("The file is too large for a document of charts.");
        return 0;
    }
    PdfPlugin *pdf = plugin<PdfPlugin>(PdfPluginLibrary);
    int pages = 0;
    switch (pdf ? pdf->open(path, &pages) : PdfOpened::Damaged) {
    case PdfOpened::Readable:
        return pages;
    case PdfOpened::Damaged:
        *error = translate("This is not a PDF that can be read: it may be damaged.");
        return 0;
    case PdfOpened::Locked:
        *error = translate("The PDF is encrypted; it opens only with its password.");
        return 0;
    case PdfOpened::NoPages:
        *error = translate("The PDF has no pages.");
        return 0;
    }
    return 0;
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
    result.pageCount = open(path, &result.error);
    return result;
}

LoadedImage PdfPage::render(const QString &path, int page, int dpi)
{
    QString error;
    const int pages = open(path, &error);
    if (pages == 0)
        return {QImage(), error, {}};
    if (page < 1 || page > pages)
        return {QImage(), translate("The PDF has %1 page(s); there is no page %2.").arg(pages).arg(page), {}};
    if (dpi < MinDpi || dpi > MaxDpi)
        return {QImage(), translate("The resolution must be %1 to %2 dots per inch.").arg(MinDpi).arg(MaxDpi), {}};
    PdfPlugin *pdf = plugin<PdfPlugin>(PdfPluginLibrary);
    QSizeF points;
    if (!pdf || !pdf->pageSize(path, page, &points))
        return {QImage(), translate("The page cannot be read."), {}};
    // Checked before rendering: a poster-sized page at 300 dpi would not fit in memory.
    const QSize pixels(int(std::ceil(points.width() * dpi / 72)), int(std::ceil(points.height() * dpi / 72)));
    if (pixels.width() > MaxPictureEdge || pixels.height() > MaxPictureEdge || pixels.isEmpty())
        return {QImage(), tooLargeReason(pixels), {}};
    const QImage image = pdf->render(path, page, dpi);
    if (image.isNull())
        return {QImage(), translate("The page cannot be rendered."), {}};
    return {image.convertToFormat(QImage::Format_RGB32), QString(), {}};
}
