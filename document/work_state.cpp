#include "document/work_state.h"

#include "digitize/auto_trace.h"

#include <algorithm>

int WorkState::storedCount() const
{
    return std::clamp(PointCount.value_or(0), 0, TableLast);
}

Calibration calibrationOf(const WorkState &state, const CornerValues &values)
{
    return {{state.StartPixelX, state.StartPixelY}, {state.EndPixelX, state.EndPixelY}, values, state.AxisScale};
}

void storeTrace(const TraceResult &trace, WorkState &state)
{
    const size_t count = std::min<size_t>(trace.xs.size(), WorkState::TableLast);
    std::copy_n(trace.xs.begin(), count, state.Points[0].begin() + 1);
    std::copy_n(trace.ys.begin(), count, state.Points[1].begin() + 1);
    std::copy_n(trace.pickedRows.begin(), count, state.CurveY.begin() + 1);
    state.PointCount = int(count);
}
