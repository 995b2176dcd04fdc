// The main window's datasets and undo: collecting points, the datasets
// window, exporting them all, and putting any action back.
#include "app/main_window.h"

#include "app/datasets_window.h"
#include "app/exclusion_areas.h"
#include "app/file_lists.h"
#include "app/message_box.h"
#include "app/picture_box.h"
#include "app/recovery.h"
#include "app/workspace.h"
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
    m_undo = new QUndoStack(this);
    m_undo->setUndoLimit(2000);
    m_datasetsWindow = new DatasetsWindow(this);
    connect(m_datasetsWindow, &DatasetsWindow::addRequested, this, &MainWindow::addDataset);
    connect(m_datasetsWindow, &DatasetsWindow::currentChosen, this, [this](int index) {
        m_currentDataset = index;
        commitAction(QStringLiteral("choose a dataset"));
    });
    connect(m_datasetsWindow, &DatasetsWindow::renameRequested, this, [this](int index, const QString &name) {
        m_datasets[size_t(index)].name = name;
        commitAction(QStringLiteral("rename a dataset"));
    });
    connect(m_datasetsWindow, &DatasetsWindow::deleteRequested, this, [this](int index) {
        m_datasets.erase(m_datasets.begin() + index);
        m_currentDataset = std::min(m_currentDataset, int(m_datasets.size()) - 1);
        commitAction(QStringLiteral("delete a dataset"));
    });
    connect(Picture1, &PictureBox::dragged, this, &MainWindow::pictureDragged);
    connect(Picture1, &PictureBox::released, this, &MainWindow::pictureReleased);
    // The datasets' marks: collected points as small rings, curves as dots, in
    // their colours; the columns chosen on a curve as a translucent band.
    Picture1->addOverlay(
        [this](QPainter &painter) {
            if (m_collecting && m_columnSpan) {
                const auto [from, to] = *m_columnSpan;
                painter.fillRect(QRectF(from, 0, to - from + 1, Picture1->surface().height()), QColor(255, 200, 0, 60));
            }
            for (size_t i = 0; i < m_datasets.size(); ++i) {
                const Dataset &d = m_datasets[i];
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
                if (int(i) == m_currentDataset && m_selectedPoint && d.kind == DatasetKind::Points
                    && *m_selectedPoint < int(d.points.size())) {
                    const DataPoint &p = d.points[size_t(*m_selectedPoint)];
                    painter.drawRect(QRectF(p.px + 0.5 - 6, p.py + 0.5 - 6, 12, 12));
                }
            }
        },
        true);
    connect(m_exclusions, &ExclusionAreas::changed, this, [this] { commitAction(QStringLiteral("exclusions")); });
    for (QLineEdit *field : {Text1, Text2, Text3, Text4})
        connect(field, &QLineEdit::editingFinished, this, [this] { commitAction(QStringLiteral("corner values")); });
    connect(m_corners, &CornerPanel::scaleChosen, this, [this] { commitAction(QStringLiteral("scale")); });
    m_recorded = std::make_unique<Workspace>(workspace());
}

Workspace MainWindow::workspace() const
{
    Workspace w;
    w.state = m_state;
    w.values = m_corners->texts();
    w.startCaptured = m_startCaptured;
    w.endCaptured = m_endCaptured;
    w.lastPlaced = int(m_lastPlaced);
    w.lastPlacedAt = m_lastPlacedAt;
    for (int i = 0; i < PictureBox::MarkerCount; ++i) {
        w.markers[size_t(i)] = Picture1->marker(i);
        w.markersShown[size_t(i)] = Picture1->isMarkerVisible(i);
    }
    w.readoutX = Text10->text();
    w.readoutY = Text11->text();
    w.tracedFirstColumn = m_tracedFirstColumn;
    w.doubtful = m_doubtful;
    w.datasets = m_datasets;
    w.currentDataset = m_currentDataset;
    w.exclusions = m_exclusions->rects();
    return w;
}

void MainWindow::restoreWorkspace(const Workspace &w)
{
    m_restoring = true;
    m_state = w.state;
    m_corners->setTexts(w.values);
    m_corners->setScale(w.state.AxisScale == AxisScale::Unset ? AxisScale::LinearLinear : w.state.AxisScale);
    m_state.AxisScale = w.state.AxisScale;
    m_startCaptured = w.startCaptured;
    m_endCaptured = w.endCaptured;
    m_corners->clearPixels();
    if (m_startCaptured)
        m_corners->showPixel(Corner::Start, m_state.StartPixelX, m_state.StartPixelY);
    if (m_endCaptured)
        m_corners->showPixel(Corner::End, m_state.EndPixelX, m_state.EndPixelY);
    m_lastPlaced = Placed(w.lastPlaced);
    m_lastPlacedAt = w.lastPlacedAt;
    for (int i = 0; i < PictureBox::MarkerCount; ++i) {
        Picture1->setMarker(i, w.markers[size_t(i)]);
        Picture1->setMarkerVisible(i, w.markersShown[size_t(i)]);
    }
    Text10->setText(w.readoutX);
    Text11->setText(w.readoutY);
    m_tracedFirstColumn = w.tracedFirstColumn;
    m_doubtful = w.doubtful;
    m_datasets = w.datasets;
    m_currentDataset = w.currentDataset;
    m_selectedPoint.reset();
    m_exclusions->setRects(w.exclusions);
    *m_recorded = w;
    m_restoring = false;
    datasetsChanged();
    autosave(); // an undo is a change too
}

