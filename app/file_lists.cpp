#include "app/file_lists.h"

#include "app/icons.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStorageInfo>
#include <QStyle>

namespace {

constexpr int PathRole = Qt::UserRole;

QString cleanFolder(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

bool isReadableFolder(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && info.isDir() && info.isReadable() && info.isExecutable();
}

DriveListBox::DriveListBox(QWidget *parent)
    : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this, &DriveListBox::onActivated);
    refresh();
}

void DriveListBox::refresh()
{
    clear();
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && !roots.contains(volume.rootPath()))
            roots << volume.rootPath();
    }
    roots.sort();
    const QString home = QStorageInfo(QDir::currentPath()).rootPath();
    if (!roots.contains(home))
        roots.prepend(home);
    for (const QString &root : roots)
        addItem(root, root);
    m_current = int(roots.indexOf(home));
    setCurrentIndex(m_current);
}

QString DriveListBox::drive() const
{
    const QString root = currentData().toString();
    const QString cwd = QDir::currentPath();
    // The working directory stands for its own drive, as a drive letter's
    // current directory does.
    if (QStorageInfo(cwd).rootPath() == root)
        return cwd;
    return root;
}

void DriveListBox::onActivated(int index)
{
    if (index == m_current)
        return;
    m_previous = m_current;
    m_current = index;
    emit driveChanged(drive());
}

void DriveListBox::restorePrevious()
{
    if (m_previous < 0)
        return;
    m_current = m_previous;
    setCurrentIndex(m_current);
}

DirListBox::DirListBox(QWidget *parent)
    : QListWidget(parent)
{
    connect(this, &QListWidget::itemActivated, this, &DirListBox::open);
}

bool DirListBox::setPath(const QString &path)
{
    const QString folder = cleanFolder(path);
    if (!isReadableFolder(folder)) {
        emit unreadable(folder);
        return false;
    }
    const QDir dir(folder);
    const QStringList subfolders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                 QDir::Name | QDir::IgnoreCase);

    m_path = folder;
    clear();
    const QIcon openIcon(Icons::openFolder());
    const QIcon closedIcon(Icons::closedFolder());

    // The current path from the root down, then its subfolders.
    QStringList ancestors;
    for (QDir up(folder);; ) {
        ancestors.prepend(up.absolutePath());
        if (up.isRoot() || !up.cdUp())
            break;
    }
    int depth = 0;
    for (const QString &ancestor : ancestors) {
        const QString name = QDir(ancestor).isRoot() ? ancestor : QFileInfo(ancestor).fileName();
        auto *item = new QListWidgetItem(openIcon, QString(depth * 2, u' ') + name, this);
        item->setData(PathRole, ancestor);
        item->setToolTip(ancestor);
        ++depth;
    }
    setCurrentRow(count() - 1);
    for (const QString &name : subfolders) {
        auto *item = new QListWidgetItem(closedIcon, QString(depth * 2, u' ') + name, this);
        item->setData(PathRole, dir.filePath(name));
        item->setToolTip(dir.filePath(name));
    }
    emit pathChanged(m_path);
    return true;
}

void DirListBox::open(QListWidgetItem *item)
{
    if (!item)
        return;
    const QString target = item->data(PathRole).toString();
    if (target != m_path)
        setPath(target);
}

FileListBox::FileListBox(const QStringList &patterns, QWidget *parent)
    : QListWidget(parent)
    , m_patterns(patterns)
{
}

void FileListBox::setPath(const QString &path)
{
    m_path = path;
    refresh();
}

void FileListBox::refresh()
{
    clear();
    // Name filters without QDir::CaseSensitive match regardless of case, so a
    // camera's "IMG_0001.JPG" is listed under "*.jpg".
    const QDir dir(m_path);
    addItems(dir.entryList(m_patterns, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

QString FileListBox::fileName() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void DriveListBox::showDriveOf(const QString &folder)
{
    const int index = findData(QStorageInfo(folder).rootPath());
    if (index < 0 || index == m_current)
        return;
    m_previous = m_current;
    m_current = index;
    setCurrentIndex(index);
}

bool FileListBox::selectFile(const QString &name)
{
    const QList<QListWidgetItem *> found = findItems(name, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    setCurrentItem(found.first());
    return true;
}
