#include "document/figure_document.h"

#include "document/figure_commands.h"

#include <QUndoStack>

FigureDocument::FigureDocument(QObject *parent)
    : QObject(parent)
    , m_undo(new QUndoStack(this))
{
}

FigureDocument::~FigureDocument() = default;

Calibration FigureDocument::calibration() const
{
    return calibrationOf(m_record, readCornerValues(m_values));
}

std::optional<AxesTransform> FigureDocument::transform(AxisFault *fault) const
{
    return AxesTransform::fromCorners(calibration(), fault);
}

Figure FigureDocument::file() const
{
    Figure file;
    file.image = m_picture.path;
    file.page = m_picture.page;
    file.dpi = m_picture.dpi;
    file.start = {m_record.StartPixelX, m_record.StartPixelY};
    file.end = {m_record.EndPixelX, m_record.EndPixelY};
    file.values = m_values;
    file.scale = m_record.AxisScale == AxisScale::Unset ? AxisScale::LinearLinear : m_record.AxisScale;
    file.trace = m_followed;
    file.trace.exclusions = m_exclusions;
    file.datasets = m_datasets;
    return file;
}

void FigureDocument::push(QUndoCommand *command)
{
    // Values typed and not yet committed go first, as their own step.
    commitValues();
    m_undo->push(command);
}

void FigureDocument::beginEdit(const QString &label)
{
    commitValues();
    m_undo->beginMacro(label);
}

void FigureDocument::endEdit()
{
    m_undo->endMacro();
}

void FigureDocument::setCorner(Corner corner, QPointF at, Merge merge)
{
    const CornerMark before = this->corner(corner), after{at, true};
    if (before == after)
        return;
    const bool start = corner == Corner::Start;
    push(new SetCommand<CornerMark>(start ? QStringLiteral("Move start point") : QStringLiteral("Move end point"), before,
                                    after, [this, corner](const CornerMark &m) { putCorner(corner, m); }, mergeId(merge)));
}

void FigureDocument::typeValues(const CornerTexts &texts)
{
    if (texts == m_values)
        return;
    m_values = texts;
    emit valuesChanged();
    emit changed();
}

void FigureDocument::commitValues()
{
    if (m_values == m_committedValues)
        return;
    const CornerTexts before = m_committedValues;
    m_committedValues = m_values;
    m_undo->push(new SetCommand<CornerTexts>(QStringLiteral("Type a value"), before, m_values,
                                             [this](const CornerTexts &t) { putValues(t); }, NoMerge));
}

void FigureDocument::setValues(const CornerTexts &texts)
{
    commitValues();
    if (texts == m_values)
        return;
    push(new SetCommand<CornerTexts>(QStringLiteral("Type a value"), m_values, texts,
                                     [this](const CornerTexts &t) { putValues(t); }, NoMerge));
}

void FigureDocument::setScale(AxisScale scale)
{
    if (scale == m_record.AxisScale)
        return;
    push(new SetCommand<AxisScale>(QStringLiteral("Choose a scale"), m_record.AxisScale, scale,
                                   [this](AxisScale s) { putScale(s); }, NoMerge));
}

void FigureDocument::setPointRead(const PointRead &read, Merge merge)
{
    if (read == m_pointRead)
        return;
    push(new SetCommand<PointRead>(QStringLiteral("Read a point"), m_pointRead, read,
                                   [this](const PointRead &r) { putPointRead(r); }, mergeId(merge)));
}

void FigureDocument::setTrace(const TraceTables &trace)
{
    push(new SetCommand<TraceTables>(QStringLiteral("Trace"), m_trace, trace, [this](const TraceTables &t) { putTrace(t); },
                                     NoMerge));
}

void FigureDocument::setExclusions(const std::vector<QRectF> &exclusions)
{
    if (exclusions == m_exclusions)
        return;
    push(new SetCommand<std::vector<QRectF>>(QStringLiteral("Exclusions"), m_exclusions, exclusions,
                                             [this](const std::vector<QRectF> &e) { putExclusions(e); }, NoMerge));
}

void FigureDocument::addDataset(DatasetKind kind)
{
    const int index = int(m_datasets.size());
    push(new DatasetCommand(this, true, index,
                            {freshDatasetName(m_datasets, kind), kind, datasetColour(index), {}, std::nullopt}, m_current,
                            index));
}

void FigureDocument::renameDataset(int index, const QString &name)
{
    if (index < 0 || index >= int(m_datasets.size()) || dataset(index).name == name)
        return;
    push(new SetCommand<QString>(QStringLiteral("Rename a dataset"), dataset(index).name, name,
                                 [this, index](const QString &n) {
                                     dataset(index).name = n;
                                     datasetEdited();
                                 },
                                 NoMerge));
}

