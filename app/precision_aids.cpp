#include "app/precision_aids.h"

#include "app/loupe.h"
#include "app/picture_box.h"
#include "app/picture_overlays.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>

#include <cmath>

namespace {

// Alt+arrow keys move the last placed point by this many pixels; with Shift by ten.
constexpr int NudgeStep = 1;
constexpr int LongNudgeStep = 10;

// Handles Alt+arrow keys for the window before the focused control sees them.
class NudgeKeys : public QObject
{
public:
    NudgeKeys(QWidget *window, std::function<void(int, int)> nudge)
        : QObject(window)
        , m_window(window)
        , m_nudge(std::move(nudge))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->window() != m_window)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (modifiers != Qt::AltModifier && modifiers != (Qt::AltModifier | Qt::ShiftModifier))
            return false;
        // Edit boxes keep their keys; a drive list keeps Alt+Down, which opens it.
        const QWidget *focus = QApplication::focusWidget();
        if (qobject_cast<const QLineEdit *>(focus) || qobject_cast<const QComboBox *>(focus))
            return false;
        const int step = modifiers & Qt::ShiftModifier ? LongNudgeStep : NudgeStep;
        switch (key->key()) {
        case Qt::Key_Left:
            m_nudge(-step, 0);
            return true;
        case Qt::Key_Right:
            m_nudge(step, 0);
            return true;
        case Qt::Key_Up:
            m_nudge(0, -step);
            return true;
        case Qt::Key_Down:
            m_nudge(0, step);
            return true;
        default:
            return false;
        }
    }

private:
    QWidget *m_window;
    std::function<void(int, int)> m_nudge;
};

} // namespace

PrecisionAids::PrecisionAids(QWidget *window, PictureBox *picture, Sources sources,
                             std::function<void(int, int)> nudge)
    : QObject(window)
    , m_window(window)
    , m_picture(picture)
    , m_loupe(new Loupe(window))
{
    connect(picture, &PictureBox::hovered, this, &PrecisionAids::updateLoupe);
    connect(picture, &PictureBox::left, m_loupe, &QWidget::hide);
    m_gridOverlay = picture->addOverlay([sources](QPainter &painter) {
        paintCalibrationGrid(painter, sources.calibration(), sources.cornersCaptured());
    });
    m_traceOverlay = picture->addOverlay([sources](QPainter &painter) {
        paintTraceMarks(painter, sources.tracedFirstColumn(), sources.pickedRows(), sources.doubtful());
    });
    qApp->installEventFilter(new NudgeKeys(window, std::move(nudge)));
}

bool PrecisionAids::isGridOn() const
{
    return m_picture->isOverlayVisible(m_gridOverlay);
}

bool PrecisionAids::isTraceOverlayOn() const
{
    return m_picture->isOverlayVisible(m_traceOverlay);
}

void PrecisionAids::toggleLoupe()
{
    m_loupeOn = !m_loupeOn;
    m_picture->setMouseTracking(m_loupeOn);
    if (!m_loupeOn) {
        m_loupe->hide();
        return;
    }
    const QPointF view = m_picture->mapFromGlobal(QCursor::pos()) - m_picture->contentsRect().topLeft();
    if (!m_picture->contentsRect().contains(m_picture->mapFromGlobal(QCursor::pos())))
        return;
    const QPointF at = m_picture->view().toSurface(view);
    const QPoint pixel(int(std::floor(at.x())), int(std::floor(at.y())));
    if (m_picture->surface().rect().contains(pixel))
        updateLoupe(pixel);
}

void PrecisionAids::updateLoupe(QPoint pixel)
{
    if (!m_loupeOn || !m_window->isActiveWindow()) {
        m_loupe->hide();
        return;
    }
    const int r = Loupe::Radius;
    m_loupe->showAt(m_picture->rendered(QRect(pixel - QPoint(r, r), QSize(2 * r + 1, 2 * r + 1))), pixel,
                    QCursor::pos());
}

void PrecisionAids::windowDeactivated()
{
    m_loupe->hide();
}

void PrecisionAids::toggleGrid()
{
    m_picture->setOverlayVisible(m_gridOverlay, !isGridOn());
    m_picture->setNote(isGridOn() ? m_gridNote : QString());
}

void PrecisionAids::setGridNote(const QString &note)
{
    m_gridNote = note;
    m_picture->setNote(isGridOn() ? m_gridNote : QString());
}

void PrecisionAids::toggleTraceOverlay()
{
    m_picture->setOverlayVisible(m_traceOverlay, !isTraceOverlayOn());
}

void PrecisionAids::hideTraceOverlay()
{
    m_picture->setOverlayVisible(m_traceOverlay, false);
}
