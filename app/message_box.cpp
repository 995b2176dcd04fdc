#include "app/message_box.h"

#include "app/titles.h"

void showMessage(QWidget *parent, const QString &text, QMessageBox::Icon icon)
{
    QMessageBox box(icon, Titles::application(), text, QMessageBox::Ok, parent);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    // Give the keyboard back to the window the message came from, so that
    // the focus the handler sets next is where the user's keys arrive,
    // also without a window manager to do it.
    if (parent)
        parent->window()->activateWindow();
}
