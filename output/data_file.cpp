#include "output/data_file.h"

#include "calibration/number_text.h"
#include "calibration/work_state.h"
#include "digitize/auto_trace.h"
#include "files/atomic_file.h"

#include <algorithm>

namespace {

// The count line (empty when no count was ever set), then one line per point.
QByteArray fileBytes(std::optional<int> count, const double *xs, const double *ys)
{
    QByteArray bytes;
    bytes.reserve(24 + 48 * count.value_or(0));
    if (count)
        appendNumberItem(bytes, *count);
    bytes += "\r\n";
    for (int k = 0; k < count.value_or(0); ++k) {
        appendNumberItem(bytes, xs[k]);
        bytes += ", ";
        appendNumberItem(bytes, ys[k]);
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace

QByteArray dataFileBytes(const WorkState &state)
{
    std::optional<int> count;
    if (state.PointCount)
        count = std::clamp(*state.PointCount, 0, WorkState::TableLast);
    return fileBytes(count, state.Points[0].data() + 1, state.Points[1].data() + 1);
}

QByteArray dataFileBytes(const TraceResult &trace)
{
    return fileBytes(trace.pointCount(), trace.xs.data(), trace.ys.data());
}

QString dataFilePath(const QString &folder, const QString &name)
{
    return folder + u'/' + name + QStringLiteral(".csv");
}

std::optional<QString> saveDataFile(const QString &path, const WorkState &state)
{
    return writeFileAtomically(path, dataFileBytes(state));
}
