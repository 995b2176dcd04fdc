#pragma once

#include "axes/axis_lines.h"
#include "imaging/ink_pieces.h"

#include <QPoint>
#include <QRect>

#include <climits>
#include <vector>

// Cutting tick labels out of the picture: connected pieces of ink, the band
// of them beside an axis, and their grouping into labels.

// A piece that is part of another's character: inside its box, as the slash
// of a slashed zero, or over or under a larger piece within its columns, as
// the halves of a digit whose thin stroke small print leaves too faint.
bool insideAnother(const Piece &piece, const std::vector<Piece> &all);

// The boxes of the characters whose ink ends before column `before`, left
// to right: each piece with the pieces that are part of it.
std::vector<QRect> characterBoxes(const std::vector<Piece> &group, int before = INT_MAX);

inline bool overlaps(int a0, int a1, int b0, int b1, int slack = 0) { return a0 <= b1 + slack && b0 <= a1 + slack; }

// Keeps the pieces of the label row (below the X axis) or column (left of
// the Y axis) nearest the axis.
std::vector<Piece> nearestBand(std::vector<Piece> pieces, bool below);

// Groups pieces into labels: along the X axis by small horizontal gaps,
// beside the Y axis by overlapping rows.
std::vector<std::vector<Piece>> labelGroups(std::vector<Piece> pieces, bool xAxis);