void MainWindow::commitAction(const QString &label)
{
    if (m_restoring || !m_undo)
        return;
    Workspace now = workspace();
    if (now == *m_recorded) {
        datasetsChanged();
        return;
    }
    m_undo->push(new WorkspaceCommand(label, *m_recorded, now, [this](const Workspace &w) { restoreWorkspace(w); }));
    *m_recorded = std::move(now);
    datasetsChanged();
    autosave();
}

CalibrationFile MainWindow::workspaceFile() const
{
    CalibrationFile file;
    file.image = m_picturePath.isEmpty() ? QString() : QFileInfo(m_picturePath).absoluteFilePath();
    if (m_picturePdf) {
        file.page = m_picturePdf->page;
        file.dpi = m_picturePdf->dpi;
    }
    file.start = {m_state.StartPixelX, m_state.StartPixelY};
    file.end = {m_state.EndPixelX, m_state.EndPixelY};
    file.values = m_corners->texts();
    file.scale = m_state.AxisScale == AxisScale::Unset ? AxisScale::LinearLinear : m_state.AxisScale;
    file.trace = m_fileTraceOptions;
    file.trace.exclusions = m_exclusions->rects();
    file.datasets = m_datasets;
    return file;
}

void MainWindow::autosave()
{
    if (m_autosave)
        Recovery::save(workspaceFile()); // a failure here must not stop the work; the next change tries again
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
                commitAction(QStringLiteral("restore"));
            }
        }
    }
    m_autosave = true;
    autosave();
}

void MainWindow::startNewHistory()
{
    if (!m_undo)
        return;
    m_undo->clear();
    *m_recorded = workspace();
}

void MainWindow::undo()
{
    m_undo->undo();
}

void MainWindow::redo()
{
    m_undo->redo();
}

void MainWindow::datasetsChanged()
{
    Picture1->overlayChanged();
    if (m_datasetsWindow)
        m_datasetsWindow->showDatasets(m_datasets, m_currentDataset);
}

void MainWindow::showDatasetsWindow()
{
    m_datasetsWindow->showDatasets(m_datasets, m_currentDataset);
    // Beside the main window, not over the picture.
    m_datasetsWindow->move(geometry().topRight() + QPoint(8, 0));
    m_datasetsWindow->show();
    m_datasetsWindow->raise();
}

void MainWindow::addDataset(DatasetKind kind)
{
    m_datasets.push_back({freshDatasetName(m_datasets, kind), kind, datasetColour(int(m_datasets.size())), {}, std::nullopt});
    m_currentDataset = int(m_datasets.size()) - 1;
    commitAction(QStringLiteral("add a dataset"));
}

void MainWindow::toggleCollection()
{
    m_collecting = !m_collecting;
    m_selectedPoint.reset();
    m_columnSpan.reset();
    // Collection adds to the current point set, or edits the current curve; with none, a new set.
    if (m_collecting && m_currentDataset < 0)
        addDataset(DatasetKind::Points);
    if (m_collecting)
        Picture1->setCursor(Qt::CrossCursor);
    else
        Picture1->unsetCursor();
    Picture1->overlayChanged();
}

bool MainWindow::collectAt(float x, float y)
{
    if (!m_collecting || m_currentDataset < 0)
        return false;
    Dataset &set = m_datasets[size_t(m_currentDataset)];
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
    const Calibration current = calibration();
    if (!insideFrame(current, x, y))
        return true;
    // The values exactly as a point read computes them, shown as it shows them.
    const PointReadout readout = readPoint(current, x, y);
    digitizePoint(x, y);
    if (readout.fault)
        return true;
    if (int(set.points.size()) >= MaxDatasetPoints) {
        showMessage(this, tr("点の組は %1 点までです。\n(A point set holds at most %1 points.)").arg(MaxDatasetPoints),
                    QMessageBox::Warning);
        return true;
    }
    set.points.push_back({x, y, *PixelToAxisX(current, x).value, *PixelToAxisY(current, y).value});
    m_selectedPoint = int(set.points.size()) - 1;
    m_lastPlaced = Placed::Collected;
    commitAction(QStringLiteral("collect a point"));
    return true;
}

void MainWindow::pictureDragged(QPointF at)
{
    if (!m_collecting || m_currentDataset < 0)
        return;
    if (m_spanFrom) {
        m_columnSpan = std::pair{std::floor(std::min(*m_spanFrom, at.x())), std::floor(std::max(*m_spanFrom, at.x()))};
        Picture1->overlayChanged();
        return;
    }
    if (m_draggingPoint && m_selectedPoint) {
        // The point follows the pointer, read as a press there reads it.
        DataPoint &p = m_datasets[size_t(m_currentDataset)].points[size_t(*m_selectedPoint)];
        const Calibration current = calibration();
        const AxisValue vx = PixelToAxisX(current, float(at.x())), vy = PixelToAxisY(current, float(at.y()));
        if (insideFrame(current, float(at.x()), float(at.y())) && vx.value && vy.value)
            p = {std::floor(at.x()), std::floor(at.y()), *vx.value, *vy.value};
        Picture1->overlayChanged();
    }
}

