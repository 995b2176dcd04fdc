#pragma once

#include "app/picture_box.h"
#include "app/work_state.h"
#include "document/dataset.h"

#include <QLineF>
#include <QRectF>
#include <QUndoCommand>

#include <array>
#include <functional>
#include <vector>

// Everything an action in the main window can change, as one value: what
// undo puts back exactly (the record, the corner fields, the crosses, the
// read-outs, the overlays, the datasets, the exclusions).
struct Workspace
{
    WorkState state;
    CornerTexts values;
    bool startCaptured = false;
    bool endCaptured = false;
    int lastPlaced = 0;
    QPointF lastPlacedAt;
    std::array<QLineF, PictureBox::MarkerCount> markers{};
    std::array<bool, PictureBox::MarkerCount> markersShown{};
    QString readoutX;
    QString readoutY;
    float tracedFirstColumn = 0;
    std::vector<int> doubtful;
    std::vector<Dataset> datasets;
    int currentDataset = -1;
    std::vector<QRectF> exclusions;

    friend bool operator==(const Workspace &, const Workspace &);
};

// One action on the undo stack: the workspace before and after it. Pushing
// does not apply it again (it has happened); undo and redo put one back.
class WorkspaceCommand : public QUndoCommand
{
public:
    using Restore = std::function<void(const Workspace &)>;
    WorkspaceCommand(const QString &label, Workspace before, Workspace after, Restore restore);

    void undo() override { m_restore(m_before); }
    void redo() override;

private:
    Workspace m_before;
    Workspace m_after;
    Restore m_restore;
    bool m_done = true; // pushed after it happened
};
