// Writes the program's icon as PNG files for the desktop's icon theme:
// make_icons FOLDER writes FOLDER/NxN/apps/org.curvix.Digitizer.png.
#include "app/icons.h"

#include <QDir>
#include <QGuiApplication>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString sizeFolder = QStringLiteral("%1x%1/apps").arg(size);
        if (!folder.mkpath(sizeFolder)
            || !Icons::applicationIcon(size).save(folder.filePath(sizeFolder + QStringLiteral("/org.curvix.Digitizer.png"))))
            return 1;
    }
    return 0;
}