void MainWindow::pictureReleased(QPointF)
{
    const bool moved = m_draggingPoint;
    m_draggingPoint = false;
    m_spanFrom.reset();
    if (moved)
        commitAction(QStringLiteral("move a point"));
}

void MainWindow::editChosenColumns(bool interpolate)
{
    if (!m_columnSpan || m_currentDataset < 0)
        return;
    Dataset &curve = m_datasets[size_t(m_currentDataset)];
    if (curve.kind != DatasetKind::Curve)
        return;
    const auto [from, to] = *m_columnSpan;
    auto inside = [&](const DataPoint &p) { return std::floor(p.px) >= from && std::floor(p.px) <= to; };
    if (!interpolate) {
        std::erase_if(curve.points, inside);
    } else {
        // Straight between the last point before the columns and the first after them.
        const auto before = std::find_if(curve.points.rbegin(), curve.points.rend(), [&](const DataPoint &p) { return std::floor(p.px) < from; });
        const auto after = std::find_if(curve.points.begin(), curve.points.end(), [&](const DataPoint &p) { return std::floor(p.px) > to; });
        if (before == curve.points.rend() || after == curve.points.end())
            return;
        const DataPoint a = *before, b = *after;
        const Calibration current = calibration();
        for (DataPoint &p : curve.points) {
            if (!inside(p))
                continue;
            const double t = (p.px - a.px) / (b.px - a.px);
            p.py = a.py + t * (b.py - a.py);
            if (const AxisValue y = PixelToAxisY(current, float(p.py)); y.value)
                p.y = *y.value;
        }
    }
    m_columnSpan.reset();
    commitAction(interpolate ? QStringLiteral("draw columns straight") : QStringLiteral("delete columns"));
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
    if (!m_collecting || !m_selectedPoint || m_currentDataset < 0)
        return;
    auto &points = m_datasets[size_t(m_currentDataset)].points;
    if (*m_selectedPoint >= int(points.size()))
        return;
    points.erase(points.begin() + *m_selectedPoint);
    m_selectedPoint.reset();
    commitAction(QStringLiteral("delete a point"));
}

void MainWindow::moveSelectedPoint(int dx, int dy)
{
    auto &points = m_datasets[size_t(m_currentDataset)].points;
    DataPoint &p = points[size_t(*m_selectedPoint)];
    const Calibration current = calibration();
    const float x = float(p.px + dx), y = float(p.py + dy);
    if (!insideFrame(current, x, y))
        return;
    const AxisValue vx = PixelToAxisX(current, x), vy = PixelToAxisY(current, y);
    if (!vx.value || !vy.value)
        return;
    p = {x, y, *vx.value, *vy.value};
    commitAction(QStringLiteral("move a point"));
}

void MainWindow::fillCurrentCurve(const TraceResult &trace, const TraceOptions &options)
{
    if (m_currentDataset < 0 || m_datasets[size_t(m_currentDataset)].kind != DatasetKind::Curve)
        return;
    // A followed curve keeps how it was followed, for curvix-trace to follow it again.
    TraceOptions kept = options;
    kept.exclusions.clear();
    m_datasets[size_t(m_currentDataset)].trace = options.follow || options.colour ? std::optional(kept) : std::nullopt;
    auto &points = m_datasets[size_t(m_currentDataset)].points;
    points.clear();
    for (int k = 0; k < trace.pointCount(); ++k)
        points.push_back({double(m_tracedFirstColumn) + k, trace.pickedRows[size_t(k)], trace.xs[size_t(k)], trace.ys[size_t(k)]});
}

void MainWindow::exportDatasets()
{
    if (m_datasets.empty()) {
        showMessage(this, tr("書き出すデータセットがありません。Ctrl+D で追加して下さい。\n"
                                         "(There are no datasets to export: add them with Ctrl+D.)"),
                    QMessageBox::Information);
        return;
    }
    const QString folder = m_picturePath.isEmpty() ? Dir2->path() : QFileInfo(m_picturePath).path();
    QFileDialog dialog(this, tr("データセットを書き出す (Export the datasets)"), folder,
                       QStringLiteral("CSV, one line per point (*.csv);;CSV on a shared X (*-wide.csv);;"
                                      "TSV (*.tsv);;JSON (*.json)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    const QByteArray bytes = ::exportDatasets(m_datasets, exportFormFor(path), m_state.AxisScale);
    if (const auto error = writeFileAtomically(path, bytes)) {
        showMessage(this, tr("書き出せません。\n%1\n%2").arg(QDir::toNativeSeparators(path), *error),
                    QMessageBox::Critical);
    }
}
