#pragma once

#include "calibration/calibration.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <span>

class Loupe;
class PictureBox;
class QWidget;

// The precision aids over the picture area: the loupe, the calibration grid
// and the trace overlay, and the Alt+arrow keys that nudge the item placed
// last. Each is off at start and switched by its key; all drawing is an
// overlay, never part of the surface the trace reads.
class PrecisionAids : public QObject
{
    Q_OBJECT

public:
    // What the aids show, read afresh at every repaint.
    struct Sources
    {
        std::function<Calibration()> calibration;
        std::function<bool()> cornersCaptured;
        std::function<float()> tracedFirstColumn;
        std::function<std::span<const float>()> pickedRows;
        std::function<std::span<const int>()> doubtful; // point indices, in order
    };
    // `nudge` moves the item placed last by (dx, dy) pixels.
    PrecisionAids(QWidget *window, PictureBox *picture, Sources sources, std::function<void(int, int)> nudge);

    bool isLoupeOn() const { return m_loupeOn; }
    bool isGridOn() const;
    bool isTraceOverlayOn() const;
    Loupe *loupe() const { return m_loupe; }

    void toggleLoupe();
    void toggleGrid();
    // A note the grid shows in the view's corner while it is on (the found
    // axes' tilt); empty for none.
    void setGridNote(const QString &note);
    void toggleTraceOverlay();
    // The trace overlay belongs to the picture that was traced.
    void hideTraceOverlay();
    // The window lost the focus: the loupe goes until the pointer moves again.
    void windowDeactivated();

private:
    void updateLoupe(QPoint pixel);

    QWidget *m_window;
    PictureBox *m_picture;
    Loupe *m_loupe;
    bool m_loupeOn = false;
    int m_gridOverlay = -1;
    QString m_gridNote;
    int m_traceOverlay = -1;
};
