#include "output/trace_formats.h"

#include "calibration/number_text.h"
#include "digitize/auto_trace.h"
#include "files/calibration_file.h"

#include <QJsonArray>
#include <QJsonDocument>

QByteArray traceTsvBytes(const TraceResult &trace)
{
    QString text = QStringLiteral("x\ty\n");
    for (int k = 0; k < trace.pointCount(); ++k)
        text += formatShortestNumber(trace.xs[size_t(k)]) + u'\t' + formatShortestNumber(trace.ys[size_t(k)]) + u'\n';
    return text.toLatin1();
}

namespace {

QByteArray indexList(const std::vector<int> &indices)
{
    QByteArray out = "[";
    for (size_t i = 0; i < indices.size(); ++i)
        out += (i ? ", " : "") + QByteArray::number(indices[i]);
    return out + "]";
}

} // namespace

QByteArray traceJsonBytes(const QString &imageName, const CalibrationFile &calibration, const TraceResult &trace,
                          const TraceQuality &quality)
{
    const QByteArray name = QJsonDocument(QJsonArray{imageName}).toJson(QJsonDocument::Compact);
    QString points;
    QString rows;
    for (int k = 0; k < trace.pointCount(); ++k) {
        const QString separator = k ? QStringLiteral(", ") : QString();
        points += separator + u'[' + formatShortestNumber(trace.xs[size_t(k)]) + QStringLiteral(", ")
            + formatShortestNumber(trace.ys[size_t(k)]) + u']';
        rows += separator + formatShortestNumber(trace.pickedRows[size_t(k)]);
    }
    QByteArray out = "{\n  \"image\": " + name.mid(1, name.size() - 2) + ",\n";
    out += "  \"calibration\": " + QJsonDocument(calibrationJson(calibration)).toJson(QJsonDocument::Compact) + ",\n";
    out += "  \"points\": [" + points.toLatin1() + "],\n";
    out += "  \"rows\": [" + rows.toLatin1() + "],\n";
    out += "  \"suspect\": " + indexList(quality.suspect) + ",\n";
    out += "  \"bridged\": " + indexList(quality.bridged) + ",\n";
    out += QByteArray("  \"truncated\": ") + (trace.truncated ? "true" : "false") + "\n}\n";
    return out;
}
