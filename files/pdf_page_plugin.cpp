// PDF pages through Poppler, as a plugin library: Poppler and the libraries
// it pulls in are loaded only when a PDF is first opened.

#include "files/pdf_plugin.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QMutex>
#include <QObject>

#include <poppler-qt6.h>

#include <memory>

class PopplerPdf : public QObject, public PdfPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PdfPlugin_iid)
    Q_INTERFACES(PdfPlugin)

public:
    PopplerPdf()
    {
        // The kept document is closed with the application, while Poppler is
        // still there: this object itself goes only when the library unloads.
        s_instance = this;
        qAddPostRoutine([] {
            const QMutexLocker lock(&s_instance->m_mutex);
            s_instance->m_document.reset();
        });
    }

    PdfOpened open(const QString &path, int *pageCount) override
    {
        const QMutexLocker lock(&m_mutex);
        Poppler::Document *document = documentOf(path);
        if (!document)
            return PdfOpened::Damaged;
        if (document->isLocked())
            return PdfOpened::Locked;
        *pageCount = document->numPages();
        return *pageCount < 1 ? PdfOpened::NoPages : PdfOpened::Readable;
    }

    bool pageSize(const QString &path, int page, QSizeF *points) override
    {
        const QMutexLocker lock(&m_mutex);
        Poppler::Document *document = documentOf(path);
        const std::unique_ptr<Poppler::Page> pdfPage = document ? document->page(page - 1) : nullptr;
        if (pdfPage)
            *points = pdfPage->pageSizeF();
        return bool(pdfPage);
    }

    QImage render(const QString &path, int page, int dpi) override
    {
        const QMutexLocker lock(&m_mutex);
        Poppler::Document *document = documentOf(path);
        const std::unique_ptr<Poppler::Page> pdfPage = document ? document->page(page - 1) : nullptr;
        if (!pdfPage)
            return {};
        document->setRenderHint(Poppler::Document::Antialiasing);
        document->setRenderHint(Poppler::Document::TextAntialiasing);
        document->setPaperColor(Qt::white);
        return pdfPage->renderToImage(dpi, dpi);
    }

private:
    // The open document of `path`, opened again only when the file changed.
    Poppler::Document *documentOf(const QString &path)
    {
        const QFileInfo file(path);
        const auto stamp = std::pair{file.lastModified(), file.size()};
        if (!m_document || path != m_path || stamp != m_stamp) {
            m_document = Poppler::Document::load(path);
            m_path = path;
            m_stamp = stamp;
        }
        return m_document.get();
    }

    static inline PopplerPdf *s_instance = nullptr;
    QMutex m_mutex;
    std::unique_ptr<Poppler::Document> m_document;
    QString m_path;
    std::pair<QDateTime, qint64> m_stamp;
};

#include "pdf_page_plugin.moc"
