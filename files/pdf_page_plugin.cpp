// PDF pages through Poppler, as a plugin library: Poppler and the libraries
// it pulls in are loaded only when a PDF is first opened.

#include "files/pdf_plugin.h"

#include <QImage>
#include <QSizeF>
#include <QString>

#include <poppler-qt6.h>

#include <memory>

extern "C" Q_DECL_EXPORT int curvixPdfOpen(const QString &path, int *pageCount)
{
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::load(path);
    if (!document)
        return int(PdfOpened::Damaged);
    if (document->isLocked())
        return int(PdfOpened::Locked);
    *pageCount = document->numPages();
    return int(*pageCount < 1 ? PdfOpened::NoPages : PdfOpened::Readable);
}

extern "C" Q_DECL_EXPORT bool curvixPdfPageSize(const QString &path, int page, QSizeF *points)
{
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::load(path);
    const std::unique_ptr<Poppler::Page> pdfPage = document ? document->page(page - 1) : nullptr;
    if (pdfPage)
        *points = pdfPage->pageSizeF();
    return bool(pdfPage);
}

extern "C" Q_DECL_EXPORT void curvixPdfRenderPage(const QString &path, int page, int dpi, QImage *image)
{
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::load(path);
    const std::unique_ptr<Poppler::Page> pdfPage = document ? document->page(page - 1) : nullptr;
    if (!pdfPage)
        return;
    document->setRenderHint(Poppler::Document::Antialiasing);
    document->setRenderHint(Poppler::Document::TextAntialiasing);
    document->setPaperColor(Qt::white);
    *image = pdfPage->renderToImage(dpi, dpi);
}
