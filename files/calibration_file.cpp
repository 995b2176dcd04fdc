#include "files/calibration_file.h"

#include "calibration/number_text.h"
#include "files/atomic_file.h"
#include "files/pdf_page.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>

namespace {

// Far above what the program writes (ten sets of 100,000 points take about
// 70 MB); a bigger file is not ours.
constexpr qint64 MaxFileBytes = qint64(256) * 1024 * 1024;

struct ScaleName
{
    AxisScale scale;
    const char16_t *name;
};
constexpr ScaleName ScaleNames[] = {{AxisScale::LinearLinear, u"linear-linear"},
                                    {AxisScale::LinearLog, u"linear-log"},
                                    {AxisScale::LogLog, u"log-log"},
                                    {AxisScale::LogLinear, u"log-linear"}};

CalibrationFileRead refuse(const QString &what)
{
    return {std::nullopt, what, {}};
}

// One corner: "pixel": [x, y] of pixel positions (fractions allowed) and "value": [x, y] texts.
std::optional<QString> readCorner(const QJsonObject &root, const char16_t *key, CornerPixel &pixel,
                                  QString &xText, QString &yText)
{
    const QString name = QString::fromUtf16(key);
    const QJsonValue corner = root.value(name);
    if (corner.isUndefined())
        return QStringLiteral("\"%1\" is missing").arg(name);
    if (!corner.isObject())
        return QStringLiteral("\"%1\" must be an object").arg(name);
    const QJsonObject object = corner.toObject();

    const QJsonValue p = object.value(QStringLiteral("pixel"));
    const QString pixelField = name + QStringLiteral(".pixel");
    if (p.isUndefined())
        return QStringLiteral("\"%1\" is missing").arg(pixelField);
    if (!p.isArray() || p.toArray().size() != 2)
        return QStringLiteral("\"%1\" must be an array of two pixel positions").arg(pixelField);
    float xy[2];
    for (int i = 0; i < 2; ++i) {
        const QJsonValue v = p.toArray().at(i);
        const double d = v.toDouble(-1);
        if (!v.isDouble() || !(d >= 0) || d > CalibrationFile::MaxPixel)
            return QStringLiteral("\"%1\" must hold pixel positions from 0 to %2")
                .arg(pixelField)
                .arg(CalibrationFile::MaxPixel);
        xy[i] = float(d);
    }
    pixel = {xy[0], xy[1]};

    const QJsonValue v = object.value(QStringLiteral("value"));
    const QString valueField = name + QStringLiteral(".value");
    if (v.isUndefined())
        return QStringLiteral("\"%1\" is missing").arg(valueField);
    if (!v.isArray() || v.toArray().size() != 2 || !v.toArray().at(0).isString()
        || !v.toArray().at(1).isString())
        return QStringLiteral("\"%1\" must be an array of two texts").arg(valueField);
    xText = v.toArray().at(0).toString();
    yText = v.toArray().at(1).toString();
    return std::nullopt;
}

// An array of `count` pixel positions (fractions allowed) from 0 to MaxPixel.
std::optional<std::vector<double>> positions(const QJsonValue &value, int count)
{
    if (!value.isArray() || value.toArray().size() != count)
        return std::nullopt;
    std::vector<double> numbers;
    for (const QJsonValue &v : value.toArray()) {
        const double d = v.toDouble(-1);
        if (!v.isDouble() || !(d >= 0) || d > CalibrationFile::MaxPixel)
            return std::nullopt;
        numbers.push_back(d);
    }
    return numbers;
}

// A "trace" object; `field` names it in refusals ("trace", "datasets[2].trace").
std::optional<QString> readTraceValue(const QJsonValue &value, TraceOptions &trace, const QString &field)
{
    if (value.isUndefined() || value.isNull())
        return std::nullopt;
    if (!value.isObject())
        return QStringLiteral("\"%1\" must be an object").arg(field);
    const QJsonObject object = value.toObject();

    const QJsonValue line = object.value(QStringLiteral("line"));
    if (!line.isUndefined()) {
        const auto rule = line.isString() ? lineRuleFromName(line.toString()) : std::nullopt;
        if (!rule)
            return QStringLiteral("\"%1.line\" must be \"top\" or \"centre\"").arg(field);
        trace.line = *rule;
    }
    const QJsonValue colour = object.value(QStringLiteral("colour"));
    if (!colour.isUndefined() && !colour.isNull()) {
        const auto rgb = colour.isString() ? colourFromName(colour.toString()) : std::nullopt;
        if (!rgb)
            return QStringLiteral("\"%1.colour\" must be null or a colour \"#RRGGBB\"").arg(field);
        trace.colour = rgb;
    }
    const QJsonValue tolerance = object.value(QStringLiteral("tolerance"));
    if (!tolerance.isUndefined()) {
        const double t = tolerance.toDouble(-1);
        if (!tolerance.isDouble() || t < 0 || t != std::floor(t) || t > TraceLimits::MaxTolerance)
            return QStringLiteral("\"%1.tolerance\" must be a whole number from 0 to %2").arg(field).arg(TraceLimits::MaxTolerance);
        trace.tolerance = int(t);
    }
    const QJsonValue follow = object.value(QStringLiteral("follow"));
    if (!follow.isUndefined()) {
        if (!follow.isBool())
            return QStringLiteral("\"%1.follow\" must be true or false").arg(field);
        trace.follow = follow.toBool();
    }
    const QJsonValue seed = object.value(QStringLiteral("seed"));
    if (!seed.isUndefined() && !seed.isNull()) {
        const auto numbers = positions(seed, 2);
        if (!numbers)
            return QStringLiteral("\"%1.seed\" must be null or [x, y], pixel positions from 0 to %2")
                .arg(field)
                .arg(CalibrationFile::MaxPixel);
        trace.seed = QPointF((*numbers)[0], (*numbers)[1]);
    }
    return std::nullopt;
}

std::optional<QString> readTrace(const QJsonObject &root, TraceOptions &trace)
{
    return readTraceValue(root.value(QStringLiteral("trace")), trace, QStringLiteral("trace"));
}

// "datasets": [{"name", "kind", "colour", "points": [[px, py, x, y], ...], "trace"}].
// A dataset that is not sound is left out and named in `skipped`; only a
// "datasets" that is no list refuses the file.
std::optional<QString> readDatasets(const QJsonObject &root, std::vector<Dataset> &datasets, QStringList &skipped)
{
    const QJsonValue value = root.value(QStringLiteral("datasets"));
    if (value.isUndefined() || value.isNull())
        return std::nullopt;
    if (!value.isArray())
        return QStringLiteral("\"datasets\" must be a list");
    int index = 0;
    for (const QJsonValue &entry : value.toArray()) {
        ++index;
        const QString where = QStringLiteral("dataset %1").arg(index);
        const QJsonObject object = entry.toObject();
        const QString name = object.value(QStringLiteral("name")).toString().trimmed();
        const QString kind = object.value(QStringLiteral("kind")).toString();
        if (!entry.isObject() || name.isEmpty()) {
            skipped << QStringLiteral("%1: no name").arg(where);
            continue;
        }
        if (kind != QStringLiteral("curve") && kind != QStringLiteral("points")) {
            skipped << QStringLiteral("%1 (\"%2\"): unknown kind \"%3\"").arg(where, name, kind);
            continue;
        }
        if (std::any_of(datasets.begin(), datasets.end(), [&](const Dataset &d) { return d.name == name; })) {
            skipped << QStringLiteral("%1: a second dataset named \"%2\"").arg(where, name);
            continue;
        }
        Dataset dataset{name, kind == QStringLiteral("curve") ? DatasetKind::Curve : DatasetKind::Points,
                        datasetColour(int(datasets.size())), {}, std::nullopt};
        if (const auto colour = colourFromName(object.value(QStringLiteral("colour")).toString()))
            dataset.colour = *colour;
        bool sound = object.value(QStringLiteral("points")).isArray()
            && object.value(QStringLiteral("points")).toArray().size() <= MaxDatasetPoints;
        for (const QJsonValue &point : object.value(QStringLiteral("points")).toArray()) {
            const QJsonArray p = point.toArray();
            // [px, py], or [px, py, x, y] whose values are those of the calibration then: they are
            // computed afresh from the calibration in force.
            if (!sound || !point.isArray() || (p.size() != 2 && p.size() != 4)
                || !std::all_of(p.begin(), p.end(), [](const QJsonValue &v) { return v.isDouble() && std::isfinite(v.toDouble()); })
                || p[0].toDouble() < 0 || p[1].toDouble() < 0 || p[0].toDouble() > CalibrationFile::MaxPixel
                || p[1].toDouble() > CalibrationFile::MaxPixel) {
                sound = false;
                break;
            }
            dataset.points.push_back({p[0].toDouble(), p[1].toDouble()});
        }
        if (!sound) {
            skipped << QStringLiteral("%1 (\"%2\"): points must be [px, py] or [px, py, x, y], at most %3").arg(where, name).arg(MaxDatasetPoints);
            continue;
        }
        if (object.contains(QStringLiteral("trace"))) {
            TraceOptions trace;
            if (const auto error = readTraceValue(object.value(QStringLiteral("trace")), trace,
                                                  QStringLiteral("datasets[%1].trace").arg(index))) {
                skipped << QStringLiteral("%1 (\"%2\"): %3").arg(where, name, *error);
                continue;
            }
            dataset.trace = trace;
        }
        datasets.push_back(std::move(dataset));
    }
    return std::nullopt;
}

// "exclude": [[x, y, w, h], ...], rectangles of positive size.
std::optional<QString> readExclusions(const QJsonObject &root, std::vector<QRectF> &exclusions)
{
    const QJsonValue value = root.value(QStringLiteral("exclude"));
    if (value.isUndefined() || value.isNull())
        return std::nullopt;
    const QString wrong = QStringLiteral("\"exclude\" must be a list of at most %1 rectangles [x, y, w, h], "
                                         "positions from 0 to %2 and sizes above 0")
                              .arg(CalibrationFile::MaxExclusions)
                              .arg(CalibrationFile::MaxPixel);
    if (!value.isArray() || value.toArray().size() > CalibrationFile::MaxExclusions)
        return wrong;
    for (const QJsonValue &rect : value.toArray()) {
        const auto numbers = positions(rect, 4);
        if (!numbers || (*numbers)[2] <= 0 || (*numbers)[3] <= 0)
            return wrong;
        exclusions.emplace_back((*numbers)[0], (*numbers)[1], (*numbers)[2], (*numbers)[3]);
    }
    return std::nullopt;
}

} // namespace


