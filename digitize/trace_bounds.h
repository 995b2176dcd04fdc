#pragma once

struct Calibration;

// The part of the frame the trace reads: columns Sx + 2 ... Ex - 2 and rows
// Ey + 3 ... Sy - 15, so that neither the frame's lines nor a band above the
// lower axis (tick labels) are taken for the curve. The graph window draws
// the curve over the same columns.
struct TraceBounds
{
    float firstColumn = 0;
    float lastColumn = 0;
    float firstRow = 0;
    float lastRow = 0;

    static TraceBounds of(const Calibration &calibration);
};
