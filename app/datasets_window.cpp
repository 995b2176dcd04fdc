#include "app/datasets_window.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QIcon swatch(QRgb colour)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(QColor::fromRgb(colour));
    return QIcon(pixmap);
}

} // namespace

DatasetsWindow::DatasetsWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool)
    , m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("datasets"));
    auto *addCurve = new QPushButton(this);
    auto *addPoints = new QPushButton(this);
    auto *rename = new QPushButton(this);
    auto *remove = new QPushButton(this);
    addCurve->setObjectName(QStringLiteral("addCurve"));
    addPoints->setObjectName(QStringLiteral("addPoints"));
    rename->setObjectName(QStringLiteral("rename"));
    remove->setObjectName(QStringLiteral("delete"));
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {addCurve, addPoints, rename, remove}) {
        b->setAutoDefault(true);
        buttons->addWidget(b);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(480, 260);
    retranslate();

    connect(addCurve, &QPushButton::clicked, this, [this] { emit addRequested(DatasetKind::Curve); });
    connect(addPoints, &QPushButton::clicked, this, [this] { emit addRequested(DatasetKind::Points); });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (m_list->currentRow() >= 0)
            emit deleteRequested(m_list->currentRow());
    });
    connect(rename, &QPushButton::clicked, this, [this] {
        const int row = m_list->currentRow();
        if (row < 0)
            return;
        bool ok = false;
        const QString name = QInputDialog::getText(this, tr("名前 (Name)"), tr("名前 (Name):"),
                                                   QLineEdit::Normal, m_list->item(row)->data(Qt::UserRole).toString(), &ok);
        if (ok && !name.trimmed().isEmpty())
            emit renameRequested(row, name.trimmed());
    });
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_filling && row >= 0)
            emit currentChosen(row);
    });
}

void DatasetsWindow::retranslate()
{
    setWindowTitle(tr("データセット (Datasets)"));
    m_list->setAccessibleName(tr("データセット (datasets)"));
    findChild<QPushButton *>(QStringLiteral("addCurve"))->setText(tr("曲線を追加 (Add curve)"));
    findChild<QPushButton *>(QStringLiteral("addPoints"))->setText(tr("点の組を追加 (Add points)"));
    findChild<QPushButton *>(QStringLiteral("rename"))->setText(tr("名前を変更 (Rename)"));
    findChild<QPushButton *>(QStringLiteral("delete"))->setText(tr("削除 (Delete)"));
}

void DatasetsWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void DatasetsWindow::showDatasets(const std::vector<Dataset> &datasets, int current)
{
    m_filling = true;
    m_list->clear();
    for (const Dataset &d : datasets) {
        const QString kind = d.kind == DatasetKind::Curve ? tr("曲線 (curve)") : tr("点 (points)");
        auto *item = new QListWidgetItem(swatch(d.colour), tr("%1 — %2 — %3").arg(d.name, kind).arg(d.points.size()), m_list);
        item->setData(Qt::UserRole, d.name);
    }
    m_list->setCurrentRow(current);
    m_filling = false;
}
