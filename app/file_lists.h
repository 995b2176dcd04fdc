#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QStringList>

// The three linked lists of a file browser: drives, folders, files.
// Failures to read a drive or folder are reported through `unreadable` and
// leave the list on its last good state.

// The mounted file systems. Choosing one moves the folder list to it: to the
// working directory when that lies on it, else to its root.
class DriveListBox : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveListBox(QWidget *parent = nullptr);

    // The folder the list stands for.
    QString drive() const;
    void refresh();
    // Goes back to the drive chosen before the last change (one that could not be read).
    void restorePrevious();
    // Shows the drive that holds a folder, without moving the folder list.
    void showDriveOf(const QString &folder);

signals:
    void driveChanged(const QString &folder);

private:
    void onActivated(int index);
    int m_current = -1;
    int m_previous = -1;
};

// The folders of the current path, from the root down, followed by the
// subfolders of the current folder. A double click or Enter opens one.
class DirListBox : public QListWidget
{
    Q_OBJECT

public:
    explicit DirListBox(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    // Moves to a folder; returns false, changing nothing, when it can't be read.
    bool setPath(const QString &path);

signals:
    void pathChanged(const QString &path);
    void unreadable(const QString &path);

private:
    void open(QListWidgetItem *item);
    QString m_path;
};

// The files of a folder whose names match one of the patterns, without
// regard to case, sorted by name.
class FileListBox : public QListWidget
{
    Q_OBJECT

public:
    FileListBox(const QStringList &patterns, QWidget *parent = nullptr);

    QString path() const { return m_path; }
    void setPath(const QString &path);
    void refresh();
    // The selected file's bare name, empty when none is selected.
    QString fileName() const;
    const QStringList &patterns() const { return m_patterns; }
    // Selects a listed file by name; false when it is not listed.
    bool selectFile(const QString &name);

private:
    QStringList m_patterns;
    QString m_path;
};

// Whether a folder can be listed.
bool isReadableFolder(const QString &path);

// Links a browser's three lists: choosing a drive moves the folder list to it
// (and goes back to the previous drive when it can't be read), opening a
// folder refills the file list, and a folder that can't be read is passed
// to `unreadable`.
template<typename Receiver>
void linkBrowser(DriveListBox *drive, DirListBox *dir, FileListBox *files, Receiver *receiver,
                 void (Receiver::*unreadable)(const QString &))
{
    QObject::connect(drive, &DriveListBox::driveChanged, dir, [drive, dir](const QString &folder) {
        if (!dir->setPath(folder))
            drive->restorePrevious();
    });
    QObject::connect(dir, &DirListBox::pathChanged, files, &FileListBox::setPath);
    QObject::connect(dir, &DirListBox::unreadable, receiver, unreadable);
}
