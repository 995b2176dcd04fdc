#include "app/window_placement.h"

#include <QScreen>
#include <QWidget>

void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = window->screen()) {
        QRect area = window->geometry();
        area.moveCenter(screen->availableGeometry().center());
        window->move(area.topLeft());
    }
}
