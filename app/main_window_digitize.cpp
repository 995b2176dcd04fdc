// The main window's digitizing handlers: corner capture, point read-out,
// automatic trace, data file and graph window.
#include "app/main_window.h"

#include "app/exclusion_areas.h"
#include "app/file_lists.h"
#include "app/graph_window.h"
#include "app/language.h"
#include "app/message_box.h"
#include "app/picture_box.h"
#include "app/picture_tools.h"
#include "output/fault_text.h"
#include "calibration/number_text.h"
#include "digitize/auto_trace.h"
#include "digitize/line_weight.h"
#include "digitize/point_read.h"
#include "digitize/trace_bounds.h"
#include "output/data_file.h"
#include "output/graph_drawing.h"

#include "app/long_task.h"

#include <QCoreApplication>

#include <algorithm>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Marker indices: each cross is a horizontal and a vertical arm.
constexpr int StartCross = 0;
constexpr int EndCross = 2;
constexpr int PointCross = 4;
constexpr float ArmLength = 8;

} // namespace

void MainWindow::armCapture(ClickMode mode)
{
    m_document->setClickMode(mode);
    Picture1->setCursor(Qt::CrossCursor);
}

void MainWindow::pictureMouseDown(float x, float y)
{
    const QPointF at(x, y);
    m_pressedTool = nullptr;
    if (m_armedTool && m_armedTool->press(at)) {
        m_pressedTool = m_armedTool.get();
        disarmWhenDone();
        return;
    }
    for (const auto &tool : m_standingTools) {
        if (tool->press(at)) {
            m_pressedTool = tool.get();
            return;
        }
    }
}

void MainWindow::pictureMouseMoved(QPointF at)
{
    if (m_pressedTool)
        m_pressedTool->drag(at);
}

void MainWindow::pictureMouseUp(QPointF at)
{
    if (PictureTool *tool = std::exchange(m_pressedTool, nullptr))
        tool->release(at);
    disarmWhenDone();
}

void MainWindow::disarmWhenDone()
{
    // Done: the next press goes to the standing tools.
    if (m_armedTool && m_armedTool->done()) {
        if (m_pressedTool == m_armedTool.get())
            m_pressedTool = nullptr;
        m_armedTool.reset();
    }
}

void MainWindow::setCrossMarker(int horizontal, float x, float y)
{
    Picture1->setMarker(horizontal, QLineF(x - ArmLength, y, x + ArmLength, y));
    Picture1->setMarker(horizontal + 1, QLineF(x, y - ArmLength, x, y + ArmLength));
    Picture1->setMarkerVisible(horizontal, true);
    Picture1->setMarkerVisible(horizontal + 1, true);
}

void MainWindow::showCross(int horizontal, QPointF at, bool shown)
{
    // A cross hidden by Reset keeps its place; one never placed has none.
    if (shown || !at.isNull()) {
        setCrossMarker(horizontal, float(at.x()), float(at.y()));
    } else {
        Picture1->setMarker(horizontal, QLineF());
        Picture1->setMarker(horizontal + 1, QLineF());
    }
    Picture1->setMarkerVisible(horizontal, shown);
    Picture1->setMarkerVisible(horizontal + 1, shown);
}

void MainWindow::captureCorner(float x, float y)
{
    // The start point is the lower left corner, the end point the upper right.
    const bool start = workState().ClickMode == ClickMode::StartPoint;
    setCorner(start ? Corner::Start : Corner::End, x, y);
    (start ? Command4 : Command5)->setFocus();
}

void MainWindow::setCorner(Corner corner, float x, float y, FigureDocument::Merge merge)
{
    const bool start = corner == Corner::Start;
    m_lastPlaced = start ? Placed::StartPoint : Placed::EndPoint;
    m_lastPlacedAt = QPointF(x, y);
    m_document->setCorner(corner, QPointF(x, y), merge);
}

