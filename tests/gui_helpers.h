#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

// Waits for the next modal message box, records what it says and closes it
// with Enter, as a user would. Start it before the action that opens the box.
class MessageCatcher : public QObject
{
public:
    MessageCatcher()
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &MessageCatcher::poll);
        m_timer.start();
    }

    bool seen = false;
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        m_timer.stop();
        seen = true;
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        buttonCount = int(box->buttons().size());
        QTest::keyClick(box, Qt::Key_Return);
    }

    QTimer m_timer;
};

// Clicks into a field, selects what it holds and types the text over it.
inline void typeInto(QLineEdit *field, const QString &text)
{
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        QTest::keyClicks(field, text);
}