QString scaleName(AxisScale scale)
{
    for (const ScaleName &s : ScaleNames) {
        if (s.scale == scale)
            return QString::fromUtf16(s.name);
    }
    return QString::fromUtf16(ScaleNames[0].name);
}

std::optional<AxisScale> scaleFromName(const QString &name)
{
    for (const ScaleName &s : ScaleNames) {
        if (name == QString::fromUtf16(s.name))
            return s.scale;
    }
    return std::nullopt;
}

QString lineRuleName(LineRule rule)
{
    return rule == LineRule::Centre ? QStringLiteral("centre") : QStringLiteral("top");
}

std::optional<LineRule> lineRuleFromName(const QString &name)
{
    if (name == QStringLiteral("top"))
        return LineRule::Top;
    if (name == QStringLiteral("centre") || name == QStringLiteral("center"))
        return LineRule::Centre;
    return std::nullopt;
}

std::optional<QRgb> colourFromName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^#?([0-9A-Fa-f]{6})$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    return qRgb(0, 0, 0) | match.captured(1).toUInt(nullptr, 16);
}

QString colourName(QRgb colour)
{
    return QStringLiteral("#%1").arg(colour & 0xffffff, 6, 16, QLatin1Char('0')).toUpper();
}

CalibrationFileRead parseCalibrationFile(const QByteArray &bytes)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return refuse(QStringLiteral("not JSON: %1 at byte %2").arg(parseError.errorString()).arg(parseError.offset));
    if (!document.isObject())
        return refuse(QStringLiteral("not a calibration: the file must hold one JSON object"));
    const QJsonObject root = document.object();

    const QJsonValue version = root.value(QStringLiteral("curvix"));
    if (version.isUndefined())
        return refuse(QStringLiteral("\"curvix\" is missing: this is not a calibration file"));
    if (!version.isDouble()
        || (version.toDouble() != CalibrationFile::Version && version.toDouble() != CalibrationFile::DatasetsVersion))
        return refuse(QStringLiteral("\"curvix\" must be 1 or 2: this calibration file is of another version"));

    CalibrationFile file;
    const QJsonValue image = root.value(QStringLiteral("image"));
    if (!image.isUndefined() && !image.isNull()) {
        if (!image.isString())
            return refuse(QStringLiteral("\"image\" must be a text"));
        file.image = image.toString();
    }
    for (auto [key, target, lowest, highest] :
         {std::tuple{u"page", &file.page, 1, 100000}, std::tuple{u"dpi", &file.dpi, PdfPage::MinDpi, PdfPage::MaxDpi}}) {
        const QString name = QString::fromUtf16(key);
        const QJsonValue value = root.value(name);
        if (value.isUndefined() || value.isNull())
            continue;
        const double n = value.toDouble(-1);
        if (!value.isDouble() || n != std::floor(n) || n < lowest || n > highest)
            return refuse(QStringLiteral("\"%1\" must be a whole number from %2 to %3").arg(name).arg(lowest).arg(highest));
        *target = int(n);
    }
    if (const auto error = readCorner(root, u"start", file.start, file.values[0], file.values[1]))
        return refuse(*error);
    if (const auto error = readCorner(root, u"end", file.end, file.values[2], file.values[3]))
        return refuse(*error);

    const QJsonValue scale = root.value(QStringLiteral("scale"));
    if (scale.isUndefined())
        return refuse(QStringLiteral("\"scale\" is missing"));
    const auto axisScale = scale.isString() ? scaleFromName(scale.toString()) : std::nullopt;
    if (!axisScale)
        return refuse(QStringLiteral("\"scale\" must be \"linear-linear\", \"linear-log\", \"log-log\" or \"log-linear\""));
    file.scale = *axisScale;

    if (const auto error = readTrace(root, file.trace))
        return refuse(*error);
    if (const auto error = readExclusions(root, file.trace.exclusions))
        return refuse(*error);
    QStringList skipped;
    if (const auto error = readDatasets(root, file.datasets, skipped))
        return refuse(*error);
    return {file, QString(), skipped};
}

