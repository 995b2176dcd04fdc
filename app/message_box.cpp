#include "app/message_box.h"

QString applicationTitle()
{
    return QStringLiteral("Curvix-Digitizer");
}

void showMessage(QWidget *parent, const QString &text, QMessageBox::Icon icon)
{
    QMessageBox box(icon, applicationTitle(), text, QMessageBox::Ok, parent);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}
