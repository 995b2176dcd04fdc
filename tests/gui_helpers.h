#pragma once

#include "app/main_window.h"
#include "app/file_lists.h"
#include "app/picture_box.h"
#include "test_files.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QPushButton>
#include <QLineEdit>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

// How many message catchers wait for a box now.
inline int &waitingCatchers()
{
    static int count = 0;
    return count;
}

// Waits for the next modal message box, records what it says and closes it
// with Enter, as a user would. Start it before the action that opens the box.
class MessageCatcher : public QObject
{
public:
    MessageCatcher()
    {
        ++waitingCatchers();
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &MessageCatcher::poll);
        m_timer.start();
    }
    ~MessageCatcher() override
    {
        if (m_timer.isActive())
            --waitingCatchers();
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
        --waitingCatchers();
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

// A message box that no test waits for fails the test at once with its
// text, and is closed, instead of leaving the test to Qt's watchdog.
class UnexpectedMessages : public QObject
{
public:
    UnexpectedMessages()
    {
        m_timer.setInterval(50);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || waitingCatchers() > 0)
                return;
            if (!m_first) { // a catcher may be a moment late; a box still there next time is unexpected
                m_first = box;
                return;
            }
            m_first = nullptr;
            const QByteArray text = "an unexpected message box: " + box->text().toUtf8();
            // The box and any dialog under it, so that nothing is left to wait on.
            for (int i = 0; i < 8 && QApplication::activeModalWidget(); ++i) {
                if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                    dialog->reject();
                else
                    QApplication::activeModalWidget()->close();
            }
            QTest::qFail(text.constData(), __FILE__, __LINE__);
        });
        m_timer.start();
    }

private:
    QTimer m_timer;
    QPointer<QMessageBox> m_first;
};

// A main window started in a fresh working directory, as the program starts;
// an optional settings file is put there first.
struct Session
{
    explicit Session(const QByteArray *settings = nullptr)
    {
        QDir::setCurrent(dir.path());
        if (settings && !writeBytes(dir.filePath(QStringLiteral("Curvix.ini")), *settings))
            qWarning("settings file not written");
        window = std::make_unique<MainWindow>();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("main window not exposed");
    }
    ~Session() { QDir::setCurrent(QDir::tempPath()); }

    QString path(const QString &name) const { return dir.filePath(name); }
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir;
    UnexpectedMessages unexpected;
    std::unique_ptr<MainWindow> window;
};

// A mouse press (and release) at surface pixel (x, y) of the picture area.
inline void pressInPicture(MainWindow &w, int x, int y, Qt::MouseButton button = Qt::LeftButton,
                           Qt::KeyboardModifiers modifiers = {})
{
    const QPoint at(x + PictureBox::BorderWidth, y + PictureBox::BorderWidth);
    QTest::mousePress(w.Picture1, button, modifiers, at);
    QTest::mouseRelease(w.Picture1, button, modifiers, at);
}

// Loads an image through the browser: open its folder, click its name, Enter.
inline void loadThroughBrowser(MainWindow &w, const QString &folder, const QString &name)
{
    w.Dir1->setPath(folder);
    const auto items = w.File1->findItems(name, Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    QTest::mouseClick(w.File1->viewport(), Qt::LeftButton, {}, w.File1->visualItemRect(items.first()).center());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

inline void calibrate(MainWindow &w, QPoint start, QPoint end, const QStringList &values)
{
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    pressInPicture(w, start.x(), start.y());
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    pressInPicture(w, end.x(), end.y());
    const std::array<QLineEdit *, 4> fields{w.Text1, w.Text2, w.Text3, w.Text4};
    for (size_t i = 0; i < 4; ++i)
        typeInto(fields[i], values[qsizetype(i)]);
}

// Presses "Auto Digitize" and closes its closing message with Enter.
inline QString autoDigitize(MainWindow &w)
{
    MessageCatcher message;
    QTest::mouseClick(w.Command5, Qt::LeftButton);
    return message.seen ? message.text : QStringLiteral("<no message>");
}

// Answers the next modal file dialog with a path, as a user types it into
// the dialog's name field and presses Enter; again while the dialog stays.
class FileDialogAnswer : public QObject
{
public:
    explicit FileDialogAnswer(const QString &path)
        : m_path(path)
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &FileDialogAnswer::poll);
        m_timer.start();
    }

    bool seen = false;

private:
    void poll()
    {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            if (seen)
                m_timer.stop();
            return;
        }
        seen = true;
        // Typed into the name field: selectFile() leaves a focused field as it is.
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(m_path);
        else
            dialog->selectFile(m_path);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    }

    QString m_path;
    QTimer m_timer;
};
