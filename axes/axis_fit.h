#pragma once

#include "calibration/axis_scale.h"

#include <QString>

#include <vector>

// A tick on one axis: where it lies along the axis (picture pixels, fractional)
// and the value its label reads.
struct AxisTick
{
    double pixel = 0;
    double value = 0;
};

// The scale found for one axis from its labelled ticks. Found only when at
// least three ticks agree on one linear or logarithmic scale and each of them
// lies within half a pixel of where that scale puts its value; ticks that
// disagree (a misread label) are left out. Otherwise `failure` says why and
// nothing else is meant to be used.
struct AxisFit
{
    AxisKind kind = AxisKind::Linear;
    // value (log10 of it on a logarithmic axis) = offset + slope * pixel
    double offset = 0;
    double slope = 0;
    std::vector<AxisTick> agreeing; // in pixel order: the first and last make the corners
    double residual = 0;            // the largest distance in pixels of an agreeing tick from the fit
    QString failure;

    bool found() const { return failure.isEmpty(); }
    // Where the fit puts a value: drawn ticks are rounded to whole pixels, the fit over all of them is not.
    double pixelOf(double value) const;
};

// `axis` names the axis in the failure ("X" or "Y").
AxisFit fitAxis(const std::vector<AxisTick> &ticks, const QString &axis);

// Drawn ticks beyond the extreme agreeing ones whose labels were not read
// continue the scale: the outermost tick on either side that lies within half
// a pixel of a whole step of the labels (a whole decade on a logarithmic
// axis, whose labels are all decades) becomes the new extreme, with that
// step's value exactly as its label would read.
void extendToTicks(AxisFit &fit, const std::vector<double> &tickPixels);
