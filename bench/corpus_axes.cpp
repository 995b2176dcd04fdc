// Finding the axes on the chart corpus that bench/corpus/make_corpus.py draws
// with real plotting programs: per tool and per degradation, how many were
// found right, found wrongly (a value wrong or a corner over 1 px off) and
// refused, with the commonest reasons; the worst corner error and the time.
//
//     corpus_axes DIR|CHART.json [-v] [-g]

#include "axes/axis_finder.h"
#include "axes/label_reader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QRegularExpression>

#include <cmath>
#include <cstdio>

namespace {

struct Truth
{
    QString tool, degradation;
    bool xLog = false, yLog = false;
    double m[2][3] = {};

    QPointF pixelOf(double x, double y) const
    {
        const double X = xLog ? std::log10(x) : x, Y = yLog ? std::log10(y) : y;
        return {m[0][0] * X + m[0][1] * Y + m[0][2], m[1][0] * X + m[1][1] * Y + m[1][2]};
    }
    AxisScale scale() const
    {
        return xLog ? (yLog ? AxisScale::LogLog : AxisScale::LogLinear) : (yLog ? AxisScale::LinearLog : AxisScale::LinearLinear);
    }
};

Truth readTruth(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
    Truth t;
    t.tool = o[QLatin1String("tool")].toString() + u' ' + o[QLatin1String("style")].toString();
    t.degradation = o[QLatin1String("degradation")].toString();
    // Turns and scales are grouped by kind, not by their amount.
    if (t.degradation.startsWith(u"turned"))
        t.degradation = QStringLiteral("turned");
    if (t.degradation.startsWith(u"JPEG"))
        t.degradation = QStringLiteral("JPEG");
    if (t.degradation.startsWith(u"reduced"))
        t.degradation = QStringLiteral("reduced");
    t.xLog = o[QLatin1String("xKind")].toString() == u"log";
    t.yLog = o[QLatin1String("yKind")].toString() == u"log";
    const QJsonArray m = o[QLatin1String("map")].toArray();
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            t.m[r][c] = m[r].toArray()[c].toDouble();
    return t;
}

struct Row
{
    int found = 0, wrong = 0, refused = 0;
    double worst = 0;
    QMap<QString, int> reasons;
};

void print(const char *title, const QMap<QString, Row> &rows)
{
    std::printf("\n| %s | found | wrong | refused | worst corner (px) | commonest reason for refusing |\n|---|---|---|---|---|---|\n", title);
    for (auto it = rows.begin(); it != rows.end(); ++it) {
        const Row &r = it.value();
        QString reason;
        int most = 0;
        for (auto q = r.reasons.begin(); q != r.reasons.end(); ++q) {
            if (q.value() > most)
                most = q.value(), reason = q.key();
        }
        const int total = r.found + r.wrong + r.refused;
        std::printf("| %s | %d/%d (%.0f %%) | %d | %d | %.2f | %s |\n", qPrintable(it.key()), r.found, total,
                    100.0 * r.found / std::max(1, total), r.wrong, r.refused, r.worst, qPrintable(reason));
    }
}

QString pixels(const std::vector<double> &v)
{
    QStringList out;
    for (double p : v)
        out << QString::number(p, 'f', 2);
    return out.join(u' ');
}

void printGeometry(const QImage &picture)
{
    QString failure;
    const auto g = findAxesGeometry(picture, &failure);
    if (!g) {
        std::printf("  no geometry: %s\n", qPrintable(failure));
        return;
    }
    std::printf("  X axis row %.2f from %d to %d, Y axis column %.2f from %d to %d, tilt %.3f°\n", g->xAxisRow, g->xAxisLeft,
                g->xAxisRight, g->yAxisColumn, g->yAxisTop, g->yAxisBottom, g->angle);
    std::printf("  X ticks %s\n  X crossings %s\n", qPrintable(pixels(g->xTicks)), qPrintable(pixels(g->xCrossings)));
    std::printf("  Y ticks %s\n  Y crossings %s\n", qPrintable(pixels(g->yTicks)), qPrintable(pixels(g->yCrossings)));
    for (const LabelBox &b : g->xLabels)
        std::printf("  X label %d,%d %dx%d\n", b.box.x(), b.box.y(), b.box.width(), b.box.height());
    for (const LabelBox &b : g->yLabels)
        std::printf("  Y label %d,%d %dx%d\n", b.box.x(), b.box.y(), b.box.width(), b.box.height());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: corpus_axes DIR [-v]\n");
        return 2;
    }
    const bool verbose = args.contains(QStringLiteral("-v"));
    // With -g, the geometry the finder saw on each chart too.
    const bool geometry = args.contains(QStringLiteral("-g"));
    // A folder, or one chart's truth file.
    const QFileInfo given(args[1]);
    const QDir dir(given.isDir() ? given.filePath() : given.path());
    const QStringList names = given.isDir() ? dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name) : QStringList{given.fileName()};
    QMap<QString, Row> byTool, byDegradation;
    qint64 slowest = 0, sum = 0;
    int count = 0;
    for (const QString &name : names) {
        const Truth truth = readTruth(dir.filePath(name));
        QString picturePath = dir.filePath(name.chopped(5));
        if (!QFile::exists(picturePath))
            picturePath += QStringLiteral(".png");
        const QImage picture(picturePath);
        QElapsedTimer clock;
        clock.start();
        const FoundAxes f = findAxes(picture, readTickLabel);
        const qint64 ms = clock.elapsed();
        slowest = std::max(slowest, ms);
        sum += ms;
        ++count;
        Row &a = byTool[truth.tool], &b = byDegradation[truth.degradation];
        QString line;
        if (!f.found()) {
            const QString reason = f.failure.section(u':', 0, 0).replace(QRegularExpression(QStringLiteral("[0-9.]+°")), QStringLiteral("N°"));
            a.refused++, b.refused++;
            a.reasons[reason]++, b.reasons[reason]++;
            line = QStringLiteral("refused: ") + f.failure;
        } else {
            const double error = std::max(std::hypot(truth.pixelOf(f.xs, f.ys).x() - f.start.x(), truth.pixelOf(f.xs, f.ys).y() - f.start.y()),
                                          std::hypot(truth.pixelOf(f.xe, f.ye).x() - f.end.x(), truth.pixelOf(f.xe, f.ye).y() - f.end.y()));
            const bool right = error <= 1 && f.scale == truth.scale() && std::isfinite(error);
            if (right) {
                a.found++, b.found++;
                a.worst = std::max(a.worst, error), b.worst = std::max(b.worst, error);
            } else {
                a.wrong++, b.wrong++;
            }
            line = QStringLiteral("%1: corner error %2 px, %3,%4 .. %5,%6")
                       .arg(right ? QStringLiteral("found") : QStringLiteral("WRONG"))
                       .arg(error, 0, 'f', 2).arg(f.xs).arg(f.ys).arg(f.xe).arg(f.ye);
        }
        if (verbose || geometry)
            std::printf("%s: %s\n", qPrintable(name.chopped(5)), qPrintable(line));
        if (geometry)
            printGeometry(picture);
    }
    print("tool", byTool);
    print("degradation", byDegradation);
    std::printf("\n%d charts, %.0f ms per chart on average, %lld ms at most\n", count, double(sum) / std::max(1, count), slowest);
    return 0;
}
