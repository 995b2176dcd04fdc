#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QtPlugin>

// What opening a PDF in the plugin library curvix_pdf gives. Pages count from 1.
enum class PdfOpened { Readable, Damaged, Locked, NoPages };

// The PDF plugin: the document last opened stays open (until another file,
// or the same file changed on disk, is asked for), so that the page dialog's
// preview and the render that follows read it once. Safe from any thread.
class PdfPlugin
{
public:
    virtual ~PdfPlugin() = default;
    virtual PdfOpened open(const QString &path, int *pageCount) = 0;
    // The page's size in points, or none.
    virtual bool pageSize(const QString &path, int page, QSizeF *points) = 0;
    // The page at `dpi` dots per inch on white, or a null image.
    virtual QImage render(const QString &path, int page, int dpi) = 0;
};

#define PdfPlugin_iid "org.curvix.Digitizer.PdfPages/1"
Q_DECLARE_INTERFACE(PdfPlugin, PdfPlugin_iid)

inline constexpr char PdfPluginLibrary[] = "libcurvix_pdf.so";
