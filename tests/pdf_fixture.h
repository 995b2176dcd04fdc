#pragma once

// PDFs for the tests, written with Qt's own PDF writer.
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

// A PDF of `pages` pages of `inches` each; on the last, the picture fills the page.
inline bool writePdf(const QString &path, const QImage &picture, int pages = 2, QSizeF inches = QSizeF(6, 4.5))
{
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setPageSize(QPageSize(inches, QPageSize::Inch));
    writer.setPageMargins(QMarginsF());
    QPainter painter(&writer);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            writer.newPage();
        if (page == pages)
            painter.drawImage(QRect(0, 0, writer.width(), writer.height()), picture);
        else
            painter.drawText(QPointF(100, 200), QStringLiteral("Page %1").arg(page));
    }
    return painter.end();
}
