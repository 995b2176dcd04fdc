// The main window's datasets and undo: collecting points, the datasets
// window, exporting them all, and putting any action back.
#include "app/main_window.h"

#include "app/datasets_window.h"
#include "app/exclusion_areas.h"
#include "app/file_lists.h"
#include "app/message_box.h"
#include "app/picture_box.h"
#include "app/recovery.h"
#include "app/autosave.h"
#include "digitize/auto_trace.h"
#include "digitize/point_read.h"
#include "digitize/trace_bounds.h"
#include "files/atomic_file.h"
#include "output/dataset_export.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QLineEdit>
#include <QPainter>
#include <QPolygonF>
#include <QUndoStack>

#include <cmath>

namespace {

// A collected point within this many picture pixels of a click is chosen, not doubled.
constexpr double PickReach = 4;

} // namespace

void MainWindow::createDatasets()
{
    m_document->undoStack()->setUndoLimit(2000);
    m_autosaver = new Autosave(this);
    m_datasetsWindow = new DatasetsWindow(this);
    connect(m_datasetsWindow, &DatasetsWindow::addRequested, m_document, &FigureDocument::addDataset);
    connect(m_datasetsWindow, &DatasetsWindow::currentChosen, m_document, &FigureDocument::chooseDataset);
    connect(m_datasetsWindow, &DatasetsWindow::renameRequested, m_document, &FigureDocument::renameDataset);
    connect(m_datasetsWindow, &DatasetsWindow::deleteRequested, m_document, &FigureDocument::deleteDataset);
    // The datasets' marks: collected points as small rings, curves as dots, in
    // their colours; the columns chosen on a curve as a translucent band.
    Picture1->addOverlay(
        [this](QPainter &painter) {
            if (m_collecting && m_columnSpan) {
                const auto [from, to] = *m_columnSpan;
                painter.fillRect(QRectF(from, 0, to - from + 1, Picture1->surface().height()), QColor(255, 200, 0, 60));
            }
            const std::vector<Dataset> &all = datasets();
            for (size_t i = 0; i < all.size(); ++i) {
                const Dataset &d = all[i];
                painter.setPen(QPen(QColor::fromRgb(d.colour), 1));
                painter.setBrush(Qt::NoBrush);
                // One call a dataset: small squares for collected points, dots for curves.
                if (d.kind == DatasetKind::Points) {
                    std::vector<QRectF> marks;
                    marks.reserve(d.points.size());
                    for (const DataPoint &p : d.points)
                        marks.emplace_back(p.px - 3, p.py - 3, 7, 7);
                    painter.drawRects(marks.data(), int(marks.size()));
                } else {
                    QPolygonF dots;
                    dots.reserve(qsizetype(d.points.size()));
                    for (const DataPoint &p : d.points)
                        dots << QPointF(p.px + 0.5, p.py + 0.5);
                    painter.drawPoints(dots);
                }
                if (int(i) == currentDataset() && m_selectedPoint && d.kind == DatasetKind::Points
                    && *m_selectedPoint < int(d.points.size())) {
                    const DataPoint &p = d.points[size_t(*m_selectedPoint)];
                    painter.drawRect(QRectF(p.px + 0.5 - 6, p.py + 0.5 - 6, 12, 12));
                }
            }
        },
        true);
    for (QLineEdit *field : {Text1, Text2, Text3, Text4})
        connect(field, &QLineEdit::editingFinished, m_document, &FigureDocument::commitValues);
    connect(m_document, &FigureDocument::changed, this, &MainWindow::autosave);
}

void MainWindow::observeDocument()
{
    connect(m_corners, &CornerPanel::changed, this, [this] { m_document->typeValues(m_corners->texts()); });
    connect(m_document, &FigureDocument::valuesChanged, this, [this] {
        if (m_corners->texts() != m_document->values())
            m_corners->setTexts(m_document->values());
        Picture1->overlayChanged(); // the grid follows the values
    });
    connect(m_document, &FigureDocument::scaleChanged, this, [this] {
        const AxisScale scale = workState().AxisScale;
        m_corners->setScale(scale == AxisScale::Unset ? AxisScale::LinearLinear : scale);
        Picture1->overlayChanged();
    });
    connect(m_document, &FigureDocument::cornersChanged, this, &MainWindow::showCorners);
    connect(m_document, &FigureDocument::pointReadChanged, this, &MainWindow::showPointRead);
    connect(m_document, &FigureDocument::traceChanged, Picture1, &PictureBox::overlayChanged);
    connect(m_document, &FigureDocument::exclusionsChanged, Picture1, &PictureBox::overlayChanged);
    connect(m_document, &FigureDocument::datasetsChanged, this, &MainWindow::datasetsChanged);
}

CalibrationFile MainWindow::workspaceFile() const
{
    CalibrationFile file = m_document->file();
    if (!file.image.isEmpty())
        file.image = QFileInfo(file.image).absoluteFilePath();
    return file;
}

