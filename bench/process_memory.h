#pragma once

#include <QFile>

// A memory figure of this process from /proc/self/status, in MiB: "VmRSS:"
// (resident now) or "VmHWM:" (the peak).
inline double processMemoryMb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}
