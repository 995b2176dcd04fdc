#include "plugins/plugin_function.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QMutex>

#include <map>
#include <memory>
#include <string>

QFunctionPointer pluginFunction(const char *library, const char *symbol)
{
    static QMutex mutex;
    static std::map<std::string, std::unique_ptr<QLibrary>> loaded; // kept loaded for the program's life
    const QMutexLocker lock(&mutex);
    auto &entry = loaded[library];
    if (!entry) {
        const QString here = QCoreApplication::applicationDirPath();
        for (const QString &folder : {here, here + QStringLiteral("/../lib/curvix"), QStringLiteral(CURVIX_PLUGIN_BUILD_DIR)}) {
            auto candidate = std::make_unique<QLibrary>(QDir(folder).filePath(QString::fromLatin1(library)));
            if (candidate->load()) {
                entry = std::move(candidate);
                break;
            }
        }
    }
    return entry ? entry->resolve(symbol) : nullptr;
}
