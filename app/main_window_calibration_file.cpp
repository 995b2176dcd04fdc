// The main window's calibration file and trace copy: saving and opening the
// corners, values and scale (Ctrl+Shift+S/O), and copying the trace for a
// spreadsheet (Ctrl+Shift+C).
#include "app/main_window.h"

#include "app/exclusion_areas.h"
#include "app/file_lists.h"
#include "app/message_box.h"
#include "app/picture_box.h"
#include "calibration/number_text.h"
#include "files/calibration_file.h"
#include "files/pdf_page.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImageReader>
#include <QPushButton>

#include <algorithm>

namespace {

const QString CalibrationFilter = QStringLiteral("Curvix calibration (*.json);;All files (*)");

} // namespace

void MainWindow::copyTrace()
{
    const WorkState &state = workState();
    const int count = state.PointCount.value_or(0);
    if (count == 0) {
        showMessage(this, tr("コピーするトレースがありません。先に Auto Digitize を押して下さい。\n"
                                         "(There is no trace to copy: press Auto Digitize first.)"),
                    QMessageBox::Information);
        return;
    }
    QString text;
    for (int k = 1; k <= count; ++k) {
        text += formatShortestNumber(state.Points[0][size_t(k)]) + u'\t'
            + formatShortestNumber(state.Points[1][size_t(k)]) + u'\n';
    }
    QGuiApplication::clipboard()->setText(text);
}

void MainWindow::saveCalibration()
{
    if (!cornersCaptured()) {
        showMessage(this, tr("保存する校正がありません。始点と終点を指定して下さい。\n"
                                         "(There is no calibration to save: capture the start and end points first.)"),
                    QMessageBox::Information);
        return;
    }
    const QString picture = m_document->picture().path;
    const QString folder = picture.isEmpty() ? Dir2->path() : QFileInfo(picture).path();
    QFileDialog dialog(this, QStringLiteral("Save calibration"), folder, CalibrationFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("json"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();

    // The saved file names its picture relative to itself, so the pair can move together.
    CalibrationFile file = workspaceFile();
    if (!picture.isEmpty())
        file.image = QFileInfo(path).dir().relativeFilePath(picture);
    if (const auto error = writeCalibrationFile(path, file)) {
        showMessage(this, tr("校正ファイルを書き込めません。\n%1\n%2").arg(QDir::toNativeSeparators(path), *error),
                    QMessageBox::Critical);
    }
}

void MainWindow::openCalibration()
{
    const QString picture = m_document->picture().path;
    const QString folder = picture.isEmpty() ? Dir1->path() : QFileInfo(picture).path();
    QFileDialog dialog(this, QStringLiteral("Open calibration"), folder, CalibrationFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();

    const CalibrationFileRead read = readCalibrationFile(path);
    QString problem = read.error;
    if (read.file) {
        // The picture area, or the picture when it is larger.
        QSize size = PictureSurface::Size;
        if (!read.file->image.isEmpty()) {
            const QImageReader picture(QFileInfo(QFileInfo(path).dir(), read.file->image).filePath());
            size = size.expandedTo(picture.size());
        }
        size = size.expandedTo(Picture1->surface().size());
        const QRect surface(QPoint(), size);
        for (const CornerPixel &corner : {read.file->start, read.file->end}) {
            if (!surface.contains(QPoint(int(corner.x), int(corner.y))))
                problem = tr("a corner pixel (%1, %2) lies outside the picture area of %3 × %4")
                              .arg(corner.x)
                              .arg(corner.y)
                              .arg(surface.width())
                              .arg(surface.height());
        }
    }
    if (!problem.isEmpty()) {
        showMessage(this, tr("校正ファイルを読み込めません。\n%1\n%2").arg(QDir::toNativeSeparators(path), problem),
                    QMessageBox::Warning);
        return;
    }
    applyCalibrationFile(*read.file, QFileInfo(path).dir(), read.skipped);
    Command5->setFocus();
}

void MainWindow::applyCalibrationFile(const CalibrationFile &file, const QDir &folder, QStringList skipped,
                                      bool withCorners)
{
    if (!file.image.isEmpty()) {
        const QString image = QFileInfo(folder, file.image).filePath();
        if (QFileInfo(image).isFile()) {
            std::optional<PdfChoice> pdf;
            if (file.page || file.dpi)
                pdf = PdfChoice{file.page.value_or(1), file.dpi.value_or(PdfPage::DefaultDpi)};
            loadPictureFile(image, Transparency::OnWhite, pdf);
        } else {
            showMessage(this,
                        tr("校正ファイルの画像が見つかりません。始点、終点と座標の値は読み込みました。\n%1\n"
                                       "(The calibration's picture was not found; its corners and values were loaded.)")
                            .arg(QDir::toNativeSeparators(image)),
                        QMessageBox::Warning);
        }
    }
    // One step after the picture's new history: its corners, values, scale,
    // exclusions and datasets.
    m_document->beginEdit(QStringLiteral("Open a calibration"));
    if (withCorners) {
        setCorner(Corner::Start, file.start.x, file.start.y);
        setCorner(Corner::End, file.end.x, file.end.y);
    }
    m_document->setValues(file.values);
    m_document->setScale(file.scale);
    TraceOptions followed = file.trace;
    followed.exclusions.clear();
    m_document->setFollowed(followed);
    m_document->setExclusions(file.trace.exclusions);
    // Its datasets, as far as they fit the picture shown.
    const QRectF picture(QPointF(), QSizeF(Picture1->surface().size()));
    std::vector<Dataset> datasets;
    for (const Dataset &d : file.datasets) {
        if (!std::all_of(d.points.begin(), d.points.end(), [&](const DataPoint &p) { return picture.contains(QPointF(p.px, p.py)); })) {
            skipped << QStringLiteral("\"%1\": points outside the picture").arg(d.name);
            continue;
        }
        datasets.push_back(d);
    }
    m_document->replaceDatasets(datasets, datasets.empty() ? -1 : 0);
    m_document->endEdit();
    if (!skipped.isEmpty()) {
        showMessage(this, tr("読み込めなかったデータセットがあります。\n(Datasets left out:)\n%1").arg(skipped.join(u'\n')),
                    QMessageBox::Warning);
    }
}
