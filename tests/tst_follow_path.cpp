// The choice of one run per column, on hand-made columns of candidate runs.
#include "digitize/follow_path.h"

#include <QTest>

#include <cmath>
#include <functional>

namespace {

// Each column's runs, built from lines: a line is a function giving the
// row of its centre in a column, or nothing where it is absent.
using Line = std::function<std::optional<float>(int)>;

LineRun run(float centre, int height = 3, float peak = 255)
{
    const int top = int(std::lround(centre - (height - 1) / 2.0f));
    return {top, top + height - 1, top, peak, centre};
}

ColumnRuns columnsOf(int count, const std::vector<Line> &lines, int height = 3)
{
    std::vector<std::vector<LineRun>> columns(static_cast<size_t>(count));
    for (int k = 0; k < count; ++k) {
        for (const Line &line : lines) {
            if (const auto centre = line(k))
                columns[size_t(k)].push_back(run(*centre, height));
        }
        std::sort(columns[size_t(k)].begin(), columns[size_t(k)].end(),
                  [](const LineRun &a, const LineRun &b) { return a.top < b.top; });
    }
    return ColumnRuns(columns);
}

// The curve every row follows: a gentle slope across 200 columns.
float curve(int k) { return 100 + 0.5f * float(k); }
Line curveWhere(std::function<bool(int)> shown)
{
    return [shown](int k) -> std::optional<float> { return shown(k) ? std::optional<float>(curve(k)) : std::nullopt; };
}
Line level(float row, int from, int to)
{
    return [=](int k) -> std::optional<float> { return k >= from && k <= to ? std::optional<float>(row) : std::nullopt; };
}

constexpr float Bridged = -1;
constexpr float Outside = -2;

} // namespace

Q_DECLARE_METATYPE(ColumnRuns)
Q_DECLARE_METATYPE(std::optional<PathSeed>)

class TestFollowPath : public QObject
{
    Q_OBJECT

private slots:
    void choosesTheCurve_data();
    void choosesTheCurve();
    void tallRunsAreBridged();
};

void TestFollowPath::choosesTheCurve_data()
{
    QTest::addColumn<ColumnRuns>("columns");
    QTest::addColumn<std::optional<PathSeed>>("seed");
    // What each column must hold: the row of the chosen run's centre, or
    // Bridged, or Outside; a function of the column.
    QTest::addColumn<std::function<float(int)>>("expected");
    QTest::addColumn<bool>("endedEarly");

    const auto all = [](int) { return true; };
    const std::function<float(int)> onCurve = [](int k) { return curve(k); };

    // A legend box over the curve: its borders run level across it, text between them.
    std::vector<Line> legend{curveWhere([](int k) { return k < 60 || k > 90; }), level(120, 58, 92), level(170, 58, 92)};
    for (int t = 0; t < 3; ++t)
        legend.push_back(level(float(123 + 2 * (t % 2)), 65 + 7 * t, 68 + 7 * t)); // text, in the box's upper part
    QTest::newRow("legend box") << columnsOf(200, legend) << std::optional<PathSeed>()
                                << std::function<float(int)>([](int k) { return k >= 60 && k <= 90 ? Bridged : curve(k); })
                                << false;
    // Inward tick marks: short level lines from the frame's edge.
    QTest::newRow("inward ticks") << columnsOf(200, {curveWhere(all), level(60, 0, 5), level(110, 0, 5), level(160, 0, 5),
                                                     level(60, 194, 199), level(160, 194, 199)})
                                  << std::optional<PathSeed>() << onCurve << false;
    // Dashes: four columns of every twelve hidden.
    QTest::newRow("dash gaps") << columnsOf(200, {curveWhere([](int k) { return k % 12 >= 4; })})
                               << std::optional<PathSeed>()
                               << std::function<float(int)>([](int k) {
                                      if (k < 4)
                                          return Outside;
                                      return k % 12 < 4 ? Bridged : curve(k);
                                  })
                               << false;
    // A second, darker line crossing the curve at column 100.
    const Line other = [](int k) -> std::optional<float> { return 200 - 0.5f * float(k); };
    QTest::newRow("crossing, seeded on the curve")
        << columnsOf(200, {curveWhere(all), other}) << std::optional<PathSeed>(PathSeed{20, curve(20)})
        << std::function<float(int)>([](int k) { return k >= 98 && k <= 102 ? NAN : curve(k); }) << false;
    QTest::newRow("crossing, seeded on the other line")
        << columnsOf(200, {curveWhere(all), other}) << std::optional<PathSeed>(PathSeed{180, 200 - 0.5f * 180})
        << std::function<float(int)>([](int k) { return k >= 98 && k <= 102 ? NAN : 200 - 0.5f * float(k); }) << false;
    // Without a seed either line is a path, but the path keeps to one.
    QTest::newRow("crossing, no seed")
        << columnsOf(200, {curveWhere(all), other}) << std::optional<PathSeed>()
        << std::function<float(int)>([](int k) { return k >= 98 && k <= 102 ? NAN : -3.0f; }) << false;
    // A thick curve seen only from column 120 on (it left the traced area
    // before), a faint thin grid line across every column: the click says
    // the curve is the thick one, so its runs are the curve, not marks to bridge.
    std::vector<std::vector<LineRun>> exits(200);
    for (int k = 0; k < 200; ++k) {
        exits[size_t(k)].push_back(run(60, 1, 40));
        if (k >= 120)
            exits[size_t(k)].push_back(run(curve(k), 7));
    }
    QTest::newRow("curve leaving the area, grid line beyond, seeded")
        << ColumnRuns(exits) << std::optional<PathSeed>(PathSeed{160, curve(160)})
        << std::function<float(int)>([](int k) { return k >= 120 ? curve(k) : NAN; }) << false;
    // Hidden for exactly as long as a bridge reaches (40 columns here): bridged;
    // one column more, and the path ends.
    QTest::newRow("gap at the limit") << columnsOf(200, {curveWhere([](int k) { return k <= 80 || k > 120; })})
                                      << std::optional<PathSeed>()
                                      << std::function<float(int)>([](int k) { return k > 80 && k <= 120 ? Bridged : curve(k); })
                                      << false;
    QTest::newRow("gap one past the limit") << columnsOf(200, {curveWhere([](int k) { return k <= 80 || k > 121; })})
                                            << std::optional<PathSeed>()
                                            << std::function<float(int)>([](int k) { return k <= 80 ? curve(k) : Outside; })
                                            << true;
    // Hidden for longer than a bridge reaches (40 columns here): the path ends.
    QTest::newRow("gap too long") << columnsOf(200, {curveWhere([](int k) { return k <= 80; }), level(400, 150, 199)})
                                  << std::optional<PathSeed>()
                                  << std::function<float(int)>([](int k) { return k <= 80 ? curve(k) : Outside; })
                                  << true;
}

