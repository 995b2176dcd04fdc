#include "app/picture_overlays.h"

#include "calibration/calibration.h"
#include "output/fault_text.h"
#include "calibration/grid_lines.h"
#include "calibration/number_text.h"

#include <QCoreApplication>
#include <QFont>
#include <QPainter>

namespace {

// Translucent magenta: stands out on black, grey and white charts alike.
const QColor GridColour(230, 0, 200, 150);

void paintNote(QPainter &painter, const QString &text)
{
    QFont font = painter.font();
    font.setPixelSize(13);
    font.setItalic(false);
    painter.setFont(font);
    QRect box = painter.fontMetrics().boundingRect(text);
    box.moveTopLeft(QPoint(8, 8));
    box.adjust(-4, -2, 4, 2);
    painter.fillRect(box, QColor(255, 255, 220, 230));
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter, text);
}

} // namespace

void paintCalibrationGrid(QPainter &painter, const Calibration &calibration, bool cornersCaptured)
{
    if (!cornersCaptured) {
        paintNote(painter, QCoreApplication::translate("Picture", "Grid: capture 始点 and 終点 first"));
        return;
    }
    const CalibrationGrid grid = calibrationGrid(calibration);
    if (grid.fault) {
        paintNote(painter, QStringLiteral("Grid: ") + faultMessageEnglish(*grid.fault));
        return;
    }
    const double left = std::min(calibration.start.x, calibration.end.x);
    const double right = std::max(calibration.start.x, calibration.end.x);
    const double top = std::min(calibration.start.y, calibration.end.y);
    const double bottom = std::max(calibration.start.y, calibration.end.y);
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setItalic(false);
    painter.setFont(font);
    painter.setPen(QPen(GridColour, 1));
    // Each line runs through its pixel's middle, across the frame.
    for (const GridLine &line : grid.xLines) {
        const double x = line.pixel + 0.5;
        painter.drawLine(QPointF(x, top), QPointF(x, bottom + 1));
        painter.drawText(QPointF(x + 2, bottom - 3), formatGeneralNumber(line.value));
    }
    for (const GridLine &line : grid.yLines) {
        const double y = line.pixel + 0.5;
        painter.drawLine(QPointF(left, y), QPointF(right + 1, y));
        painter.drawText(QPointF(left + 3, y - 2), formatGeneralNumber(line.value));
    }
}
