#pragma once

#include <QFunctionPointer>

// A function of one of the program's own plugin libraries (text recognition,
// PDF pages), loaded at its first use: the libraries they need take longer to
// load than the window takes to appear. The library is looked for beside the
// executable, in ../lib/curvix from it (installed), and in the build's bin
// folder; nothing when it is not found.
QFunctionPointer pluginFunction(const char *library, const char *symbol);

// The same, as the function type it has.
template<typename Function>
Function pluginFunction(const char *library, const char *symbol)
{
    return reinterpret_cast<Function>(pluginFunction(library, symbol));
}