void FigureDocument::deleteDataset(int index)
{
    if (index < 0 || index >= int(m_datasets.size()))
        return;
    // The current dataset stays current; when it is the one deleted, the one after it (or before, at the end).
    const int after = m_current > index ? m_current - 1 : m_current == index ? std::min(index, int(m_datasets.size()) - 2) : m_current;
    push(new DatasetCommand(this, false, index, dataset(index), m_current, after));
}

void FigureDocument::chooseDataset(int index)
{
    if (index == m_current)
        return;
    push(new SetCommand<int>(QStringLiteral("Choose a dataset"), m_current, index, [this](int c) { putCurrent(c); },
                             NoMerge));
}

void FigureDocument::replaceDatasets(const std::vector<Dataset> &datasets, int current)
{
    using Value = std::pair<std::vector<Dataset>, int>;
    if (datasets == m_datasets && current == m_current)
        return;
    push(new SetCommand<Value>(QStringLiteral("Datasets"), Value{m_datasets, m_current}, Value{datasets, current},
                               [this](const Value &v) {
                                   m_current = v.second;
                                   putDatasets(v.first);
                               },
                               NoMerge));
}

void FigureDocument::addPoint(int dataset, const DataPoint &point)
{
    const int index = int(this->dataset(dataset).points.size());
    push(new PointCommand(this, PointCommand::Kind::Add, dataset, index, {}, point, NoMerge));
}

void FigureDocument::movePoint(int dataset, int index, const DataPoint &to, Merge merge)
{
    const DataPoint from = this->dataset(dataset).points[size_t(index)];
    if (from == to)
        return;
    push(new PointCommand(this, PointCommand::Kind::Move, dataset, index, from, to, mergeId(merge)));
}

void FigureDocument::deletePoint(int dataset, int index)
{
    push(new PointCommand(this, PointCommand::Kind::Delete, dataset, index, this->dataset(dataset).points[size_t(index)], {},
                          NoMerge));
}

void FigureDocument::setPoints(int dataset, const std::vector<DataPoint> &points, const std::optional<TraceOptions> &trace)
{
    using Value = std::pair<std::vector<DataPoint>, std::optional<TraceOptions>>;
    const Dataset &d = this->dataset(dataset);
    if (d.points == points && d.trace == trace)
        return;
    push(new SetCommand<Value>(QStringLiteral("Edit a curve"), Value{d.points, d.trace}, Value{points, trace},
                               [this, dataset](const Value &v) {
                                   this->dataset(dataset).points = v.first;
                                   this->dataset(dataset).trace = v.second;
                                   datasetEdited();
                               },
                               NoMerge));
}

void FigureDocument::resetMarks()
{
    for (Corner c : {Corner::Start, Corner::End}) {
        CornerMark mark = corner(c);
        mark.shown = false;
        putCorner(c, mark);
    }
    PointRead read = m_pointRead;
    read.crossShown = false;
    putPointRead(read);
    putScale(AxisScale::LinearLinear);
}

void FigureDocument::setPicture(const PictureRef &picture)
{
    m_picture = picture;
    putExclusions({});
    emit changed();
}

void FigureDocument::startNewHistory()
{
    m_committedValues = m_values;
    m_undo->clear();
}

void FigureDocument::putCorner(Corner corner, const CornerMark &mark)
{
    const bool start = corner == Corner::Start;
    m_corners[start ? 0 : 1] = mark;
    (start ? m_record.StartPixelX : m_record.EndPixelX) = float(mark.at.x());
    (start ? m_record.StartPixelY : m_record.EndPixelY) = float(mark.at.y());
    emit cornersChanged();
    emit changed();
}

void FigureDocument::putValues(const CornerTexts &texts)
{
    m_values = texts;
    m_committedValues = texts;
    emit valuesChanged();
    emit changed();
}

void FigureDocument::putScale(AxisScale scale)
{
    if (scale == m_record.AxisScale)
        return;
    m_record.AxisScale = scale;
    emit scaleChanged();
    emit changed();
}

void FigureDocument::putPointRead(const PointRead &read)
{
    m_pointRead = read;
    emit pointReadChanged();
}

void FigureDocument::putTrace(const TraceTables &trace)
{
    m_trace = trace;
    m_record.PointCount = trace.pointCount;
    m_record.Points = trace.points;
    m_record.CurveY = trace.curveY;
    emit traceChanged();
}

void FigureDocument::putExclusions(const std::vector<QRectF> &exclusions)
{
    m_exclusions = exclusions;
    emit exclusionsChanged();
    emit changed();
}

void FigureDocument::putDatasets(const std::vector<Dataset> &datasets)
{
    m_datasets = datasets;
    datasetEdited();
}

void FigureDocument::putCurrent(int current)
{
    m_current = current;
    datasetEdited();
}

void FigureDocument::datasetEdited()
{
    emit datasetsChanged();
    emit changed();
}
