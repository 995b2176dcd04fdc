#pragma once

#include <QImage>

#include <span>

class QPainter;
struct Calibration;
struct TraceQuality;

// The marks a trace leaves over its picture: the picked pixel of each traced
// column, those of doubtful and bridged columns in a second colour. The
// window paints them over the picture area (Ctrl+T); curvix-trace --overlay
// writes them into a picture of their own.
namespace TraceMarks {
inline constexpr QRgb Picked = 0xff00e600;   // green
inline constexpr QRgb Doubtful = 0xffff00ff; // magenta: stands out on any chart colour
} // namespace TraceMarks

// Point k lies in picture column firstColumn + k, on row pickedRows[k].
// `doubtful` lists point indices, in increasing order.
void paintTraceMarks(QPainter &painter, float firstColumn, std::span<const float> pickedRows,
                     std::span<const int> doubtful = {});

// The picture with the frame (the calibration's corners), the picked pixels
// and the doubtful and bridged columns, to check a trace by eye.
QImage traceOverlayImage(const QImage &picture, const Calibration &calibration, float firstColumn,
                         std::span<const float> pickedRows, const TraceQuality &quality);
