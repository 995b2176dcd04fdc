#pragma once

#include <QObject>

// The root object of one of the program's own plugin libraries (text
// recognition, PDF pages), loaded with QPluginLoader at its first use: the
// libraries they need take longer to load than the window takes to appear.
// The library is looked for beside the executable, in ../lib/curvix from it
// (installed), and in the build's bin folder; null when it is not found or
// is not such a plugin. Loaded once and kept for the program's life.
QObject *pluginInstance(const char *library);

// The plugin as the interface it declares, or null.
template<typename Interface>
Interface *plugin(const char *library)
{
    return qobject_cast<Interface *>(pluginInstance(library));
}
