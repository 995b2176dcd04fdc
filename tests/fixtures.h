#pragma once

// Hand-built working states and traces shared by the tests and the benchmarks.
#include "calibration/calibration.h"
#include "document/work_state.h"
#include "digitize/auto_trace.h"
#include "digitize/picture_surface.h"

#include <QImage>

// A state with both corners captured and the scale chosen.
inline WorkState cornerState(AxisScale scale, float startX, float startY, float endX, float endY)
{
    WorkState state;
    state.StartPixelX = startX;
    state.StartPixelY = startY;
    state.EndPixelX = endX;
    state.EndPixelY = endY;
    state.AxisScale = scale;
    return state;
}

// A state with the start point at (100, 400) and the end point at (endX, endY).
inline WorkState frameState(AxisScale scale = AxisScale::LinearLinear, float endX = 300, float endY = 50)
{
    return cornerState(scale, 100, 400, endX, endY);
}

inline WorkState frameState(int scale, float endX = 300, float endY = 50)
{
    return frameState(AxisScale(scale), endX, endY);
}

// What the window's "Auto Digitize" keeps of one trace.
struct TraceOutcome
{
    std::optional<AxisFault> fault;
    int pointCount = 0;
    bool truncated = false;
};

// Traces the surface under the state's corners and scale with the typed
// values, and keeps the result in the state as the window does.
inline TraceOutcome traceAsWindow(const QImage &surface, const CornerValues &values, WorkState &state)
{
    const TraceResult trace = traceCurve(surface, calibrationOf(state, values));
    if (!trace.fault) {
        storeTrace(trace, state);
        state.ClickMode = ClickMode::ReadPoint;
    }
    return {trace.fault, trace.pointCount(), trace.truncated};
}

// A white surface the size of the picture area.
inline QImage whiteSurface()
{
    QImage image(PictureSurface::Size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}
