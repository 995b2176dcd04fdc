#include "document/figure_commands.h"

#include "document/figure_document.h"

PointCommand::PointCommand(FigureDocument *document, Kind kind, int dataset, int index, DataPoint before,
                           DataPoint after, int mergeId)
    : QUndoCommand(kind == Kind::Add      ? QStringLiteral("Collect a point")
                   : kind == Kind::Delete ? QStringLiteral("Delete a point")
                                          : QStringLiteral("Move a point"))
    , m_document(document)
    , m_kind(kind)
    , m_dataset(dataset)
    , m_index(index)
    , m_before(before)
    , m_after(after)
    , m_id(kind == Kind::Move ? mergeId : -1)
{
}

void PointCommand::redo()
{
    auto &points = m_document->dataset(m_dataset).points;
    if (m_kind == Kind::Add)
        points.insert(points.begin() + m_index, m_after);
    else if (m_kind == Kind::Delete)
        points.erase(points.begin() + m_index);
    else
        points[size_t(m_index)] = m_after;
    m_document->datasetEdited();
}

void PointCommand::undo()
{
    auto &points = m_document->dataset(m_dataset).points;
    if (m_kind == Kind::Add)
        points.erase(points.begin() + m_index);
    else if (m_kind == Kind::Delete)
        points.insert(points.begin() + m_index, m_before);
    else
        points[size_t(m_index)] = m_before;
    m_document->datasetEdited();
}

bool PointCommand::mergeWith(const QUndoCommand *other)
{
    const auto *move = static_cast<const PointCommand *>(other);
    if (move->m_dataset != m_dataset || move->m_index != m_index)
        return false;
    m_after = move->m_after;
    return true;
}

DatasetCommand::DatasetCommand(FigureDocument *document, bool add, int index, Dataset dataset, int currentBefore,
                               int currentAfter)
    : QUndoCommand(add ? QStringLiteral("Add a dataset") : QStringLiteral("Delete a dataset"))
    , m_document(document)
    , m_add(add)
    , m_index(index)
    , m_dataset(std::move(dataset))
    , m_currentBefore(currentBefore)
    , m_currentAfter(currentAfter)
{
}

void DatasetCommand::apply(bool insert, int current)
{
    auto &datasets = m_document->m_datasets;
    if (insert)
        datasets.insert(datasets.begin() + m_index, m_dataset);
    else
        datasets.erase(datasets.begin() + m_index);
    m_document->m_current = current;
    m_document->datasetEdited();
}