void MainWindow::autosave()
{
    if (m_autosave)
        m_autosaver->save(workspaceFile());
}

void MainWindow::startRecovery()
{
    if (const auto left = Recovery::find()) {
        if (!left->file) {
            const QString aside = Recovery::keepAside();
            showMessage(this,
                        tr("前回の作業は復元できません。\n(The work kept from the last session cannot be restored: "
                                       "%1. It was kept as %2.)")
                            .arg(left->problem, QDir::toNativeSeparators(aside)),
                        QMessageBox::Warning);
        } else {
            QMessageBox question(QMessageBox::Question, windowTitle(),
                                 tr("前回の作業が残っています。復元しますか?\n"
                                                "(Work from a session that did not end normally was kept. Restore it?)"),
                                 QMessageBox::NoButton, this);
            QPushButton *restore = question.addButton(tr("復元 (Restore)"), QMessageBox::AcceptRole);
            question.addButton(tr("破棄 (Discard)"), QMessageBox::RejectRole);
            question.setDefaultButton(restore);
            question.exec();
            if (question.clickedButton() == restore) {
                const CalibrationFile &file = *left->file;
                const bool corners = !(file.start == CornerPixel{} && file.end == CornerPixel{});
                applyCalibrationFile(file, QDir(), left->skipped, corners);
            }
        }
    }
    m_autosave = true;
    autosave();
}

void MainWindow::undo()
{
    m_selectedPoint.reset();
    m_document->commitValues(); // a value typed and not yet left is the last step
    undoStack()->undo();
}

void MainWindow::redo()
{
    m_selectedPoint.reset();
    m_document->commitValues();
    undoStack()->redo();
}

void MainWindow::datasetsChanged()
{
    Picture1->overlayChanged();
    if (m_datasetsWindow)
        m_datasetsWindow->showDatasets(datasets(), currentDataset());
}

void MainWindow::showDatasetsWindow()
{
    m_datasetsWindow->showDatasets(datasets(), currentDataset());
    // Beside the main window, not over the picture.
    m_datasetsWindow->move(geometry().topRight() + QPoint(8, 0));
    m_datasetsWindow->show();
    m_datasetsWindow->raise();
}

void MainWindow::toggleCollection()
{
    m_collecting = !m_collecting;
    m_selectedPoint.reset();
    m_columnSpan.reset();
    // Collection adds to the current point set, or edits the current curve; with none, a new set.
    if (m_collecting && currentDataset() < 0)
        m_document->addDataset(DatasetKind::Points);
    if (m_collecting)
        Picture1->setCursor(Qt::CrossCursor);
    else
        Picture1->unsetCursor();
    Picture1->overlayChanged();
}

bool MainWindow::collectAt(float x, float y)
{
    const int current = currentDataset();
    if (!m_collecting || current < 0)
        return false;
    const Dataset &set = datasets()[size_t(current)];
    if (set.kind == DatasetKind::Curve) {
        // On a curve a drag chooses the columns between its ends.
        m_spanFrom = x;
        m_columnSpan = std::pair{std::floor(double(x)), std::floor(double(x))};
        Picture1->overlayChanged();
        return true;
    }
    // A click on a collected point chooses it (for Delete and Alt+arrow); a drag moves it.
    for (size_t k = 0; k < set.points.size(); ++k) {
        if (std::hypot(set.points[k].px - x, set.points[k].py - y) <= PickReach) {
            m_selectedPoint = int(k);
            m_draggingPoint = true;
            m_lastPlaced = Placed::Collected;
            Picture1->overlayChanged();
            return true;
        }
    }
    const Calibration now = calibration();
    if (!insideFrame(now, x, y))
        return true;
    // Collected where a point read reads, and shown as it shows it.
    if (readPoint(now, x, y).fault) {
        digitizePoint(x, y);
        return true;
    }
    if (int(set.points.size()) >= MaxDatasetPoints) {
        digitizePoint(x, y);
        showMessage(this, tr("点の組は %1 点までです。\n(A point set holds at most %1 points.)").arg(MaxDatasetPoints),
                    QMessageBox::Warning);
        return true;
    }
    m_document->beginEdit(QStringLiteral("Collect a point"));
    digitizePoint(x, y);
    m_document->addPoint(current, {x, y});
    m_document->endEdit();
    m_selectedPoint = int(datasets()[size_t(current)].points.size()) - 1;
    m_lastPlaced = Placed::Collected;
    return true;
}

// A position a collected point may take: inside the frame, where both axes have a value.
static bool collectable(const Calibration &calibration, float x, float y)
{
    return insideFrame(calibration, x, y) && PixelToAxisX(calibration, x).value && PixelToAxisY(calibration, y).value;
}

