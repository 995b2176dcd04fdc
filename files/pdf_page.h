#pragma once

#include "files/image_file.h"

#include <QString>

// Pages of a PDF as pictures, rendered by Poppler: the figures users bring
// live in papers.
namespace PdfPage {

inline constexpr int DefaultDpi = 300;
inline constexpr int MinDpi = 36;
inline constexpr int MaxDpi = 1200;

// Whether the bytes at the start of a file say PDF ("%PDF-").
bool looksLikePdf(const QString &path);

// A PDF's page count, or why it cannot be read (damaged, encrypted).
struct Document
{
    int pageCount = 0;
    QString error;
};
Document inspect(const QString &path);

// Page `page` (1 for the first) at `dpi` dots per inch, on white; or why not:
// no such page, or a picture beyond MaxPictureEdge at that resolution.
LoadedImage render(const QString &path, int page, int dpi);

} // namespace PdfPage
