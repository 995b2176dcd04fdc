#include "axes/label_pieces.h"

#include <algorithm>
#include <climits>

namespace {

// Whether a piece is part of another's character: inside its box, as the
// slash of a slashed zero, or over or under the larger piece within its
// columns, as the halves of a digit whose thin stroke small print leaves too faint.
bool partOf(const Piece &piece, const Piece &o)
{
    if (o.box == piece.box)
        return false;
    if (o.box.contains(piece.box))
        return true;
    const bool withinColumns = piece.box.left() >= o.box.left() - 1 && piece.box.right() <= o.box.right() + 1;
    const bool stacked = overlaps(piece.box.top(), piece.box.bottom(), o.box.top(), o.box.bottom(), 2);
    const bool larger = o.pixels.size() > piece.pixels.size()
                        || (o.pixels.size() == piece.pixels.size() && o.box.top() < piece.box.top());
    return withinColumns && stacked && larger;
}

} // namespace

bool insideAnother(const Piece &piece, const std::vector<Piece> &all)
{
    return std::any_of(all.begin(), all.end(), [&](const Piece &o) { return partOf(piece, o); });
}

std::vector<QRect> characterBoxes(const std::vector<Piece> &group, int before)
{
    std::vector<QRect> out;
    for (const Piece &p : group) {
        if (p.box.right() >= before || insideAnother(p, group))
            continue;
        QRect box = p.box;
        for (const Piece &q : group) {
            if (partOf(q, p))
                box |= q.box;
        }
        out.push_back(box);
    }
    std::sort(out.begin(), out.end(), [](const QRect &a, const QRect &b) { return a.left() < b.left(); });
    return out;
}

// Keeps the pieces of the label row (or column) nearest the axis: those that
// overlap, directly or through others, the pieces closest to it.
std::vector<Piece> nearestBand(std::vector<Piece> pieces, bool below)
{
    if (pieces.empty())
        return pieces;
    auto near = [&](const Piece &p) { return below ? p.box.top() : -p.box.right(); };
    auto low = [&](const QRect &b) { return below ? b.top() : b.left(); };
    auto high = [&](const QRect &b) { return below ? b.bottom() : b.right(); };
    int nearest = INT_MAX;
    for (const Piece &p : pieces)
        nearest = std::min(nearest, near(p));
    int bandLow = INT_MAX, bandHigh = INT_MIN;
    for (const Piece &p : pieces) {
        if (near(p) <= nearest + 4) {
            bandLow = std::min(bandLow, low(p.box));
            bandHigh = std::max(bandHigh, high(p.box));
        }
    }
    // Beside the Y axis, characters of one label lie up to about half a
    // character apart, a thousands separator with its space a little more.
    // Under the X axis the pieces of a label's row overlap it: a line below
    // it (a multiplier set under the labels) is another band.
    std::vector<int> heights;
    for (const Piece &p : pieces) {
        if (!insideAnother(p, pieces))
            heights.push_back(p.box.height());
    }
    std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
    const int slack = below ? 2 : std::max(3, int(0.6 * heights[heights.size() / 2]));
    std::vector<Piece> kept;
    for (bool grew = true; grew;) {
        grew = false;
        for (auto it = pieces.begin(); it != pieces.end();) {
            if (overlaps(low(it->box), high(it->box), bandLow, bandHigh, slack)) {
                bandLow = std::min(bandLow, low(it->box));
                bandHigh = std::max(bandHigh, high(it->box));
                kept.push_back(std::move(*it));
                it = pieces.erase(it);
                grew = true;
            } else {
                ++it;
            }
        }
    }
    return kept;
}

// Groups pieces into labels: along the X axis by small horizontal gaps,
// beside the Y axis by overlapping rows.
std::vector<std::vector<Piece>> labelGroups(std::vector<Piece> pieces, bool xAxis)
{
    std::sort(pieces.begin(), pieces.end(), [&](const Piece &a, const Piece &b) {
        return xAxis ? a.box.left() < b.box.left() : a.box.top() < b.box.top();
    });
    std::vector<std::vector<Piece>> groups;
    QRect groupBox;
    for (Piece &p : pieces) {
        bool joins = false;
        if (!groups.empty()) {
            if (xAxis) {
                const int gap = p.box.left() - groupBox.right() - 1;
                // Some fonts give a decimal point a wide space after it: a
                // label never ends in one ("0. 15" is not "0." and "15").
                const QRect &last = groups.back().back().box;
                const bool afterPoint = groups.back().size() > 1 && last.height() <= groupBox.height() / 3
                                        && last.width() <= groupBox.height() / 3 && last.bottom() >= groupBox.bottom() - 1;
                joins = gap <= (afterPoint ? groupBox.height() : std::max(2, int(0.45 * groupBox.height())));
            } else {
                // A decimal point of small print may sit a pixel below the digits.
                joins = overlaps(p.box.top(), p.box.bottom(), groupBox.top(), groupBox.bottom(), 2);
            }
        }
        if (!joins) {
            groups.emplace_back();
            groupBox = QRect();
        }
        groupBox |= p.box;
        groups.back().push_back(std::move(p));
    }
    return groups;
}