CalibrationFileRead readCalibrationFile(const QString &path)
{
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        return refuse(source.errorString());
    if (source.size() > MaxFileBytes)
        return refuse(QStringLiteral("the file is larger than the %1 MiB a calibration file may hold").arg(MaxFileBytes / (1024 * 1024)));
    const QByteArray bytes = source.read(MaxFileBytes + 1);
    if (source.error() != QFileDevice::NoError)
        return refuse(source.errorString());
    return parseCalibrationFile(bytes);
}

namespace {

// A pixel position as the double nearest its shortest decimal text: a
// single-precision click at 770.3 is written 770.3, not 770.2999877929688.
double pixelNumber(float p)
{
    return formatShortestNumber(p).toDouble();
}

// The follow fields only when set, so that a calibration without them keeps
// the fields it always had.
QJsonObject traceJson(const TraceOptions &trace)
{
    QJsonObject object{{QStringLiteral("line"), lineRuleName(trace.line)},
                       {QStringLiteral("colour"), trace.colour ? QJsonValue(colourName(*trace.colour)) : QJsonValue()},
                       {QStringLiteral("tolerance"), trace.tolerance}};
    if (trace.follow || trace.seed) {
        object.insert(QStringLiteral("follow"), trace.follow);
        object.insert(QStringLiteral("seed"), trace.seed ? QJsonValue(QJsonArray{trace.seed->x(), trace.seed->y()}) : QJsonValue());
    }
    return object;
}

QJsonObject cornerJson(const CornerPixel &pixel, const QString &x, const QString &y)
{
    return {{QStringLiteral("pixel"), QJsonArray{pixelNumber(pixel.x), pixelNumber(pixel.y)}},
            {QStringLiteral("value"), QJsonArray{x, y}}};
}

// Each point as [px, py, x, y]: its picture position and, for readers of the
// file, its values under the file's calibration ([px, py] where that has none).
QJsonArray pointsJson(const std::vector<DataPoint> &points, const std::optional<AxesTransform> &transform)
{
    QJsonArray out;
    for (const DataPoint &p : points) {
        const auto value = transform ? valueOf(p, *transform) : std::nullopt;
        out.append(value ? QJsonArray{p.px, p.py, value->x, value->y} : QJsonArray{p.px, p.py});
    }
    return out;
}

} // namespace

