#pragma once

#include <QPointF>
#include <QRectF>
#include <QRgb>

#include <optional>
#include <vector>

// Limits shared by the trace, the calibration file and the command line.
namespace TraceLimits {
// The window keeps the points of at most this many traced columns.
constexpr int WindowColumns = 1000;
// Beyond 2^24 a single-precision position no longer advances by one, so no
// trace walks more columns than this, "no limit" included.
constexpr int UnlimitedColumns = 1 << 24;
// The largest RGB distance there is: sqrt(3) * 255, rounded up.
constexpr int MaxTolerance = 442;
constexpr int DefaultTolerance = 60;
} // namespace TraceLimits

// Which row of a dark line a column's point is read from.
enum class LineRule {
    Top,    // the topmost of the darkest pixels (the window's rule)
    Centre, // the weighted centre of the line around that pixel, sub-pixel
};

struct TraceOptions
{
    // Columns traced at most; 0 means no limit.
    int maxColumns = TraceLimits::WindowColumns;
    LineRule line = LineRule::Top;
    // When set, each column picks the pixel nearest to this colour, among
    // those within `tolerance` (RGB distance), instead of the darkest one.
    std::optional<QRgb> colour;
    int tolerance = TraceLimits::DefaultTolerance;
    // Follow one curve: one run of line pixels per column, chosen so that the
    // whole path is continuous, bridging where the curve is hidden.
    bool follow = false;
    // A picture pixel on the wanted curve, which the followed path passes.
    std::optional<QPointF> seed;
    // Picture rectangles in which no trace reads anything (a legend, a text
    // block, an inset).
    std::vector<QRectF> exclusions;

    friend bool operator==(const TraceOptions &, const TraceOptions &) = default;

    // The columns a trace walks at most under these options.
    int columnLimit() const { return maxColumns > 0 ? maxColumns : TraceLimits::UnlimitedColumns; }
};