void TestFollowPath::choosesTheCurve()
{
    QFETCH(ColumnRuns, columns);
    QFETCH(std::optional<PathSeed>, seed);
    QFETCH(std::function<float(int)>, expected);
    QFETCH(bool, endedEarly);

    const FollowedPath path = followPath(columns, seed, 40);
    QCOMPARE(path.endedEarly, endedEarly);
    std::optional<float> lineAtStart; // "either line": the one the path starts on
    for (int k = 0; k < columns.size(); ++k) {
        const int choice = path.choice[size_t(k)];
        const float want = expected(k);
        if (std::isnan(want))
            continue; // anything will do where two lines meet
        if (want == Outside) {
            QVERIFY2(choice == FollowedPath::Outside, qPrintable(QStringLiteral("column %1").arg(k)));
        } else if (want == Bridged) {
            QVERIFY2(choice == FollowedPath::Bridged, qPrintable(QStringLiteral("column %1: %2").arg(k).arg(choice)));
        } else {
            QVERIFY2(choice >= 0, qPrintable(QStringLiteral("column %1: %2").arg(k).arg(choice)));
            const float centre = columns[k][size_t(choice)].centre;
            if (want == -3.0f) {
                // Either line, the same on both sides of the crossing.
                const float slope = (centre - 150) / float(k - 100);
                if (!lineAtStart)
                    lineAtStart = slope;
                QVERIFY2(std::fabs(slope - *lineAtStart) < 0.05f, qPrintable(QStringLiteral("column %1").arg(k)));
            } else {
                QVERIFY2(std::fabs(centre - want) < 1, qPrintable(QStringLiteral("column %1: %2, not %3").arg(k).arg(centre).arg(want)));
            }
        }
    }
}

void TestFollowPath::tallRunsAreBridged()
{
    // A marker (nine rows tall) on the curve, and a vertical line crossing it.
    std::vector<std::vector<LineRun>> columns(200);
    for (int k = 0; k < 200; ++k) {
        if (k >= 50 && k <= 56)
            columns[size_t(k)].push_back(run(curve(k), 9));
        else if (k == 150)
            columns[size_t(k)].push_back(run(curve(k) + 20, 80));
        else
            columns[size_t(k)].push_back(run(curve(k)));
    }
    const FollowedPath path = followPath(ColumnRuns(columns));
    for (int k : {50, 53, 56, 150})
        QCOMPARE(path.choice[size_t(k)], FollowedPath::Bridged);
    for (int k : {0, 40, 60, 149, 151, 199})
        QCOMPARE(path.choice[size_t(k)], 0);
    QCOMPARE(path.first, 0);
    QCOMPARE(path.last, 199);

    // A flat curve that rises steeply, up to 6 rows a column, and levels off
    // again: each column's run is as tall as the rise there, and is the
    // curve, read, not bridged; rising or falling alike.
    for (const float direction : {-1.0f, 1.0f}) {
        std::vector<std::vector<LineRun>> steep(200);
        float row = 300;
        for (int k = 0; k < 200; ++k) {
            const int into = k - 80; // the rise eases in and out over 40 columns
            const float step = into >= 0 && into < 40 ? direction * float(std::min({into + 1, 40 - into, 6})) : 0;
            row += step;
            const int height = std::max(3, int(std::fabs(step)) + 1);
            steep[size_t(k)].push_back(run(row - step / 2, height));
        }
        const FollowedPath followed = followPath(ColumnRuns(steep));
        for (int k = 0; k < 200; ++k)
            QVERIFY2(followed.choice[size_t(k)] == 0,
                     qPrintable(QStringLiteral("direction %1, column %2: %3").arg(direction).arg(k).arg(followed.choice[size_t(k)])));
    }
}

QTEST_GUILESS_MAIN(TestFollowPath)
#include "tst_follow_path.moc"
