#pragma once

#include "calibration/axes_transform.h"
#include "calibration/calibration.h"
#include "calibration/trace_options.h"
#include "document/dataset.h"
#include "document/figure.h"
#include "document/work_state.h"

#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <array>
#include <optional>
#include <vector>

class QUndoCommand;
class QUndoStack;

// Which calibration corner.
enum class Corner { Start, End };

// The picture a figure is read from: its file (empty when pasted or none)
// and, for a page of a PDF, the page and resolution.
struct PictureRef
{
    QString path;
    std::optional<int> page;
    std::optional<int> dpi;
};

// A captured corner and whether its cross and read-outs show (Reset hides
// them; the corner stays in force).
struct CornerMark
{
    QPointF at;
    bool shown = false;
    friend bool operator==(const CornerMark &, const CornerMark &) = default;
};

// What the last point read shows: its cross and the two read-outs.
struct PointRead
{
    QPointF at;
    bool crossShown = false;
    QString xText;
    QString yText;
    friend bool operator==(const PointRead &, const PointRead &) = default;
};

// The last trace: the record's tables, the picture column of its first
// point and the points the overlay marks as doubtful or bridged.
struct TraceTables
{
    std::optional<int> pointCount;
    std::array<std::array<double, WorkState::TableLast + 1>, 2> points{};
    WorkState::CurveTable curveY{};
    float firstColumn = 0;
    std::vector<int> doubtful;
    friend bool operator==(const TraceTables &, const TraceTables &) = default;
};

// One figure as the user works on it: the picture, the calibration (the
// corner values as typed, the corner pixels, the scale), the options of the
// last followed trace, the exclusions, the datasets and the last trace.
// Every edit is one command on its undo stack holding what it changed; the
// windows, the overlays and the autosave observe the signals.
class FigureDocument : public QObject
{
    Q_OBJECT

public:
    explicit FigureDocument(QObject *parent = nullptr);
    ~FigureDocument() override;

    // The record the specified handlers read.
    const WorkState &record() const { return m_record; }
    void setClickMode(ClickMode mode) { m_record.ClickMode = mode; }

    const CornerTexts &values() const { return m_values; }
    Calibration calibration() const;
    // The double-precision mapping the trace, the exports and the files use.
    std::optional<AxesTransform> transform(AxisFault *fault = nullptr) const;
    const CornerMark &corner(Corner corner) const { return m_corners[corner == Corner::Start ? 0 : 1]; }
    // Both corners captured since the start or the last Reset.
    bool cornersCaptured() const { return m_corners[0].shown && m_corners[1].shown; }
    const PointRead &pointRead() const { return m_pointRead; }
    const TraceTables &trace() const { return m_trace; }
    const std::vector<QRectF> &exclusions() const { return m_exclusions; }
    const std::vector<Dataset> &datasets() const { return m_datasets; }
    int currentDataset() const { return m_current; }
    const PictureRef &picture() const { return m_picture; }
    // How the last followed trace was seeded, kept for the calibration file.
    const TraceOptions &followed() const { return m_followed; }
    void setFollowed(const TraceOptions &options) { m_followed = options; }
    QUndoStack *undoStack() const { return m_undo; }

    // The whole figure as the calibration and recovery files keep it.
    Figure file() const;

    // Edits, each undoable. Commands that share a merge id (a drag, a run of
    // nudges) merge into one.
    enum Merge { NoMerge = -1, NudgeStart = 1, NudgeEnd, NudgePoint, DragPoint, NudgeCollected };
    void setCorner(Corner corner, QPointF at, Merge merge = NoMerge);
    // Typing changes the values at once; the typed values become one command
    // when the box is left (or before the next command).
    void typeValues(const CornerTexts &texts);
    void commitValues();
    void setValues(const CornerTexts &texts);
    void setScale(AxisScale scale);
    void setPointRead(const PointRead &read, Merge merge = NoMerge);
    void setTrace(const TraceTables &trace);
    void setExclusions(const std::vector<QRectF> &exclusions);
    void addDataset(DatasetKind kind);
    void renameDataset(int index, const QString &name);
    void deleteDataset(int index);
    void chooseDataset(int index);
    void replaceDatasets(const std::vector<Dataset> &datasets, int current);
    void addPoint(int dataset, const DataPoint &point);
    void movePoint(int dataset, int index, const DataPoint &to, Merge merge = NoMerge);
    void deletePoint(int dataset, int index);
    // A curve's points (a trace, an edit) and how it was traced.
    void setPoints(int dataset, const std::vector<DataPoint> &points, const std::optional<TraceOptions> &trace);

    // The edits after this merge with none before it (a drag has ended).
    void endMerge() { ++m_mergeSerial; }
    // Several edits as one undo step.
    void beginEdit(const QString &label);
    void endEdit();

    // Not undoable: Reset hides the crosses and read-outs and chooses the
    // linear scale; a new picture clears the exclusions and starts a new history.
    void resetMarks();
    void setPicture(const PictureRef &picture);
    void startNewHistory();

signals:
    void cornersChanged();
    void valuesChanged();
    void scaleChanged();
    void pointReadChanged();
    void traceChanged();
    void exclusionsChanged();
    void datasetsChanged();
    // Anything that the recovery file keeps.
    void changed();

private:
    template<typename Value>
    friend class SetCommand;
    friend class PointCommand;
    friend class DatasetCommand;

    void push(QUndoCommand *command);
    // The command id that merges with commands of the same kind since the last endMerge.
    int mergeId(Merge merge) const { return merge == NoMerge ? -1 : int(merge) + 16 * (m_mergeSerial % 100000); }
    // What the commands put in place.
    void putCorner(Corner corner, const CornerMark &mark);
    void putValues(const CornerTexts &texts);
    void putScale(AxisScale scale);
    void putPointRead(const PointRead &read);
    void putTrace(const TraceTables &trace);
    void putExclusions(const std::vector<QRectF> &exclusions);
    void putDatasets(const std::vector<Dataset> &datasets);
    void putCurrent(int current);
    Dataset &dataset(int index) { return m_datasets[size_t(index)]; }
    void datasetEdited();

    WorkState m_record;
    CornerTexts m_values;
    CornerTexts m_committedValues;
    std::array<CornerMark, 2> m_corners;
    PointRead m_pointRead;
    TraceTables m_trace;
    std::vector<QRectF> m_exclusions;
    std::vector<Dataset> m_datasets;
    int m_current = -1;
    PictureRef m_picture;
    TraceOptions m_followed;
    QUndoStack *m_undo;
    int m_mergeSerial = 0;
};
