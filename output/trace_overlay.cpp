#include "output/trace_overlay.h"

#include "calibration/calibration.h"
#include "digitize/auto_trace.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

void paintTraceMarks(QPainter &painter, float firstColumn, std::span<const float> pickedRows,
                     std::span<const int> doubtful)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    auto next = doubtful.begin();
    float x = firstColumn;
    for (int k = 0; k < int(pickedRows.size()); ++k, x += 1.0f) {
        while (next != doubtful.end() && *next < k)
            ++next;
        const bool marked = next != doubtful.end() && *next == k;
        // A doubtful column shows as a short upright bar, so that it is seen at once.
        painter.setBrush(QColor::fromRgba(marked ? TraceMarks::Doubtful : TraceMarks::Picked));
        const float row = std::floor(pickedRows[size_t(k)]);
        painter.drawRect(marked ? QRectF(x, row - 2, 1, 5) : QRectF(x, row, 1, 1));
    }
    painter.restore();
}

QImage traceOverlayImage(const QImage &picture, const Calibration &calibration, float firstColumn,
                         std::span<const float> pickedRows, const TraceQuality &quality)
{
    QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setPen(QPen(QColor::fromRgba(TraceMarks::Doubtful), 1, Qt::DashLine));
    painter.drawRect(QRectF(QPointF(calibration.start.x, calibration.end.y), QPointF(calibration.end.x, calibration.start.y)));
    std::vector<int> doubtful(quality.suspect);
    doubtful.insert(doubtful.end(), quality.bridged.begin(), quality.bridged.end());
    std::sort(doubtful.begin(), doubtful.end());
    paintTraceMarks(painter, firstColumn, pickedRows, doubtful);
    return image;
}
