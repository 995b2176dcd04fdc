#include "app/pdf_page_dialog.h"

#include "files/pdf_page.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QPixmap>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The preview's resolution: a page of a paper fits a few hundred pixels.
constexpr int PreviewDpi = 40;

} // namespace

PdfPageDialog::PdfPageDialog(const QString &path, int pageCount, QWidget *parent)
    : QDialog(parent)
    , m_path(path)
    , m_page(new QSpinBox(this))
    , m_dpi(new QSpinBox(this))
    , m_preview(new QLabel(this))
{
    setObjectName(QStringLiteral("pdfPage"));
    setWindowTitle(QStringLiteral("PDF: %1").arg(QFileInfo(path).fileName()));
    m_page->setObjectName(QStringLiteral("page"));
    m_page->setRange(1, pageCount);
    m_page->setSuffix(QStringLiteral(" / %1").arg(pageCount));
    m_page->setAccessibleName(tr("ページ (page)"));
    m_dpi->setObjectName(QStringLiteral("dpi"));
    m_dpi->setRange(PdfPage::MinDpi, PdfPage::MaxDpi);
    m_dpi->setValue(PdfPage::DefaultDpi);
    m_dpi->setSuffix(QStringLiteral(" dpi"));
    m_dpi->setAccessibleName(tr("解像度 (resolution)"));
    m_preview->setMinimumSize(240, 320);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setAccessibleName(tr("プレビュー (preview)"));

    auto *form = new QFormLayout;
    form->addRow(tr("ページ (page)"), m_page);
    form->addRow(tr("解像度 (resolution)"), m_dpi);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_preview);
    layout->addWidget(buttons);

    connect(m_page, &QSpinBox::valueChanged, this, &PdfPageDialog::showPreview);
    showPreview();
    m_page->setFocus();
}

int PdfPageDialog::page() const
{
    return m_page->value();
}

int PdfPageDialog::dpi() const
{
    return m_dpi->value();
}

void PdfPageDialog::showPreview()
{
    const LoadedImage preview = PdfPage::render(m_path, page(), PreviewDpi);
    m_preview->setPixmap(preview.image.isNull() ? QPixmap() : QPixmap::fromImage(preview.image));
    m_preview->setText(preview.image.isNull() ? preview.error : QString());
}
