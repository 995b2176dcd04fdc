#include "app/window_placement.h"

#include <QApplication>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QWidget>

void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = window->screen()) {
        QRect area = window->geometry();
        area.moveCenter(screen->availableGeometry().center());
        window->move(area.topLeft());
    }
}

void scrollWhereTooLarge(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QSize layout = window->size();
    // Room for the window manager's frame and title bar.
    const QSize room = screen->availableGeometry().size() - QSize(16, 48);
    if (layout.width() <= room.width() && layout.height() <= room.height())
        return;

    auto *canvas = new QWidget;
    canvas->setObjectName(QStringLiteral("layout"));
    canvas->setFixedSize(layout);
    for (QWidget *child : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        const QRect at = child->geometry();
        const bool visible = !child->isHidden();
        child->setParent(canvas);
        child->setGeometry(at);
        child->setVisible(visible);
    }
    auto *scroll = new QScrollArea(window);
    scroll->setObjectName(QStringLiteral("scroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(canvas);
    scroll->setFocusPolicy(Qt::NoFocus);
    // Each scroll bar takes room beside the layout: the window grows by it where it can.
    const int bar = scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QSize fitted = layout;
    if (layout.height() > room.height())
        fitted.rwidth() += bar;
    if (layout.width() > room.width())
        fitted.rheight() += bar;
    fitted = fitted.boundedTo(room);
    window->setFixedSize(fitted);
    scroll->setGeometry(QRect(QPoint(), fitted));
    // The focused control scrolls into view, so the keyboard reaches them all.
    QObject::connect(qApp, &QApplication::focusChanged, scroll, [scroll, canvas](QWidget *, QWidget *now) {
        if (now && canvas->isAncestorOf(now))
            scroll->ensureWidgetVisible(now, 8, 8);
    });
}
