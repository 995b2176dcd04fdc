#pragma once

// Reading and writing the files a test makes or checks.
#include <QByteArray>
#include <QFile>
#include <QLocale>
#include <QString>

#include <clocale>
#include <string>

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Writes the bytes; returns whether all were written.
inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Switches the C library and Qt to German number formats, whose decimal mark
// is a comma; fails (never skips) when the locale is not installed, since a
// test that silently runs under "C" proves nothing.
inline bool useCommaLocale()
{
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") || std::localeconv()->decimal_point != std::string(","))
        return false;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    return true;
}