void MainWindow::showCorners()
{
    m_corners->clearPixels();
    for (Corner corner : {Corner::Start, Corner::End}) {
        const CornerMark &mark = m_document->corner(corner);
        const int cross = corner == Corner::Start ? StartCross : EndCross;
        if (mark.shown)
            m_corners->showPixel(corner, float(mark.at.x()), float(mark.at.y()));
        showCross(cross, mark.at, mark.shown);
    }
    Picture1->overlayChanged();
}

void MainWindow::digitizePoint(float x, float y, FigureDocument::Merge merge)
{
    const Calibration current = calibration();
    if (!insideFrame(current, x, y))
        return;
    m_lastPlaced = Placed::Point;
    m_lastPlacedAt = QPointF(x, y);
    const PointReadout readout = readPoint(current, x, y);
    PointRead read = m_document->pointRead();
    read.at = QPointF(x, y);
    read.crossShown = true;
    if (!readout.fault) {
        read.xText = readout.xText;
        read.yText = readout.yText;
    }
    m_document->setPointRead(read, merge);
    if (readout.fault)
        reportFault(*readout.fault);
}

void MainWindow::showPointRead()
{
    const PointRead &read = m_document->pointRead();
    showCross(PointCross, read.at, read.crossShown);
    Text10->setText(read.xText);
    Text11->setText(read.yText);
}

void MainWindow::reportFault(const AxisFault &fault)
{
    showMessage(this, Language::isEnglish() ? faultMessageEnglish(fault) : faultMessage(fault), QMessageBox::Warning);
}

TraceOptions MainWindow::windowTraceOptions() const
{
    TraceOptions options; // the window's rule, its 1000 columns
    options.exclusions = m_document->exclusions();
    return options;
}

void MainWindow::autoDigitize()
{
    traceAndStore(windowTraceOptions());
}

void MainWindow::armFollow()
{
    // What "Auto Digitize" answers, before the click rather than after: without
    // both corners there is no frame to click in, and the trace is the same.
    TraceOptions options = windowTraceOptions();
    options.follow = true;
    if (m_longTask->isRunning()) {
        reportBusy();
        return;
    }
    if (!cornersCaptured()) {
        traceAndStore(options);
        return;
    }
    if (const auto fault = traceFault(calibration(), options)) {
        reportFault(*fault);
        return;
    }
    armTool(std::make_unique<FollowSeedTool>(*this));
}

bool MainWindow::followFrom(float x, float y)
{
    const Calibration current = calibration();
    if (!insideFrame(current, x, y))
        return false; // the next click inside the frame seeds the trace
    TraceOptions options = windowTraceOptions();
    options.follow = true;
    options.seed = QPointF(x + 0.5, y + 0.5); // the clicked pixel's centre
    options.colour = clearColourNear(Picture1->surface(), QPoint(int(x), int(y)));
    // Kept for the calibration file, so that curvix-trace follows the same curve.
    TraceOptions followed = m_document->followed();
    followed.follow = true;
    followed.seed = options.seed;
    followed.colour = options.colour;
    m_document->setFollowed(followed);
    followInBackground(options);
    return true;
}

namespace {

// A trace with where it is doubtful, as one value a worker can make.
TracedCurve traceOn(const QImage &surface, const Calibration &calibration, const TraceOptions &options)
{
    TracedCurve traced{calibration, options, traceCurve(surface, calibration, options), {}};
    if (!traced.trace.fault)
        traced.quality = traceQuality(surface, calibration, options, traced.trace);
    return traced;
}

} // namespace

void MainWindow::traceAndStore(const TraceOptions &options)
{
    applyTrace(traceOn(Picture1->surface(), calibration(), options), true);
}

void MainWindow::followInBackground(const TraceOptions &options)
{
    const bool started = m_longTask->run<TracedCurve>(
        [surface = Picture1->surface(), calibration = calibration(), options] { return traceOn(surface, calibration, options); },
        [this, picture = m_pictureShown](const TracedCurve &traced) {
            if (picture == m_pictureShown) // not when another picture came meanwhile
                applyTrace(traced, false);
        });
    if (!started)
        reportBusy();
}

