#include "digitize/follow_path.h"

#include <algorithm>
#include <cmath>
#include <limits>

ColumnRuns::ColumnRuns(const std::vector<std::vector<LineRun>> &columns)
{
    for (const auto &runs : columns) {
        m_runs.insert(m_runs.end(), runs.begin(), runs.end());
        m_start.push_back(m_runs.size());
    }
}

ColumnRuns::ColumnRuns(int columnCount, const std::vector<std::pair<int, LineRun>> &runs)
{
    // A counting sort by column keeps each column's runs in their order.
    m_start.assign(size_t(columnCount) + 1, 0);
    for (const auto &[column, run] : runs)
        ++m_start[size_t(column) + 1];
    for (size_t k = 1; k < m_start.size(); ++k)
        m_start[k] += m_start[k - 1];
    m_runs.resize(runs.size());
    std::vector<size_t> next(m_start.begin(), m_start.end() - 1);
    for (const auto &[column, run] : runs)
        m_runs[next[size_t(column)]++] = run;
}

namespace {

// Costs, in units of one squared pixel of deviation.
constexpr double BridgeCost = 1.0;    // a column bridged
constexpr double OutsideCost = 10.0;  // a column before the start or after the end
constexpr double DeviationCap = 400;  // a jump of 20 pixels or more costs the same
constexpr double WeakCost = 2.0;      // a run at no strength, against one at the curve's
constexpr int HiddenKept = 6;         // bridges carried on per column
constexpr double SeedReach = 20;      // pixels from the seed to its run
constexpr int SeedColumns = 3;        // columns each side searched when the seed's own shows no run
constexpr double InkCost = 100;       // per unit of 1 - cos(angle) between inks: 40 degrees cost 23
constexpr double InkCostCap = 25;

enum class Kind { NotStarted, Visible, Tall, Hidden, Ended };

struct State
{
    Kind kind = Kind::NotStarted;
    double cost = 0;
    float y = 0;     // the path's row in this column (for a bridge, carried on)
    float slope = 0; // rows per column
    int gap = 0;     // columns bridged in a row
    int age = 0;     // columns seen on the path so far, up to 3: how well its slope is known
    std::array<float, 3> ink{}; // the path's ink so far
    int run = -1;
    int previous = -1; // index of the state in the column before
};

float median(std::vector<float> values)
{
    if (values.empty())
        return 0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

double inkChange(const std::array<float, 3> &a, const std::array<float, 3> &b)
{
    const double cosine = double(a[0]) * b[0] + double(a[1]) * b[1] + double(a[2]) * b[2];
    return std::min(InkCost * (1 - cosine), InkCostCap);
}

// What the runs say about the curve: how strong and how thick it is, taken
// from each column's strongest run.
struct Typical
{
    float peak = 255;
    float height = 1;
};

// With a clicked run, only runs like it count: of its ink and at least half
// its strength (not the grid lines that fill the columns where the curve
// leaves the traced area).
Typical typicalRuns(const ColumnRuns &columns, const LineRun *clicked = nullptr)
{
    std::vector<float> peaks;
    std::vector<float> heights;
    for (int k = 0; k < columns.size(); ++k) {
        const LineRun *strongest = nullptr;
        for (const LineRun &run : columns[k]) {
            const bool likeClicked =
                !clicked || (run.peak >= 0.5f * clicked->peak && inkChange(clicked->ink, run.ink) < InkCostCap / 2);
            if (likeClicked && (!strongest || run.peak > strongest->peak))
                strongest = &run;
        }
        if (strongest) {
            peaks.push_back(strongest->peak);
            heights.push_back(float(strongest->height()));
        }
    }
    return {std::max(1.0f, median(peaks)), std::max(1.0f, median(heights))};
}

bool isTall(const LineRun &run, float slope, const Typical &typical)
{
    return float(run.height()) > 2 * typical.height + std::fabs(slope) + 3;
}

std::array<float, 3> blendInk(const std::array<float, 3> &path, const std::array<float, 3> &run)
{
    std::array<float, 3> ink;
    float length = 0;
    for (int i = 0; i < 3; ++i) {
        ink[size_t(i)] = 0.5f * path[size_t(i)] + 0.5f * run[size_t(i)];
        length += ink[size_t(i)] * ink[size_t(i)];
    }
    length = std::sqrt(length);
    for (float &c : ink)
        c /= length > 0 ? length : 1;
    return ink;
}

// How far a run may lie from where the path was heading, squared: the
// prediction is rougher while the path's slope is young and across a bridge.
double predictionSpread(const State &s)
{
    static constexpr double YoungSlope[] = {16, 4, 1, 0};
    return 1 + 0.25 * double(s.gap) * s.gap + YoungSlope[std::min(s.age, 3)];
}

bool onPath(Kind kind)
{
    return kind == Kind::Visible || kind == Kind::Tall || kind == Kind::Hidden;
}

// The best path's choice in each column, by a pass from left to right; with
// a seed run, the path starts there in column 0.
// The columns seen from `origin` on, one `step` (1 or -1) at a time.
struct ColumnsFrom
{
    const ColumnRuns &all;
    int origin = 0;
    int step = 1;
    int count = 0;

    std::span<const LineRun> operator[](int i) const { return all[origin + step * i]; }
};

std::vector<int> chooseRuns(const ColumnsFrom &columns, std::optional<int> seedRun, const Typical &typical,
                            int gapLimit)
{
    const int count = columns.count;
    auto weakness = [&](const LineRun &run) {
        return WeakCost * std::max(0.0, double(typical.peak - run.peak) / typical.peak);
    };

    // Every column's states, one after another; column k's start at start[k].
    std::vector<State> states;
    states.reserve(size_t(count) * 8);
    std::vector<size_t> start(static_cast<size_t>(count));
    std::vector<State> before{State{}}; // not started
    std::vector<State> now, visible, tall, hidden, kept;
    for (int k = 0; k < count; ++k) {
        start[size_t(k)] = states.size();
        if (k == 0 && seedRun) {
            // The path starts at the seed's run.
            const LineRun &run = columns[0][size_t(*seedRun)];
            before = {State{Kind::Visible, 0, run.centre, 0, 0, 0, run.ink, *seedRun, -1}};
            states.push_back(before.front());
            continue;
        }
        const std::span<const LineRun> runs = columns[k];
        const double never = std::numeric_limits<double>::infinity();
        State notStarted{Kind::NotStarted, never};
        State ended{Kind::Ended, never};
        visible.assign(runs.size(), State{Kind::Visible, never});
        tall.assign(runs.size(), State{Kind::Tall, never});
        hidden.clear();
        kept.clear();
        now.clear();

        for (int p = 0; p < int(before.size()); ++p) {
            const State &s = before[size_t(p)];
            if (s.kind == Kind::NotStarted) {
                if (s.cost + OutsideCost < notStarted.cost)
                    notStarted = {Kind::NotStarted, s.cost + OutsideCost, 0, 0, 0, 0, {}, -1, p};
                for (int r = 0; r < int(runs.size()); ++r) {
                    const LineRun &run = runs[size_t(r)];
                    const double cost = s.cost + weakness(run);
                    if (!isTall(run, 0, typical) && cost < visible[size_t(r)].cost)
                        visible[size_t(r)] = {Kind::Visible, cost, run.centre, 0, 0, 0, run.ink, r, p};
                }
                continue;
            }
            if (s.kind == Kind::Ended || !onPath(s.kind)) {
                if (s.cost + OutsideCost < ended.cost)
                    ended = {Kind::Ended, s.cost + OutsideCost, 0, 0, 0, 0, {}, -1, p};
                continue;
            }
            // The path may end here: after its last run, bridges do not count.
            if (s.cost + OutsideCost < ended.cost)
                ended = {Kind::Ended, s.cost + OutsideCost, 0, 0, 0, 0, {}, -1, p};
            const float predicted = s.y + s.slope;
            for (int r = 0; r < int(runs.size()); ++r) {
                const LineRun &run = runs[size_t(r)];
                if (isTall(run, s.slope, typical)) {
                    // The curve passes through a vertical line or a marker:
                    // carried on through it, as a bridge that costs no length.
                    if (predicted < float(run.top) - 2 || predicted > float(run.bottom) + 2)
                        continue;
                    const double cost = s.cost + BridgeCost;
                    if (cost < tall[size_t(r)].cost)
                        tall[size_t(r)] = {Kind::Tall, cost, std::clamp(predicted, float(run.top), float(run.bottom)),
                                           s.slope, s.gap, s.age, s.ink, r, p};
                    continue;
                }
                const double deviation = double(run.centre) - predicted;
                const double cost = s.cost + std::min(deviation * deviation / predictionSpread(s), DeviationCap)
                    + weakness(run) + inkChange(s.ink, run.ink);
                if (cost < visible[size_t(r)].cost) {
                    const float step = (run.centre - (s.y - s.slope * float(s.gap))) / float(s.gap + 1);
                    // A young path takes the slope it sees; an older one smooths it.
                    const float slope = s.age == 0 ? step : 0.5f * s.slope + 0.5f * step;
                    visible[size_t(r)] = {Kind::Visible, cost,  run.centre, slope, 0, std::min(s.age + 1, 3),
                                          blendInk(s.ink, run.ink), r, p};
                }
            }
            if (s.gap < gapLimit)
                hidden.push_back({Kind::Hidden, s.cost + BridgeCost, predicted, s.slope, s.gap + 1, s.age, s.ink, -1, p});
        }

        // Keep the cheapest bridges, one of each nearly equal course.
        std::sort(hidden.begin(), hidden.end(), [](const State &a, const State &b) { return a.cost < b.cost; });
        for (const State &h : hidden) {
            const bool twin = std::any_of(kept.begin(), kept.end(), [&](const State &o) {
                return std::fabs(o.y - h.y) < 1 && std::fabs(o.slope - h.slope) < 0.2f && inkChange(o.ink, h.ink) < 0.5;
            });
            if (!twin)
                kept.push_back(h);
            if (int(kept.size()) == HiddenKept)
                break;
        }

        for (State &s : visible)
            if (std::isfinite(s.cost))
                now.push_back(s);
        for (State &s : tall)
            if (std::isfinite(s.cost))
                now.push_back(s);
        now.insert(now.end(), kept.begin(), kept.end());
        if (std::isfinite(notStarted.cost))
            now.push_back(notStarted);
        if (std::isfinite(ended.cost))
            now.push_back(ended);

        states.insert(states.end(), now.begin(), now.end());
        std::swap(before, now);
    }

    // The cheapest whole path, traced back.
    std::vector<int> choice(size_t(count), FollowedPath::Outside);
    int best = -1;
    for (int i = 0; i < int(before.size()); ++i)
        if (best < 0 || before[size_t(i)].cost < before[size_t(best)].cost)
            best = i;
    for (int k = count - 1; k >= 0 && best >= 0; --k) {
        const State &s = states[start[size_t(k)] + size_t(best)];
        if (s.kind == Kind::Visible)
            choice[size_t(k)] = s.run;
        else if (s.kind == Kind::Tall || s.kind == Kind::Hidden)
            choice[size_t(k)] = FollowedPath::Bridged;
        best = s.previous;
    }
    return choice;
}


// Runs on the path that show only part of the line, or the line with
// something else, are bridged too: a run thicker than the line at its slope
// there or pulled off the line its neighbours draw (a marker's edge, a
// crossing, a letter touching it), and a last run before a bridge that is
// weak or leaves that line (a dash's cut end).
void bridgeDoubtfulRuns(const ColumnRuns &columns, FollowedPath &path, float typicalPeak)
{
    auto runAt = [&](int k) -> const LineRun * {
        const int choice = k >= path.first && k <= path.last ? path.choice[size_t(k)] : -1;
        return choice >= 0 ? &columns[k][size_t(choice)] : nullptr;
    };
    std::vector<int> doubtful;
    for (int k = path.first + 1; k < path.last; ++k) { // the ends stay: a bridge needs two sides
        const LineRun *run = runAt(k);
        if (!run)
            continue;
        const LineRun *before = runAt(k - 1);
        const LineRun *after = runAt(k + 1);
        float slope = 0;
        if (before && after) {
            slope = std::fabs(after->centre - before->centre) / 2;
            // A centre pulled off the line its neighbours draw.
            if (std::fabs(run->centre - (before->centre + after->centre) / 2) > 0.5f) {
                doubtful.push_back(k);
                continue;
            }
        } else if (before || after) {
            // At a stretch's end: the line through the two runs further in.
            const int inward = before ? -1 : 1;
            const LineRun *next = runAt(k + inward);
            const LineRun *nextButOne = runAt(k + 2 * inward);
            if (!next || !nextButOne || run->peak < 0.85f * typicalPeak
                || std::fabs(run->centre - (2 * next->centre - nextButOne->centre)) > 0.6f) {
                doubtful.push_back(k);
                continue;
            }
            slope = std::fabs(next->centre - nextButOne->centre);
        }
        // The slope from further off, beyond a marker's or a crossing's reach.
        const LineRun *farBefore = nullptr;
        const LineRun *farAfter = nullptr;
        int reachBefore = 4, reachAfter = 4;
        for (; reachBefore <= 8 && !(farBefore = runAt(k - reachBefore)); ++reachBefore) {}
        for (; reachAfter <= 8 && !(farAfter = runAt(k + reachAfter)); ++reachAfter) {}
        if (farBefore && farAfter)
            slope = std::fabs(farAfter->centre - farBefore->centre) / float(reachBefore + reachAfter);
        if (float(run->height()) > path.lineHeight + slope + 1.5f)
            doubtful.push_back(k);
    }
    for (int k : doubtful)
        path.choice[size_t(k)] = FollowedPath::Bridged;
}

// The run of a column nearest to the seed's row, within SeedReach.
std::optional<int> seedRun(std::span<const LineRun> runs, float row)
{
    std::optional<int> nearest;
    double distance = SeedReach;
    for (int r = 0; r < int(runs.size()); ++r) {
        const LineRun &run = runs[size_t(r)];
        const double d = std::max({0.0, double(run.top) - row, row - double(run.bottom)});
        if (d <= distance) {
            distance = d;
            nearest = r;
        }
    }
    return nearest;
}

} // namespace

FollowedPath followPath(const ColumnRuns &columns, std::optional<PathSeed> seed, std::optional<int> maxGap)
{
    const int count = int(columns.size());
    FollowedPath path;
    path.choice.assign(size_t(count), FollowedPath::Outside);
    if (count == 0)
        return path;
    const int gapLimit = maxGap.value_or(std::max(40, count / 3));

    // The seed's run: in its column, or the nearest column beside it (a dash gap).
    std::optional<int> seeded;
    int at = 0;
    for (int d = 0; seed && d <= SeedColumns && !seeded; ++d) {
        for (int column : {seed->column - d, seed->column + d}) {
            if (!seeded && column >= 0 && column < count && (seeded = seedRun(columns[column], seed->row)))
                at = column;
        }
    }
    const Typical typical = typicalRuns(columns, seeded ? &columns[at][size_t(*seeded)] : nullptr);
    if (seeded) {
        // Outwards from the seed: to the right, then to the left on the
        // columns in reverse order.
        const std::vector<int> rightChoice = chooseRuns({columns, at, 1, count - at}, seeded, typical, gapLimit);
        const std::vector<int> leftChoice = chooseRuns({columns, at, -1, at + 1}, seeded, typical, gapLimit);
        for (size_t i = 0; i < rightChoice.size(); ++i)
            path.choice[size_t(at) + i] = rightChoice[i];
        for (size_t i = 0; i < leftChoice.size(); ++i)
            path.choice[size_t(at) - i] = leftChoice[i];
    } else {
        path.choice = chooseRuns({columns, 0, 1, count}, std::nullopt, typical, gapLimit);
    }

    // Bridges before the first run or after the last are no part of the path.
    int first = 0;
    while (first < count && path.choice[size_t(first)] < 0)
        path.choice[size_t(first++)] = FollowedPath::Outside;
    int last = count - 1;
    while (last >= first && path.choice[size_t(last)] < 0)
        path.choice[size_t(last--)] = FollowedPath::Outside;
    path.first = first;
    path.last = last;
    path.lineHeight = typical.height;
    bridgeDoubtfulRuns(columns, path, typical.peak);
    // Runs a little past the end are the frame's own marks (ticks); further
    // on, the curve went on where the path could not follow it.
    for (int k = last + std::max(10, count / 50); k < count; ++k) {
        if (!columns[k].empty()) {
            path.endedEarly = last >= first;
            break;
        }
    }
    return path;
}
