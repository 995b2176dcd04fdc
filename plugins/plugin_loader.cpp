#include "plugins/plugin_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QMutex>
#include <QPluginLoader>

#include <map>
#include <string>

QObject *pluginInstance(const char *library)
{
    static QMutex mutex;
    static std::map<std::string, QObject *> loaded; // kept loaded for the program's life
    const QMutexLocker lock(&mutex);
    const auto found = loaded.find(library);
    if (found != loaded.end())
        return found->second;
    QObject *instance = nullptr;
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString &folder : {here, here + QStringLiteral("/../lib/curvix"), QStringLiteral(CURVIX_PLUGIN_BUILD_DIR)}) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(library));
        if (!QFileInfo::exists(path))
            continue;
        QPluginLoader loader(path);
        if ((instance = loader.instance()))
            break;
    }
    loaded[library] = instance;
    return instance;
}