void MainWindow::reportBusy()
{
    showMessage(this, tr("前の処理がまだ終わっていません。\n(The last request is still being worked on.)"),
                QMessageBox::Information);
}

void MainWindow::applyTrace(const TracedCurve &traced, bool returnToEventLoop)
{
    const TraceResult &trace = traced.trace;
    if (trace.fault) {
        reportFault(*trace.fault);
        return;
    }
    WorkState record = workState();
    storeTrace(trace, record);
    TraceTables tables{record.PointCount, record.Points, record.CurveY,
                       TraceBounds::of(traced.calibration).firstColumn + float(trace.firstColumn), {}};
    // Where the trace is doubtful, for the trace overlay: its picked rows more
    // than 3 px from the followed curve, and the bridged columns.
    tables.doubtful = traced.quality.suspect;
    tables.doubtful.insert(tables.doubtful.end(), traced.quality.bridged.begin(), traced.quality.bridged.end());
    std::sort(tables.doubtful.begin(), tables.doubtful.end());
    m_document->beginEdit(QStringLiteral("Trace"));
    m_document->setTrace(tables);
    fillCurrentCurve(trace, traced.options);
    m_document->endEdit();
    m_document->setClickMode(ClickMode::ReadPoint);
    Picture1->unsetCursor();
    // Input that arrived during the scan is handled before the message.
    if (returnToEventLoop)
        QCoreApplication::processEvents();
    QString message = tr("DIGITIZE が終了しました。");
    if (trace.truncated) {
        message += tr("\n枠の幅が %1 列を超えたため、%2 列目から右はトレースしていません。"
                                  "\n(The frame is wider than %1 columns: the columns after the "
                                  "%1th were not traced.)")
                       .arg(WorkState::TableLast)
                       .arg(WorkState::TableLast + 1);
    }
    showMessage(this, message);
    Command8->setFocus();
}

void MainWindow::saveData()
{
    if (Text9->text().isEmpty()) {
        showMessage(this, tr("ファイル名を入力して下さい"), QMessageBox::Warning);
        return;
    }
    const QString path = dataFilePath(Dir2->path(), Text9->text());
    if (const auto error = saveDataFile(path, dataFileBytes(workState()))) {
        showMessage(this,
                    tr("データファイルを書き込めません。\n%1\n%2")
                        .arg(QDir::toNativeSeparators(path), *error),
                    QMessageBox::Critical);
    }
}

void MainWindow::drawGraph()
{
    if (!m_graphWindow) {
        m_graphWindow = new GraphWindow(this);
        connect(m_graphWindow->Command1, &QPushButton::clicked, this, &MainWindow::closeGraph);
    }
    const GraphDrawOutcome outcome = m_graphWindow->draw(calibration(), workState().tableRows());
    if (outcome.fault) {
        reportFault(*outcome.fault);
        return;
    }
    m_graphWindow->show();
    m_graphWindow->raise();
}

void MainWindow::closeGraph()
{
    activateWindow();
    raise();
    Text9->setFocus();
    if (m_graphWindow)
        m_graphWindow->hide();
}

void MainWindow::nudge(int dx, int dy)
{
    if (m_lastPlaced == Placed::Nothing)
        return;
    if (m_lastPlaced == Placed::Collected) {
        if (m_collecting && m_selectedPoint)
            moveSelectedPoint(dx, dy);
        return;
    }
    // Exactly what a press at the new position does, without moving the focus.
    const QSize surface = Picture1->surface().size();
    const QPointF to(std::clamp(m_lastPlacedAt.x() + dx, 0.0, surface.width() - 1.0),
                     std::clamp(m_lastPlacedAt.y() + dy, 0.0, surface.height() - 1.0));
    if (m_lastPlaced == Placed::Point)
        digitizePoint(float(to.x()), float(to.y()), FigureDocument::NudgePoint);
    else if (m_lastPlaced == Placed::StartPoint)
        setCorner(Corner::Start, float(to.x()), float(to.y()), FigureDocument::NudgeStart);
    else
        setCorner(Corner::End, float(to.x()), float(to.y()), FigureDocument::NudgeEnd);
}
