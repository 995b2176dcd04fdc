#include "output/data_file.h"

#include "document/work_state.h"

#include "calibration/number_text.h"
#include "digitize/auto_trace.h"
#include "files/atomic_file.h"

QByteArray dataFileBytes(std::optional<int> count, std::span<const double> xs, std::span<const double> ys)
{
    QByteArray bytes;
    bytes.reserve(24 + 48 * count.value_or(0));
    if (count)
        appendNumberItem(bytes, *count);
    bytes += "\r\n";
    for (size_t k = 0; k < size_t(count.value_or(0)); ++k) {
        appendNumberItem(bytes, xs[k]);
        bytes += ", ";
        appendNumberItem(bytes, ys[k]);
        bytes += "\r\n";
    }
    return bytes;
}

QByteArray dataFileBytes(const TraceResult &trace)
{
    return dataFileBytes(trace.pointCount(), trace.xs, trace.ys);
}

QString dataFilePath(const QString &folder, const QString &name)
{
    return folder + u'/' + name + QStringLiteral(".csv");
}

std::optional<QString> saveDataFile(const QString &path, const QByteArray &bytes)
{
    return writeFileAtomically(path, bytes);
}

QByteArray dataFileBytes(const WorkState &state)
{
    std::optional<int> count;
    if (state.PointCount)
        count = state.storedCount();
    return dataFileBytes(count, state.tracedX(), state.tracedY());
}
