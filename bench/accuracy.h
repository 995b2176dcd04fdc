#pragma once

#include <QList>
#include <QString>

// How far the traced values lie from the function a chart was drawn from.
struct AccuracyRow
{
    QString chart;
    QString format;
    QString rule; // "top" (the window's), "centre", "colour"
    int lineWidth = 0;
    int points = 0;
    double maxAxisError = 0;  // absolute error in Y axis units
    double meanAxisError = 0;
    double maxRelativeError = 0; // |error| / |true value|, for logarithmic axes
    double maxPixelError = 0; // picked row against the curve's true row
    double meanPixelError = 0;
};

QList<AccuracyRow> measureAccuracy();
void printAccuracy(const QList<AccuracyRow> &rows);
