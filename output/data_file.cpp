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
    QString text;
    if (count)
        text += formatNumberItem(*count);
    text += QStringLiteral("\r\n");
    for (int k = 0; k < count.value_or(0); ++k) {
        text += formatNumberItem(xs[k]);
        text += QStringLiteral(", ");
        text += formatNumberItem(ys[k]);
        text += QStringLiteral("\r\n");
    }
    return text.toLatin1();
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
