#pragma once

#include <QDialog>

class QLabel;
class QSpinBox;

// Which page of a PDF to show, and at what resolution: the page count, a
// small preview of the chosen page, the page and the dots per inch.
class PdfPageDialog : public QDialog
{
    Q_OBJECT

public:
    PdfPageDialog(const QString &path, int pageCount, QWidget *parent);

    int page() const;
    int dpi() const;

private:
    void showPreview();

    QString m_path;
    QSpinBox *m_page;
    QSpinBox *m_dpi;
    QLabel *m_preview;
};
