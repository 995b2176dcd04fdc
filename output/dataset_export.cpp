#include "output/dataset_export.h"

#include "calibration/number_text.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cmath>

namespace {

QByteArray number(double value)
{
    return formatShortestNumber(value).toLatin1();
}

// A CSV field: quoted when it holds a comma, a quote or a line end.
QByteArray csvField(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\n') && !bytes.contains('\r'))
        return bytes;
    return '"' + bytes.replace('"', "\"\"") + '"';
}

QByteArray jsonString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

QByteArray longForm(const std::vector<ValuedDataset> &datasets, char separator)
{
    QByteArray out = QByteArray("dataset") + separator + 'x' + separator + "y\n";
    for (const ValuedDataset &d : datasets) {
        const QByteArray name = separator == ',' ? csvField(d.name) : d.name.toUtf8().replace('\t', ' ');
        for (const ValuePoint &p : d.points)
            out += name + separator + number(p.x) + separator + number(p.y) + '\n';
    }
    return out;
}

// Along an axis's own scale: its logarithm on a logarithmic axis.
double along(double value, bool logarithmic)
{
    return logarithmic ? std::log10(value) : value;
}

QByteArray wideForm(const std::vector<ValuedDataset> &datasets, AxisScale scale)
{
    std::vector<double> xs;
    std::vector<const ValuedDataset *> curves, sets;
    for (const ValuedDataset &d : datasets) {
        (d.kind == DatasetKind::Curve ? curves : sets).push_back(&d);
        if (d.kind == DatasetKind::Curve)
            for (const ValuePoint &p : d.points)
                xs.push_back(p.x);
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());

    QByteArray out = "x";
    for (const ValuedDataset *c : curves)
        out += ',' + csvField(c->name);
    for (const ValuedDataset *s : sets)
        out += ',' + csvField(s->name + QStringLiteral(" x")) + ',' + csvField(s->name + QStringLiteral(" y"));
    out += '\n';
    size_t rows = xs.size();
    for (const ValuedDataset *s : sets)
        rows = std::max(rows, s->points.size());
    for (size_t r = 0; r < rows; ++r) {
        QByteArray line = r < xs.size() ? number(xs[r]) : QByteArray();
        for (const ValuedDataset *c : curves) {
            line += ',';
            if (r < xs.size())
                if (const auto y = curveValueAt(c->points, xs[r], scale))
                    line += number(*y);
        }
        for (const ValuedDataset *s : sets) {
            line += ',';
            if (r < s->points.size())
                line += number(s->points[r].x) + ',' + number(s->points[r].y);
            else
                line += ',';
        }
        out += line + '\n';
    }
    return out;
}

QByteArray jsonForm(const std::vector<ValuedDataset> &datasets)
{
    QByteArray out = "{\n  \"datasets\": [";
    for (size_t i = 0; i < datasets.size(); ++i) {
        const ValuedDataset &d = datasets[i];
        out += QByteArray(i ? "," : "") + "\n    { \"name\": " + jsonString(d.name) + ", \"kind\": "
            + (d.kind == DatasetKind::Curve ? "\"curve\"" : "\"points\"") + ", \"colour\": "
            + jsonString(QStringLiteral("#%1").arg(d.colour & 0xffffff, 6, 16, QLatin1Char('0')).toUpper())
            + ", \"points\": [";
        for (size_t k = 0; k < d.points.size(); ++k)
            out += QByteArray(k ? ", " : "") + '[' + number(d.points[k].x) + ", " + number(d.points[k].y) + ']';
        out += "] }";
    }
    out += datasets.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

} // namespace

ExportForm exportFormFor(const QString &fileName)
{
    const QString name = fileName.toLower();
    if (name.endsWith(QStringLiteral(".tsv")))
        return ExportForm::Tsv;
    if (name.endsWith(QStringLiteral(".json")))
        return ExportForm::Json;
    if (name.endsWith(QStringLiteral("-wide.csv")) || name.endsWith(QStringLiteral(".wide.csv")))
        return ExportForm::WideCsv;
    return ExportForm::LongCsv;
}

std::optional<double> curveValueAt(const std::vector<ValuePoint> &curve, double x, AxisScale scale)
{
    const bool xLog = isXLogarithmic(scale), yLog = isYLogarithmic(scale);
    // The curve's points in X order; a trace's already are.
    std::vector<ValuePoint> sorted(curve);
    std::stable_sort(sorted.begin(), sorted.end(), [](const ValuePoint &a, const ValuePoint &b) { return a.x < b.x; });
    if (sorted.empty() || x < sorted.front().x || x > sorted.back().x)
        return std::nullopt;
    const auto after = std::lower_bound(sorted.begin(), sorted.end(), x,
                                        [](const ValuePoint &p, double v) { return p.x < v; });
    if (after->x == x)
        return after->y;
    const ValuePoint &b = *after;
    const ValuePoint &a = *(after - 1);
    const double t = (along(x, xLog) - along(a.x, xLog)) / (along(b.x, xLog) - along(a.x, xLog));
    const double y = along(a.y, yLog) + t * (along(b.y, yLog) - along(a.y, yLog));
    return yLog ? std::pow(10.0, y) : y;
}

QByteArray exportDatasets(const std::vector<ValuedDataset> &datasets, ExportForm form, AxisScale scale)
{
    switch (form) {
    case ExportForm::WideCsv:
        return wideForm(datasets, scale);
    case ExportForm::Tsv:
        return longForm(datasets, '\t');
    case ExportForm::Json:
        return jsonForm(datasets);
    case ExportForm::LongCsv:
        break;
    }
    return longForm(datasets, ',');
}
