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

// One chart kind of real figures (legend, tick marks, markers ...) traced
// under one rule: errors in pixels against the drawn curve.
struct FigureRow
{
    QString chart;
    QString format;
    QString rule; // "window", "centre", "follow", "follow+centre"
    int points = 0;
    int bridged = 0;
    double maxPixelError = 0;  // outside bridged columns
    double meanPixelError = 0; // outside bridged columns
    int over3 = 0;             // columns more than 3 px off, bridged ones included
    int flagged = 0;           // columns the quality report calls doubtful
    int missed = 0;            // columns more than 3 px off that it lists neither as doubtful nor as bridged
};

QList<FigureRow> measureRealFigures();
void printRealFigures(const QList<FigureRow> &rows);
