#include "output/data_file.h"

#include "calibration/number_text.h"
#include "calibration/work_state.h"
#include "output/atomic_file.h"

#include <algorithm>

QByteArray dataFileBytes(const WorkState &state)
{
    QString text;
    const int count = std::clamp(state.PointCount.value_or(0), 0, WorkState::TableLast);
    if (state.PointCount)
        text += formatNumberItem(count);
    text += QStringLiteral("\r\n");
    for (int k = 1; k <= count; ++k) {
        text += formatNumberItem(state.Points[0][size_t(k)]);
        text += QStringLiteral(", ");
        text += formatNumberItem(state.Points[1][size_t(k)]);
        text += QStringLiteral("\r\n");
    }
    return text.toLatin1();
}

QString dataFilePath(const QString &folder, const QString &name)
{
    return folder + u'/' + name + QStringLiteral(".csv");
}

std::optional<QString> saveDataFile(const QString &path, const WorkState &state)
{
    return writeFileAtomically(path, dataFileBytes(state));
}
