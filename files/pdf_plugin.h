#pragma once

#include <QtGlobal>

// What opening a PDF in the plugin library curvix_pdf gives; its functions:
//   int  curvixPdfOpen(const QString &path, int *pageCount)       a PdfOpened
//   bool curvixPdfPageSize(const QString &path, int page, QSizeF *points)
//   void curvixPdfRenderPage(const QString &path, int page, int dpi, QImage *image)
// Pages count from 1.
enum class PdfOpened { Readable, Damaged, Locked, NoPages };

inline constexpr char PdfPluginLibrary[] = "libcurvix_pdf.so";
