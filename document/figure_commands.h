#pragma once

#include "document/dataset.h"

#include <QUndoCommand>

#include <functional>

class FigureDocument;

// One value of the document replaced: it keeps the value before and after
// and puts one back through the document. Commands with the same merge id
// (a run of nudges) become one, from the first's before to the last's after.
template<typename Value>
class SetCommand : public QUndoCommand
{
public:
    using Put = std::function<void(const Value &)>;
    SetCommand(const QString &label, Value before, Value after, Put put, int mergeId)
        : QUndoCommand(label)
        , m_before(std::move(before))
        , m_after(std::move(after))
        , m_put(std::move(put))
        , m_id(mergeId)
    {
    }

    void undo() override { m_put(m_before); }
    void redo() override { m_put(m_after); }
    int id() const override { return m_id; }
    bool mergeWith(const QUndoCommand *other) override
    {
        m_after = static_cast<const SetCommand *>(other)->m_after;
        return true;
    }

private:
    Value m_before;
    Value m_after;
    Put m_put;
    int m_id;
};

// One point of a dataset added, deleted or moved: the point alone is kept,
// so that thousands of clicks cost little. Moves of one point under one
// merge id (a drag) become one.
class PointCommand : public QUndoCommand
{
public:
    enum class Kind { Add, Delete, Move };
    PointCommand(FigureDocument *document, Kind kind, int dataset, int index, DataPoint before, DataPoint after,
                 int mergeId);

    void undo() override;
    void redo() override;
    int id() const override { return m_id; }
    bool mergeWith(const QUndoCommand *other) override;

private:
    FigureDocument *m_document;
    Kind m_kind;
    int m_dataset;
    int m_index;
    DataPoint m_before;
    DataPoint m_after;
    int m_id;
};

// A dataset added or deleted, with the current dataset before and after.
class DatasetCommand : public QUndoCommand
{
public:
    DatasetCommand(FigureDocument *document, bool add, int index, Dataset dataset, int currentBefore, int currentAfter);

    void undo() override { apply(!m_add, m_currentBefore); }
    void redo() override { apply(m_add, m_currentAfter); }

private:
    void apply(bool insert, int current);

    FigureDocument *m_document;
    bool m_add;
    int m_index;
    Dataset m_dataset;
    int m_currentBefore;
    int m_currentAfter;
};
