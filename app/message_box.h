#pragma once

#include <QMessageBox>

// A modal message with an OK button only and the application's title in its
// title bar; returns when the user has closed it.
void showMessage(QWidget *parent, const QString &text, QMessageBox::Icon icon = QMessageBox::NoIcon);