void MainWindow::pictureDragged(QPointF at)
{
    if (!m_collecting || currentDataset() < 0)
        return;
    if (m_spanFrom) {
        m_columnSpan = std::pair{std::floor(std::min(*m_spanFrom, at.x())), std::floor(std::max(*m_spanFrom, at.x()))};
        Picture1->overlayChanged();
        return;
    }
    // The point follows the pointer, read as a press there reads it; the drag is one step.
    if (m_draggingPoint && m_selectedPoint && collectable(calibration(), float(at.x()), float(at.y())))
        m_document->movePoint(currentDataset(), *m_selectedPoint, {std::floor(at.x()), std::floor(at.y())},
                              FigureDocument::DragPoint);
}

void MainWindow::pictureReleased(QPointF)
{
    m_draggingPoint = false;
    m_spanFrom.reset();
    // The next drag is a step of its own.
    m_document->endMerge();
}

void MainWindow::editChosenColumns(bool interpolate)
{
    if (!m_columnSpan || currentDataset() < 0)
        return;
    const Dataset &curve = datasets()[size_t(currentDataset())];
    if (curve.kind != DatasetKind::Curve)
        return;
    const auto [from, to] = *m_columnSpan;
    auto inside = [&](const DataPoint &p) { return std::floor(p.px) >= from && std::floor(p.px) <= to; };
    std::vector<DataPoint> points = curve.points;
    if (!interpolate) {
        std::erase_if(points, inside);
    } else {
        // Straight between the last point before the columns and the first after them.
        const auto before = std::find_if(points.rbegin(), points.rend(), [&](const DataPoint &p) { return std::floor(p.px) < from; });
        const auto after = std::find_if(points.begin(), points.end(), [&](const DataPoint &p) { return std::floor(p.px) > to; });
        if (before == points.rend() || after == points.end())
            return;
        const DataPoint a = *before, b = *after;
        for (DataPoint &p : points) {
            if (inside(p))
                p.py = a.py + (p.px - a.px) / (b.px - a.px) * (b.py - a.py);
        }
    }
    m_columnSpan.reset();
    m_document->setPoints(currentDataset(), points, curve.trace);
}

void MainWindow::interpolateChosenColumns()
{
    editChosenColumns(true);
}

void MainWindow::deleteSelectedPoint()
{
    if (m_collecting && m_columnSpan) {
        editChosenColumns(false);
        return;
    }
    if (!m_collecting || !m_selectedPoint || currentDataset() < 0)
        return;
    if (*m_selectedPoint >= int(datasets()[size_t(currentDataset())].points.size()))
        return;
    m_document->deletePoint(currentDataset(), *m_selectedPoint);
    m_selectedPoint.reset();
}

void MainWindow::moveSelectedPoint(int dx, int dy)
{
    const DataPoint &p = datasets()[size_t(currentDataset())].points[size_t(*m_selectedPoint)];
    const float x = float(p.px + dx), y = float(p.py + dy);
    if (collectable(calibration(), x, y))
        m_document->movePoint(currentDataset(), *m_selectedPoint, {x, y}, FigureDocument::NudgeCollected);
}

void MainWindow::fillCurrentCurve(const TraceResult &trace, const TraceOptions &options)
{
    const int current = currentDataset();
    if (current < 0 || datasets()[size_t(current)].kind != DatasetKind::Curve)
        return;
    // A followed curve keeps how it was followed, for curvix-trace to follow it again.
    TraceOptions kept = options;
    kept.exclusions.clear();
    std::vector<DataPoint> points;
    points.reserve(size_t(trace.pointCount()));
    for (int k = 0; k < trace.pointCount(); ++k)
        points.push_back({double(m_document->trace().firstColumn) + k, trace.pickedRows[size_t(k)]});
    m_document->setPoints(current, points, options.follow || options.colour ? std::optional(kept) : std::nullopt);
}

void MainWindow::exportDatasets()
{
    if (datasets().empty()) {
        showMessage(this, tr("書き出すデータセットがありません。Ctrl+D で追加して下さい。\n"
                                         "(There are no datasets to export: add them with Ctrl+D.)"),
                    QMessageBox::Information);
        return;
    }
    const QString picture = m_document->picture().path;
    const QString folder = picture.isEmpty() ? Dir2->path() : QFileInfo(picture).path();
    QFileDialog dialog(this, tr("データセットを書き出す (Export the datasets)"), folder,
                       QStringLiteral("CSV, one line per point (*.csv);;CSV on a shared X (*-wide.csv);;"
                                      "TSV (*.tsv);;JSON (*.json)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    AxisFault fault{};
    const auto transform = m_document->transform(&fault);
    if (!transform) {
        reportFault(fault);
        return;
    }
    const QByteArray bytes = ::exportDatasets(valuedDatasets(datasets(), *transform), exportFormFor(path), workState().AxisScale);
    if (const auto error = writeFileAtomically(path, bytes)) {
        showMessage(this, tr("書き出せません。\n%1\n%2").arg(QDir::toNativeSeparators(path), *error),
                    QMessageBox::Critical);
    }
}
