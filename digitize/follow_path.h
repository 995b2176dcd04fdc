#pragma once

#include <array>
#include <optional>
#include <span>
#include <vector>

// One stretch of line pixels in a pixel column: rows top ... bottom (area row
// indices), its strongest pixel and the weighted centre of its rows.
struct LineRun
{
    int top = 0;
    int bottom = 0;
    int peakRow = 0; // the topmost of its strongest pixels
    float peak = 0;  // that pixel's weight, 0 ... 255
    float centre = 0;
    // The direction of the peak pixel's ink (white minus its colour), of unit
    // length: the same for a colour and its blends with white paper.
    std::array<float, 3> ink{0.57735f, 0.57735f, 0.57735f};

    int height() const { return bottom - top + 1; }
};

// The candidate runs of each column of the traced area, left to right, top
// to bottom within a column; kept in one block of memory.
class ColumnRuns
{
public:
    ColumnRuns() = default;
    // Each column's runs as lists.
    ColumnRuns(const std::vector<std::vector<LineRun>> &columns);
    // Runs given with their columns, in any order of columns but top to
    // bottom within each.
    ColumnRuns(int columnCount, const std::vector<std::pair<int, LineRun>> &runs);

    int size() const { return int(m_start.size()) - 1; }
    std::span<const LineRun> operator[](int column) const
    {
        return {m_runs.data() + m_start[size_t(column)], m_runs.data() + m_start[size_t(column) + 1]};
    }

private:
    std::vector<LineRun> m_runs;
    std::vector<size_t> m_start{0}; // column k's runs are m_start[k] ... m_start[k + 1] - 1
};

// A pixel on the wanted curve: the path must pass through the run at it.
struct PathSeed
{
    int column = 0;
    float row = 0;
};

// The curve the path follows: one run per column, or a bridge where the
// curve is hidden (behind a legend, under a marker, at a crossing, in a dash
// gap, or by a vertical line that swallows it).
struct FollowedPath
{
    // Columns first ... last are on the path; none when first > last.
    int first = 0;
    int last = -1;
    // For each column of the area: the chosen run's index, or Bridged (on the
    // path, hidden), or Outside (before the start or after the end).
    static constexpr int Bridged = -1;
    static constexpr int Outside = -2;
    std::vector<int> choice;
    // The path ended well before the area's last column with candidate runs,
    // because the curve stayed hidden for longer than a bridge reaches.
    bool endedEarly = false;
    // How many rows the line covers in a column where it runs level: the
    // height most columns' strongest runs have.
    float lineHeight = 1;

    bool empty() const { return first > last; }
};

// Chooses one run per column so that the whole path is continuous: the best
// path over all columns, costing each column's deviation from the line the
// path was drawing (its slope carried on), a change of ink colour, weak runs,
// and bridged columns.
// A bridge spans at most `maxGap` columns; runs taller than a line (a
// vertical line, a marker) are bridged over where the path passes through
// them. With a seed, the path passes through the seed's run.
FollowedPath followPath(const ColumnRuns &columns, std::optional<PathSeed> seed = std::nullopt,
                        std::optional<int> maxGap = std::nullopt);