QJsonObject calibrationJson(const CalibrationFile &file)
{
    QJsonObject out;
    out.insert(QStringLiteral("curvix"), file.datasets.empty() ? CalibrationFile::Version : CalibrationFile::DatasetsVersion);
    if (!file.image.isEmpty())
        out.insert(QStringLiteral("image"), file.image);
    if (file.page)
        out.insert(QStringLiteral("page"), *file.page);
    if (file.dpi)
        out.insert(QStringLiteral("dpi"), *file.dpi);
    out.insert(QStringLiteral("start"), cornerJson(file.start, file.values[0], file.values[1]));
    out.insert(QStringLiteral("end"), cornerJson(file.end, file.values[2], file.values[3]));
    out.insert(QStringLiteral("scale"), scaleName(file.scale));
    out.insert(QStringLiteral("trace"), traceJson(file.trace));
    if (!file.trace.exclusions.empty()) {
        QJsonArray rects;
        for (const QRectF &r : file.trace.exclusions)
            rects.append(QJsonArray{r.x(), r.y(), r.width(), r.height()});
        out.insert(QStringLiteral("exclude"), rects);
    }
    if (!file.datasets.empty()) {
        const auto transform = AxesTransform::fromCorners(file.calibration());
        QJsonArray datasets;
        for (const Dataset &d : file.datasets) {
            QJsonObject dataset{{QStringLiteral("name"), d.name},
                                {QStringLiteral("kind"), d.kind == DatasetKind::Curve ? QStringLiteral("curve") : QStringLiteral("points")},
                                {QStringLiteral("colour"), colourName(d.colour)},
                                {QStringLiteral("points"), pointsJson(d.points, transform)}};
            if (d.trace)
                dataset.insert(QStringLiteral("trace"), traceJson(*d.trace));
            datasets.append(dataset);
        }
        out.insert(QStringLiteral("datasets"), datasets);
    }
    return out;
}

QByteArray calibrationFileBytes(const CalibrationFile &file)
{
    // Indented to be read and edited by hand; with datasets compact, so that
    // a hundred thousand points stay a few megabytes.
    return QJsonDocument(calibrationJson(file)).toJson(file.datasets.empty() ? QJsonDocument::Indented : QJsonDocument::Compact);
}

std::optional<QString> writeCalibrationFile(const QString &path, const CalibrationFile &file)
{
    return writeFileAtomically(path, calibrationFileBytes(file));
}
