#pragma once

#include "app/corner_panel.h"
#include "app/form1_ui.h"
#include "app/graph_window.h"
#include "app/picture_tool.h"
#include "axes/axis_finder.h"
#include "calibration/calibration.h"
#include "digitize/auto_trace.h"

#include <memory>

#include <QPointer>
#include <QWidget>

class DatasetsWindow;

class ExclusionAreas;
class QUndoStack;
struct Figure;
using CalibrationFile = Figure;
class QDir;
class Loupe;
class PrecisionAids;
struct AxisFault;

// A trace with where it is doubtful, under the calibration it was made with.
struct TracedCurve
{
    Calibration calibration;
    TraceOptions options;
    TraceResult trace;
    TraceQuality quality;
};

// Form1, the main window: the workflow of loading, calibrating, digitizing
// and saving, over three parts: the controls (Form1Ui), the calibration
// panel's fields (CornerPanel) and the precision aids. The view of the
// picture (zoom and pan), the datasets and the undo stack join them here as
// parts of their own.
class MainWindow : public QWidget, public Form1Ui
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The figure the window shows and edits.
    FigureDocument *document() const { return m_document; }
    const WorkState &workState() const { return m_document->record(); }
    // The corners and scale of the working state with the values typed in
    // Text1 ... Text4, read afresh.
    Calibration calibration() const;
    // The graph window, or null before the first "Graph Draw" or after the
    // user closed it by its close box.
    GraphWindow *graphWindow() const { return m_graphWindow; }
    CornerPanel *cornerPanel() const { return m_corners; }
    PrecisionAids *aids() const { return m_aids; }

    // Loads a picture named on the command line as "OK" loads one; the image
    // browser moves to its folder and selects it when the list shows such names.
    void openFromCommandLine(const QString &path);
    // Loads the first of files dropped on the window; only local files load.
    void dropFiles(const QList<QUrl> &urls);

    // The precision aids, each switched by its key and off at start.
    bool isLoupeOn() const;
    bool isGridOn() const;
    bool isTraceOverlayOn() const;
    Loupe *loupe() const;

    // What the keys of the key table run besides the aids' switches.
    void copyTrace();
    void saveCalibration();
    void openCalibration();
    void pastePicture();
    void showKeys();
    // Ctrl+F: the next click inside the frame seeds a followed trace.
    void armFollow();
    // Ctrl+K: finds the axes and their labels and sets both corners, their values and the scale.
    void findAxesOfPicture();
    // Long work (finding the axes, a followed trace) under way on a worker.
    bool isWorking() const;
    // Ctrl+Shift+L: English or Japanese, kept for the next start.
    void switchLanguage();
    // Ctrl+O: a picture or a page of a PDF, through a standard file dialog.
    void openPicture();
    // Ctrl+E: the next drag draws an exclusion rectangle; Ctrl+Shift+E removes them.
    void armExclusion();
    void clearExclusions();
    const std::vector<QRectF> &exclusions() const;
    // Datasets: Ctrl+D shows them, Ctrl+Shift+P collects points into the
    // current point set, Delete removes the chosen point, Ctrl+Shift+X exports
    // them all. Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y undo and redo any action.
    void showDatasetsWindow();
    void toggleCollection();
    bool isCollecting() const { return m_collecting; }
    void deleteSelectedPoint();
    // Ctrl+Shift+I: the columns chosen on the current curve drawn straight
    // between their neighbours (Delete removes them).
    void interpolateChosenColumns();
    void exportDatasets();
    void undo();
    void redo();
    const std::vector<Dataset> &datasets() const { return m_document->datasets(); }
    int currentDataset() const { return m_document->currentDataset(); }
    DatasetsWindow *datasetsWindow() const { return m_datasetsWindow; }
    QUndoStack *undoStack() const { return m_document->undoStack(); }

    // At start: offers what a crash or a kill left (restore, the default, or
    // discard), then keeps the workspace after every change until a normal exit.
    void startRecovery();
    // The workspace as a calibration file: picture, calibration, exclusions, datasets.
    CalibrationFile workspaceFile() const;

    // The next press on the picture goes to this tool, until it is done (a
    // key of the key table arms it).
    void armTool(std::unique_ptr<PictureTool> tool);

    // What the picture tools call.
    // A click in collection mode: chooses a collected point or adds one; false when not collecting.
    bool collectAt(float x, float y);
    void pictureDragged(QPointF at);
    void pictureReleased(QPointF at);
    void captureCorner(float x, float y);
    void digitizePoint(float x, float y, FigureDocument::Merge merge = FigureDocument::NoMerge);
    // Seeds a followed trace at a press inside the frame; false outside it.
    bool followFrom(float x, float y);
    ExclusionAreas *exclusionAreas() const { return m_exclusions; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void connectHandlers();
    void createAids();
    void bindKeys();
    // Other ways to get a picture in: a file dropped on the window, Ctrl+V.
    void createInputWays();
    void createDatasets();
    // The window shows the document: crosses, read-outs, fields, overlays.
    void observeDocument();
    void showCorners();
    void showPointRead();
    void datasetsChanged();
    // A click in collection mode: chooses a collected point or adds one; false when not collecting.
    void moveSelectedPoint(int dx, int dy);
    void editChosenColumns(bool interpolate);
    void fillCurrentCurve(const TraceResult &trace, const TraceOptions &options);
    void startUp();

    // Image browser, reset and exit.
    void loadImage();
    // How a picture's transparent parts are shown: on the picture area's grey
    // as "OK" shows them, or on white as a viewer shows them.
    enum class Transparency { OnPictureArea, OnWhite };
    // Decodes and shows a picture file; one that can't be read shows why and
    // changes nothing.
    // A PDF's page and resolution, when the picture is a page of one.
    struct PdfChoice
    {
        int page = 1;
        int dpi = 300;
    };
    // Without `pdf`, a PDF asks which page and resolution.
    bool loadPictureFile(const QString &path, Transparency transparency, std::optional<PdfChoice> pdf = std::nullopt);
    bool loadPdfPage(const QString &path, std::optional<PdfChoice> pdf);
    void showPicture(const QImage &picture, const QString &path);
    void reportUnreadablePicture(const QString &path, const QString &reason);
    void reset();
    void exitAndSave();
    void showBanner();
    void hideMarkers();
    void reportUnreadableFolder(const QString &path);

    // Calibration, digitizing, output.
    void armCapture(ClickMode mode);
    void pictureMouseDown(float x, float y);
    void pictureMouseMoved(QPointF at);
    void pictureMouseUp(QPointF at);
    void disarmWhenDone();
    void autoDigitize();
    TraceOptions windowTraceOptions() const;
    // Traces as "Auto Digitize" does and keeps the result the same way.
    void traceAndStore(const TraceOptions &options);
    // The followed trace on a worker, kept the same way when it is done.
    void followInBackground(const TraceOptions &options);
    // Keeps a trace as the last one (and in the current curve); only
    // "Auto Digitize" hands control back to the event loop before its message.
    void applyTrace(const TracedCurve &traced, bool returnToEventLoop);
    void applyFoundAxes(const FoundAxes &found);
    void reportBusy();
    void saveData();
    void drawGraph();
    void closeGraph();
    void setCrossMarker(int horizontal, float x, float y);
    void showCross(int horizontal, QPointF at, bool shown);
    void reportFault(const AxisFault &fault);
    // Both corners captured since the start or the last Reset.
    bool cornersCaptured() const { return m_document->cornersCaptured(); }
    // Sets a corner as a press in capture mode does, without moving the focus.
    void setCorner(Corner corner, float x, float y, FigureDocument::Merge merge = FigureDocument::NoMerge);
    // Moves the item placed last by (dx, dy) pixels, as a press there would.
    void nudge(int dx, int dy);
    // A new picture (or none) is shown: its file, and the old trace's overlay off.
    void forgetPicture(const QString &path);
    // Puts a calibration file's picture, corners, values, scale, exclusions
    // and datasets into the window; names what was left out.
    void applyCalibrationFile(const CalibrationFile &file, const QDir &folder, QStringList skipped,
                              bool withCorners = true);
    void autosave();

    FigureDocument *m_document = nullptr;
    CornerPanel *m_corners = nullptr;
    PrecisionAids *m_aids = nullptr;
    QPointer<GraphWindow> m_graphWindow;

    // The item placed last, which Alt+arrow keys move.
    enum class Placed { Nothing, StartPoint, EndPoint, Point, Collected };
    Placed m_lastPlaced = Placed::Nothing;
    QPointF m_lastPlacedAt;
    ExclusionAreas *m_exclusions = nullptr;
    // The tool a key armed for the next press, the standing tools after it,
    // and the tool that took the press under way.
    std::unique_ptr<PictureTool> m_armedTool;
    std::vector<std::unique_ptr<PictureTool>> m_standingTools;
    PictureTool *m_pressedTool = nullptr;
    bool m_collecting = false;
    std::optional<int> m_selectedPoint; // in the current point set
    bool m_draggingPoint = false;
    std::optional<double> m_spanFrom; // a drag across a curve's columns under way
    std::optional<std::pair<double, double>> m_columnSpan; // the columns chosen on the current curve
    DatasetsWindow *m_datasetsWindow = nullptr;
    class LongTask *m_longTask = nullptr;
    int m_pictureShown = 0; // counts the pictures shown, so that long work finds whether its picture is still there
    class Autosave *m_autosaver = nullptr;
    bool m_autosave = false;
};
