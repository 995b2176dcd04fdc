#include "app/workspace.h"

bool operator==(const Workspace &a, const Workspace &b)
{
    const WorkState &s = a.state, &t = b.state;
    return s.ClickMode == t.ClickMode && s.StartPixelX == t.StartPixelX && s.EndPixelX == t.EndPixelX
        && s.StartPixelY == t.StartPixelY && s.EndPixelY == t.EndPixelY && s.PointCount == t.PointCount
        && s.AxisScale == t.AxisScale && s.Points == t.Points && s.CurveY == t.CurveY && a.values == b.values
        && a.startCaptured == b.startCaptured && a.endCaptured == b.endCaptured && a.lastPlaced == b.lastPlaced
        && a.lastPlacedAt == b.lastPlacedAt && a.markers == b.markers && a.markersShown == b.markersShown
        && a.readoutX == b.readoutX && a.readoutY == b.readoutY && a.tracedFirstColumn == b.tracedFirstColumn
        && a.doubtful == b.doubtful && a.datasets == b.datasets && a.currentDataset == b.currentDataset
        && a.exclusions == b.exclusions;
}

WorkspaceCommand::WorkspaceCommand(const QString &label, Workspace before, Workspace after, Restore restore)
    : QUndoCommand(label)
    , m_before(std::move(before))
    , m_after(std::move(after))
    , m_restore(std::move(restore))
{
}

void WorkspaceCommand::redo()
{
    if (m_done) {
        m_done = false;
        return;
    }
    m_restore(m_after);
}
