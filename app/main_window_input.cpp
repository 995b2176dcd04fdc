// Ways to get a picture in besides the image browser: the command line, a
// file dropped anywhere on the window, and Ctrl+V (its key is in the key
// table). Each loads as "OK" does, except that any transparency is put on
// white, and refuses with the load message.
#include "app/main_window.h"

#include "app/file_lists.h"
#include "app/message_box.h"
#include "files/image_file.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {

bool isLocalFile(const QUrl &url)
{
    return url.isLocalFile() && !url.toLocalFile().isEmpty();
}

} // namespace

// Takes drags of files over any part of the window, edit boxes included, so
// that a dropped picture is loaded rather than its path typed into a field.
class PictureDrops : public QObject
{
public:
    explicit PictureDrops(MainWindow *window)
        : QObject(window)
        , m_window(window)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->window() != m_window)
            return false;
        auto *drop = static_cast<QDropEvent *>(event);
        if (!drop->mimeData()->hasUrls())
            return false;
        const QList<QUrl> urls = drop->mimeData()->urls();
        if (type == QEvent::Drop) {
            drop->acceptProposedAction();
            m_window->dropFiles(urls);
            return true;
        }
        // The pointer shows whether the drop would be taken: local files only.
        if (!urls.isEmpty() && isLocalFile(urls.first()))
            drop->acceptProposedAction();
        else
            drop->ignore();
        return true;
    }

private:
    MainWindow *m_window;
};

void MainWindow::createInputWays()
{
    setAcceptDrops(true);
    qApp->installEventFilter(new PictureDrops(this));
}

void MainWindow::openFromCommandLine(const QString &path)
{
    const QFileInfo info(path);
    const QString file = info.absoluteFilePath();
    if (info.isFile() && QDir::match(File1->patterns(), info.fileName())) {
        Drive1->showDriveOf(info.absolutePath());
        if (Dir1->setPath(info.absolutePath()))
            File1->selectFile(info.fileName());
    }
    loadPictureFile(file, Transparency::OnWhite);
}

void MainWindow::dropFiles(const QList<QUrl> &urls)
{
    if (urls.isEmpty())
        return;
    const QUrl &first = urls.first(); // several files: the first is loaded
    if (!isLocalFile(first)) {
        reportUnreadablePicture(first.toDisplayString(), QStringLiteral("Only files on this computer can be loaded."));
        return;
    }
    activateWindow();
    loadPictureFile(first.toLocalFile(), Transparency::OnWhite);
}

void MainWindow::pastePicture()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (data && data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        if (!image.isNull()) {
            if (image.width() > MaxPictureEdge || image.height() > MaxPictureEdge) {
                reportUnreadablePicture(QStringLiteral("(clipboard)"), tooLargeReason(image.size()));
                return;
            }
            showPicture(opaqueOnWhite(image), QString());
            return;
        }
    }
    // A copied file, as a file manager puts it, or its URL as text.
    QList<QUrl> urls = data && data->hasUrls() ? data->urls() : QList<QUrl>();
    if (urls.isEmpty() && data && data->hasText()) {
        const QUrl url(data->text().trimmed());
        if (isLocalFile(url))
            urls << url;
    }
    if (!urls.isEmpty() && isLocalFile(urls.first())) {
        loadPictureFile(urls.first().toLocalFile(), Transparency::OnWhite);
        return;
    }
    showMessage(this, tr("クリップボードに画像がありません。\n"
                                     "(The clipboard holds no picture and no picture file.)"),
                QMessageBox::Information);
}
