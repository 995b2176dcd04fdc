#include "digitize/axis_finder.h"

#include "calibration/number_text.h"
#include "calibration/tick_labels.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <iterator>

namespace {

constexpr int Ink = 160;    // darker than this is ink: axis lines, ticks, label text
constexpr int CoreInk = 100; // the core of a stroke, inside its antialiased rim
constexpr int Marked = 236; // darker than this marks a tick, light grid lines included
constexpr double LongLine = 0.3; // an axis line spans at least this share of the picture

class Gray
{
public:
    explicit Gray(const QImage &picture) : m_image(picture.convertToFormat(QImage::Format_Grayscale8)) {}
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width() && y < height(); }
    int at(int x, int y) const { return contains(x, y) ? m_image.constScanLine(y)[x] : 255; }

private:
    QImage m_image;
};

// A straight axis line: the rows (or columns) of its band, its darkness-weighted
// centre and its extent along the line.
struct AxisLine
{
    int first = 0, last = 0;
    double centre = 0;
    int from = 0, to = 0;
};

// Long dark runs along rows (horizontal) or columns, grouped into lines.
std::vector<AxisLine> longLines(const Gray &g, bool horizontal)
{
    const int across = horizontal ? g.height() : g.width();
    const int along = horizontal ? g.width() : g.height();
    const int minimum = std::max(40, int(LongLine * along));
    std::vector<AxisLine> lines;
    double weightedSum = 0, weightSum = 0;
    for (int i = 0; i < across; ++i) {
        int best = 0, bestStart = 0, run = 0;
        double darkness = 0, bestDarkness = 0;
        for (int j = 0; j <= along; ++j) {
            const int v = j < along ? (horizontal ? g.at(j, i) : g.at(i, j)) : 255;
            if (v < Ink) {
                ++run;
                darkness += 255 - v;
            } else {
                if (run > best) {
                    best = run;
                    bestStart = j - run;
                    bestDarkness = darkness;
                }
                run = 0;
                darkness = 0;
            }
        }
        if (best < minimum)
            continue;
        if (!lines.empty() && lines.back().last == i - 1) {
            AxisLine &l = lines.back();
            l.last = i;
            l.from = std::min(l.from, bestStart);
            l.to = std::max(l.to, bestStart + best - 1);
        } else {
            weightedSum = weightSum = 0;
            lines.push_back({i, i, double(i), bestStart, bestStart + best - 1});
        }
        weightedSum += i * bestDarkness;
        weightSum += bestDarkness;
        lines.back().centre = weightedSum / weightSum;
    }
    return lines;
}

// Ticks along a line: places where marks leave the line's band on either side,
// each at its darkness-weighted centre.
std::vector<double> ticksAlong(const Gray &g, const AxisLine &line, const std::vector<AxisLine> &across, bool horizontal)
{
    auto pixel = [&](int along, int across) { return horizontal ? g.at(along, across) : g.at(across, along); };
    auto markedSide = [&](int along, int edge, int direction) {
        for (int k = 2; k <= 4; ++k) {
            if (pixel(along, edge + direction * k) >= Marked)
                return 0;
        }
        return 255 - pixel(along, edge + direction * 3);
    };
    std::vector<double> ticks;
    double sum = 0, weights = 0;
    for (int a = line.from; a <= line.to + 1; ++a) {
        // A frame or axis line crossing this one is no tick, though a tick drawn beside it is.
        const bool crossing = std::any_of(across.begin(), across.end(), [a](const AxisLine &l) { return a >= l.first && a <= l.last; });
        const int w = a <= line.to && !crossing ? std::max(markedSide(a, line.first, -1), markedSide(a, line.last, 1)) : 0;
        if (w > 0) {
            sum += a * double(w);
            weights += w;
        } else if (weights > 0) {
            ticks.push_back(sum / weights);
            sum = weights = 0;
        }
    }
    return ticks;
}

// The tilt of a horizontal line, from the darkness-weighted centre of its
// band along each end.
double tilt(const Gray &g, const AxisLine &line)
{
    auto centreAt = [&](int x) {
        double sum = 0, weights = 0;
        for (int y = line.first - 3; y <= line.last + 3; ++y) {
            const int w = 255 - g.at(x, y);
            sum += y * double(w);
            weights += w;
        }
        return weights > 0 ? sum / weights : double(line.first);
    };
    // The median over a fifth of the line at each end, so that a tick or a
    // curve touching the line does not tilt it.
    auto medianCentre = [&](int from, int to) {
        std::vector<double> centres;
        for (int x = from; x < to; ++x)
            centres.push_back(centreAt(x));
        std::nth_element(centres.begin(), centres.begin() + centres.size() / 2, centres.end());
        return centres[centres.size() / 2];
    };
    const int fifth = (line.to - line.from) / 5;
    if (fifth < 2)
        return 0;
    const double left = medianCentre(line.from, line.from + fifth), right = medianCentre(line.to - fifth, line.to);
    return std::atan2(left - right, double(line.to - line.from - fifth)) * 180 / M_PI;
}

// A connected piece of ink and its pixels.
struct Piece
{
    QRect box;
    std::vector<QPoint> pixels;
};

std::vector<Piece> inkPieces(const Gray &g, const QRect &region)
{
    const QRect r = region.intersected(QRect(0, 0, g.width(), g.height()));
    std::vector<char> seen(size_t(std::max(0, r.width() * r.height())), 0);
    auto index = [&](int x, int y) { return size_t((y - r.top()) * r.width() + (x - r.left())); };
    std::vector<Piece> pieces;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (seen[index(x, y)] || g.at(x, y) >= Ink)
                continue;
            Piece piece;
            std::vector<QPoint> stack{{x, y}};
            seen[index(x, y)] = 1;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                piece.pixels.push_back(p);
                piece.box |= QRect(p, QSize(1, 1));
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const QPoint q(p.x() + dx, p.y() + dy);
                        if (r.contains(q) && !seen[index(q.x(), q.y())] && g.at(q.x(), q.y()) < Ink) {
                            seen[index(q.x(), q.y())] = 1;
                            stack.push_back(q);
                        }
                    }
                }
            }
            if (piece.pixels.size() < 100000)
                pieces.push_back(std::move(piece));
        }
    }
    return pieces;
}

// A piece inside another's box, as the slash of a slashed zero, is part of that character.
bool insideAnother(const Piece &piece, const std::vector<Piece> &all)
{
    return std::any_of(all.begin(), all.end(), [&](const Piece &o) {
        return o.box != piece.box && o.box.contains(piece.box);
    });
}

bool overlaps(int a0, int a1, int b0, int b1, int slack = 0) { return a0 <= b1 + slack && b0 <= a1 + slack; }

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
    // Characters of one label lie up to about half a character apart, a
    // thousands separator with its space a little more.
    std::vector<int> heights;
    for (const Piece &p : pieces) {
        if (!insideAnother(p, pieces))
            heights.push_back(p.box.height());
    }
    std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
    const int slack = std::max(3, int(0.6 * heights[heights.size() / 2]));
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
                joins = gap <= std::max(2, int(0.45 * groupBox.height()));
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

// A flat bar: a minus sign (a hyphen or a true minus), not a digit.
bool isBar(const QRect &b, int digitHeight)
{
    // No digit is half again as wide as it is tall.
    return b.width() >= 1.5 * b.height() && b.height() <= std::max(3, digitHeight / 4);
}

// The connected pieces among some pixels.
std::vector<Piece> connectedPieces(const std::vector<QPoint> &pixels)
{
    std::vector<Piece> out;
    std::vector<char> taken(pixels.size(), 0);
    for (size_t first = 0; first < pixels.size(); ++first) {
        if (taken[first])
            continue;
        Piece piece;
        std::vector<size_t> stack{first};
        taken[first] = 1;
        while (!stack.empty()) {
            const QPoint p = pixels[stack.back()];
            stack.pop_back();
            piece.pixels.push_back(p);
            piece.box |= QRect(p, QSize(1, 1));
            for (size_t i = 0; i < pixels.size(); ++i) {
                if (!taken[i] && std::abs(pixels[i].x() - p.x()) <= 1 && std::abs(pixels[i].y() - p.y()) <= 1) {
                    taken[i] = 1;
                    stack.push_back(i);
                }
            }
        }
        out.push_back(std::move(piece));
    }
    return out;
}

// A label cut into its main line and its raised part (the exponent of "10³").
struct LabelParts
{
    LabelBox box;
    int split = 0; // the first column of the raised part
    int mainPieces = 0;
    int digitPieces = 0; // raised digits; none when the label has no raised part
    int digitsFrom = 0;  // the first column of the raised digits, after any raised minus
    int tenFrom = 0;     // the first column of the main line's last two characters
    bool negative = false; // a raised minus before the raised digits
    bool doubtful = false; // a small raised last character that could not be cut off
};

// The raised part is the label's right end where no ink comes down to the
// baseline: characters touching through their antialiased edges are cut
// apart by column. It must be shorter than the main digits, right of the
// first of them, and hold a digit (a minus at mid-height stays on the main line).
LabelParts splitLabel(const Gray &g, const std::vector<Piece> &group)
{
    LabelParts out;
    int baseline = INT_MIN;
    for (const Piece &p : group) {
        out.box.box |= p.box;
        baseline = std::max(baseline, p.box.bottom());
    }
    const QRect &box = out.box.box;
    // The leftmost piece on the baseline nearly as tall as the tallest there
    // is a main digit (a times sign is smaller): it gives the digits' height.
    int tallest = 0;
    for (const Piece &p : group) {
        if (p.box.bottom() >= baseline - 2)
            tallest = std::max(tallest, p.box.height());
    }
    const Piece *firstDigit = nullptr;
    for (const Piece &p : group) {
        if (p.box.bottom() >= baseline - 2 && p.box.height() >= 0.75 * tallest
            && (!firstDigit || p.box.left() < firstDigit->box.left()))
            firstDigit = &p;
    }
    const int digitHeight = firstDigit->box.height();
    // The last main column is the rightmost whose stroke core comes down to
    // the baseline; the raised part starts after the faintest column beyond it,
    // where the main digit's antialiased rim meets the exponent's.
    std::vector<int> lowestCore(size_t(box.width()), INT_MIN);
    std::vector<int> columnInk(size_t(box.width()), 0);
    for (const Piece &p : group) {
        for (const QPoint &q : p.pixels) {
            const size_t i = size_t(q.x() - box.left());
            const int v = g.at(q.x(), q.y());
            columnInk[i] += 255 - v;
            if (v < CoreInk)
                lowestCore[i] = std::max(lowestCore[i], q.y());
        }
    }
    const int highBottom = baseline - std::max(2, int(0.3 * digitHeight));
    int lastMain = box.width() - 1;
    while (lastMain >= 0 && lowestCore[size_t(lastMain)] <= highBottom)
        --lastMain;
    int valley = lastMain + 1;
    while (valley + 1 < box.width() && columnInk[size_t(valley + 1)] <= columnInk[size_t(valley)])
        ++valley;
    out.split = box.left() + (columnInk[size_t(std::min(valley, box.width() - 1))] == 0 ? valley : valley + 1);
    auto mainCharacters = [&](int split) {
        int count = 0;
        for (const Piece &p : group) {
            // A piece the cut passes through belongs where most of it lies.
            const auto left = std::count_if(p.pixels.begin(), p.pixels.end(), [&](QPoint q) { return q.x() < split; });
            const bool inMain = 2 * left > qsizetype(p.pixels.size());
            count += inMain && !insideAnother(p, group);
        }
        return count;
    };
    out.mainPieces = mainCharacters(out.split);
    std::vector<QPoint> raised;
    for (const Piece &p : group) {
        std::copy_if(p.pixels.begin(), p.pixels.end(), std::back_inserter(raised), [&](QPoint q) { return q.x() >= out.split; });
    }
    const auto raisedPieces = connectedPieces(raised);
    QRect raisedBox;
    for (const Piece &p : raisedPieces)
        raisedBox |= p.box;
    // Without a raised part, a small last character above the baseline is
    // still an exponent, too close to the line to cut off: read inline, "10²"
    // would become 102, so such a label is not read.
    auto noRaisedPart = [&] {
        out.split = box.right() + 1;
        out.mainPieces = mainCharacters(out.split);
        out.digitPieces = 0;
        out.negative = false;
        out.box.main = box;
        const Piece *last = nullptr;
        for (const Piece &p : group) {
            if (!insideAnother(p, group) && (!last || p.box.right() > last->box.right()))
                last = &p;
        }
        out.doubtful = last != firstDigit && last->box.bottom() <= baseline - 2 && last->box.height() < digitHeight
                       && !isBar(last->box, digitHeight);
        return out;
    };
    // A sliver narrower than any digit is a main digit's edge that fades out before the baseline.
    if (out.split <= firstDigit->box.right() || raisedBox.height() >= digitHeight || raisedBox.bottom() > baseline - 0.3 * digitHeight
        || raisedBox.width() < std::max(2, digitHeight / 5))
        return noRaisedPart();
    int firstDigitLeft = INT_MAX;
    for (const Piece &p : raisedPieces) {
        if (p.pixels.size() >= 3 && !isBar(p.box, digitHeight)) {
            ++out.digitPieces;
            firstDigitLeft = std::min(firstDigitLeft, p.box.left());
        }
    }
    for (const Piece &p : raisedPieces)
        out.negative = out.negative || (isBar(p.box, digitHeight) && p.box.right() < firstDigitLeft);
    out.digitsFrom = firstDigitLeft;
    if (out.digitPieces == 0)
        return noRaisedPart();
    out.box.main = box.adjusted(0, 0, out.split - 1 - box.right(), 0);
    out.box.raised = raisedBox;
    // The main line's last two characters, the "10" an exponent belongs to.
    std::vector<int> lefts;
    for (const Piece &p : group) {
        if (!insideAnother(p, group) && p.box.center().x() < out.split && p.box.height() >= digitHeight / 2)
            lefts.push_back(p.box.left());
    }
    std::sort(lefts.begin(), lefts.end());
    out.tenFrom = lefts.size() >= 2 ? lefts[lefts.size() - 2] : box.left();
    return out;
}

constexpr int Margin = 4; // white around a label cut out for the reader

// The label's ink in the columns [from, to), dark on white with a margin, as
// a text reader wants it.
QImage labelImage(const Gray &g, const std::vector<Piece> &group, int from, int to)
{
    QRect box;
    for (const Piece &p : group) {
        for (const QPoint &q : p.pixels) {
            if (q.x() >= from && q.x() < to)
                box |= QRect(q, QSize(1, 1));
        }
    }
    if (box.isEmpty())
        return {};
    QImage image(box.size() + QSize(2 * Margin, 2 * Margin), QImage::Format_Grayscale8);
    image.fill(255);
    const QRect inside(QPoint(), image.size());
    for (const Piece &p : group) {
        for (const QPoint &q : p.pixels) {
            if (q.x() < from || q.x() >= to)
                continue;
            // The ink's antialiased rim lies outside it: copy its lighter
            // neighbours too, on the left even beyond the first column.
            for (int y = q.y() - 1; y <= q.y() + 1; ++y) {
                for (int x = std::max(from - 1, q.x() - 1); x <= std::min(to - 1, q.x() + 1); ++x) {
                    const QPoint at(x - box.left() + Margin, y - box.top() + Margin);
                    if (inside.contains(at))
                        image.scanLine(at.y())[at.x()] = uchar(std::min<int>(image.scanLine(at.y())[at.x()], g.at(x, y)));
                }
            }
        }
    }
    return image;
}

// The main line with the exponent's digits set after it on its baseline at
// the main digits' height: the reader reads small lone digits poorly, and
// digits of a line's size in the line's context well.
QImage exponentOnLine(const QImage &main, const QImage &digits)
{
    const QImage inner = digits.copy(Margin, Margin, digits.width() - 2 * Margin, digits.height() - 2 * Margin);
    const int height = main.height() - 2 * Margin;
    QImage scaled = inner.scaledToHeight(height, Qt::SmoothTransformation);
    // Small print is drawn lighter: its darkest ink is made as dark as the main line's.
    const auto darkest = [](const QImage &image) {
        int least = 255;
        for (int y = 0; y < image.height(); ++y)
            least = std::min<int>(least, *std::min_element(image.constScanLine(y), image.constScanLine(y) + image.width()));
        return least;
    };
    const int from = darkest(scaled), to = darkest(main);
    if (from < 255) {
        for (int y = 0; y < scaled.height(); ++y) {
            uchar *row = scaled.scanLine(y);
            for (int x = 0; x < scaled.width(); ++x)
                row[x] = uchar(255 - (255 - row[x]) * (255 - to) / (255 - from));
        }
    }
    const int gap = std::max(2, height / 4);
    QImage line(main.width() + gap + scaled.width() + Margin, main.height(), QImage::Format_Grayscale8);
    line.fill(255);
    for (int y = 0; y < main.height(); ++y)
        std::copy_n(main.constScanLine(y), main.width(), line.scanLine(y));
    for (int y = 0; y < scaled.height(); ++y)
        std::copy_n(scaled.constScanLine(y), scaled.width(), line.scanLine(Margin + y) + main.width() + gap);
    return line;
}

struct ReadLabel
{
    LabelBox box;
    QString text;
};

// The text of one part of a label, or nothing when it has fewer characters
// than the part has pieces of ink (touching characters make one piece, so
// more characters than pieces are fine).
QString readPart(const LabelReader &read, const QImage &image, int pieces)
{
    QString text = read(image, pieces);
    text.remove(u' ');
    return text.size() >= pieces ? text : QString();
}

// The label's text, "10^-3" for a raised exponent; empty when any part of it
// was not read completely (a lost decimal point, minus sign or exponent digit
// would give a wrong value).
QString labelText(const Gray &g, const std::vector<Piece> &group, const LabelParts &parts, const LabelReader &read)
{
    if (parts.doubtful)
        return {};
    const QImage mainImage = labelImage(g, group, INT_MIN, parts.split);
    const QString main = readPart(read, mainImage, parts.mainPieces);
    if (main.isEmpty() || parts.digitPieces == 0)
        return main;
    // An exponent belongs to a "10"; it is read after that "10" alone (a
    // times sign before it is read less surely in the longer line), and
    // without its minus, which is known from its shape.
    if (!main.endsWith(QStringLiteral("10")))
        return {};
    const QImage ten = labelImage(g, group, parts.tenFrom, parts.split);
    const QImage digits = labelImage(g, group, parts.digitsFrom, INT_MAX);
    const QString line = readPart(read, exponentOnLine(ten, digits), 2 + parts.digitPieces);
    const QString exponent = line.mid(2);
    const bool digitsOnly = std::all_of(exponent.begin(), exponent.end(), [](QChar c) { return c.isDigit(); });
    if (!line.startsWith(QStringLiteral("10")) || exponent.size() < parts.digitPieces || !digitsOnly)
        return {};
    return main + u'^' + (parts.negative ? QStringLiteral("-") : QString()) + exponent;
}

std::vector<ReadLabel> readLabels(const Gray &g, std::vector<Piece> pieces, bool xAxis, const LabelReader *read)
{
    std::vector<ReadLabel> out;
    for (const auto &group : labelGroups(nearestBand(std::move(pieces), xAxis), xAxis)) {
        const LabelParts parts = splitLabel(g, group);
        ReadLabel label{parts.box, {}};
        if (read)
            label.text = labelText(g, group, parts, *read);
        out.push_back(label);
    }
    return out;
}

struct Geometry
{
    AxesGeometry axes;
    std::vector<ReadLabel> xLabels, yLabels;
    std::optional<ReadLabel> xEnd, yEnd; // the text at each axis end, where a multiplier stands
};

// The median height of the labels' main lines: the size of their print.
int printHeight(const std::vector<ReadLabel> &labels)
{
    std::vector<int> heights;
    for (const ReadLabel &l : labels)
        heights.push_back(l.box.main.height());
    if (heights.empty())
        return 12;
    std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
    return std::max(6, heights[heights.size() / 2]);
}

// The text standing in the region apart from the labels, with its `edge`
// (right or left) nearest `at` and within `reach`: where plotting programs
// put an axis-wide multiplier.
std::optional<ReadLabel> textAtEnd(const Gray &g, const QRect &region, const std::vector<ReadLabel> &labels, int at,
                                   bool rightEdge, int reach, const LabelReader *read)
{
    auto pieces = inkPieces(g, region);
    // The labels' own ink and whatever the region cuts (a title or a curve passing) are no part of it.
    pieces.erase(std::remove_if(pieces.begin(), pieces.end(), [&](const Piece &p) {
        const QRect inner = region.adjusted(1, 1, -1, -1);
        return !inner.contains(p.box) || std::any_of(labels.begin(), labels.end(), [&](const ReadLabel &l) {
            return l.box.box.intersects(p.box);
        });
    }), pieces.end());
    auto groups = labelGroups(std::move(pieces), true);
    auto boxOf = [](const std::vector<Piece> &group) {
        QRect box;
        for (const Piece &p : group)
            box |= p.box;
        return box;
    };
    // Groups come left to right. A times sign stands a space apart from its power of ten.
    int nearest = -1, distance = reach + 1;
    for (int i = 0; i < int(groups.size()); ++i) {
        const QRect box = boxOf(groups[size_t(i)]);
        const int d = std::abs((rightEdge ? box.right() : box.left()) - at);
        if (d < distance)
            nearest = i, distance = d;
    }
    if (nearest < 0)
        return std::nullopt;
    const int space = region.height() / 3;
    int first = nearest, last = nearest;
    while (first > 0 && boxOf(groups[size_t(first)]).left() - boxOf(groups[size_t(first - 1)]).right() <= space)
        --first;
    while (last + 1 < int(groups.size()) && boxOf(groups[size_t(last + 1)]).left() - boxOf(groups[size_t(last)]).right() <= space)
        ++last;
    std::vector<Piece> text;
    for (int i = first; i <= last; ++i)
        std::move(groups[size_t(i)].begin(), groups[size_t(i)].end(), std::back_inserter(text));
    const LabelParts parts = splitLabel(g, text);
    return ReadLabel{parts.box, read ? labelText(g, text, parts, *read) : QString()};
}

std::optional<Geometry> geometry(const Gray &g, QString *failure, const LabelReader *read)
{
    const auto rows = longLines(g, true);
    const auto columns = longLines(g, false);
    if (rows.empty() || columns.empty()) {
        *failure = rows.empty() ? QStringLiteral("no X axis line found") : QStringLiteral("no Y axis line found");
        return std::nullopt;
    }
    const AxisLine xLine = rows.back();     // the lowest long horizontal line
    const AxisLine yLine = columns.front(); // the leftmost long vertical line
    if (!overlaps(yLine.first - 3, yLine.last + 3, xLine.from, xLine.to)
        || !overlaps(xLine.first - 3, xLine.last + 3, yLine.from, yLine.to)) {
        *failure = QStringLiteral("the X and Y axis lines do not meet");
        return std::nullopt;
    }
    Geometry out;
    AxesGeometry &a = out.axes;
    a.xAxisRow = xLine.centre;
    a.yAxisColumn = yLine.centre;
    a.xAxisLeft = xLine.from;
    a.xAxisRight = xLine.to;
    a.yAxisTop = yLine.from;
    a.yAxisBottom = yLine.to;
    a.angle = tilt(g, xLine);
    a.xTicks = ticksAlong(g, xLine, columns, true);
    a.yTicks = ticksAlong(g, yLine, rows, false);
    // A frame or axis line crossing an axis often stands where a tick would:
    // at the axis limit. It is a tick for a label centred on it with no drawn tick near.
    auto crossings = [](const std::vector<AxisLine> &across, const AxisLine &line) {
        std::vector<double> out;
        for (const AxisLine &l : across) {
            if (l.centre >= line.from && l.centre <= line.to)
                out.push_back(l.centre);
        }
        return out;
    };
    a.xCrossings = crossings(columns, xLine);
    a.yCrossings = crossings(rows, yLine);

    // Labels lie in a band below the X axis and left of the Y axis.
    const QRect below(QPoint(xLine.from - 60, xLine.last + 2), QPoint(xLine.to + 60, xLine.last + 70));
    const QRect left(QPoint(yLine.first - 200, yLine.from - 30), QPoint(yLine.first - 2, yLine.to + 30));
    // A piece touching the band's edge next to the axis is an outward tick
    // when a tick or a crossing line runs through it, or the other axis's label cut by the band
    // when it lies beyond this axis's ends; a raised exponent may touch the edge too.
    auto tickOrCut = [](const QRect &band, bool xAxis, std::vector<double> ticks, const std::vector<double> &crossings,
                        const AxisLine &line) {
        ticks.insert(ticks.end(), crossings.begin(), crossings.end());
        return [=](const Piece &p) {
            if (xAxis ? p.box.top() != band.top() : p.box.right() != band.right())
                return false;
            const int low = xAxis ? p.box.left() : p.box.top(), high = xAxis ? p.box.right() : p.box.bottom();
            const bool onTick = std::any_of(ticks.begin(), ticks.end(), [&](double t) { return t >= low - 1 && t <= high + 1; });
            return onTick || low < line.from - 2 || high > line.to + 2;
        };
    };
    auto pieces = inkPieces(g, below);
    pieces.erase(std::remove_if(pieces.begin(), pieces.end(), tickOrCut(below, true, a.xTicks, a.xCrossings, xLine)), pieces.end());
    out.xLabels = readLabels(g, std::move(pieces), true, read);
    pieces = inkPieces(g, left);
    pieces.erase(std::remove_if(pieces.begin(), pieces.end(), tickOrCut(left, false, a.yTicks, a.yCrossings, yLine)), pieces.end());
    out.yLabels = readLabels(g, std::move(pieces), false, read);
    // An axis-wide multiplier: under the X axis's right end below its labels,
    // over the Y axis near its left.
    if (!out.xLabels.empty()) {
        const int h = printHeight(out.xLabels);
        int labelsBottom = INT_MIN;
        for (const ReadLabel &l : out.xLabels)
            labelsBottom = std::max(labelsBottom, l.box.box.bottom());
        const QRect region(QPoint(xLine.to - 12 * h, labelsBottom + 1), QPoint(xLine.to + 4 * h, labelsBottom + 3 * h));
        out.xEnd = textAtEnd(g, region, out.xLabels, xLine.to, true, 3 * h, read);
    }
    if (!out.yLabels.empty()) {
        const int h = printHeight(out.yLabels);
        const QRect region(QPoint(yLine.first - 4 * h, yLine.from - 3 * h), QPoint(yLine.first + 12 * h, yLine.from - 2));
        out.yEnd = textAtEnd(g, region, out.yLabels, int(yLine.centre), false, 3 * h, read);
    }
    for (const ReadLabel &l : out.xLabels)
        a.xLabels.push_back(l.box);
    for (const ReadLabel &l : out.yLabels)
        a.yLabels.push_back(l.box);
    return out;
}

// Each label read as a number, on the tick nearest its centre.
std::vector<AxisTick> labelledTicks(const std::vector<ReadLabel> &labels, const std::vector<double> &ticks,
                                    const std::vector<double> &crossings, bool xAxis)
{
    std::vector<AxisTick> out;
    for (const ReadLabel &l : labels) {
        const auto value = tickLabelValue(l.text);
        if (!value)
            continue;
        const QRectF box(l.box.box);
        const double centre = xAxis ? box.center().x() : box.center().y();
        const double reach = std::max(6.0, (xAxis ? box.width() : box.height()) / 2 + 2);
        auto nearestWithinReach = [&](const std::vector<double> &candidates) -> std::optional<double> {
            const auto nearest = std::min_element(candidates.begin(), candidates.end(), [&](double a, double b) {
                return std::abs(a - centre) < std::abs(b - centre);
            });
            if (nearest == candidates.end() || std::abs(*nearest - centre) > reach)
                return std::nullopt;
            return *nearest;
        };
        if (const auto tick = nearestWithinReach(ticks))
            out.push_back({*tick, *value});
        else if (const auto crossing = nearestWithinReach(crossings))
            out.push_back({*crossing, *value});
    }
    return out;
}

// Applies the multiplier standing at the axis end to the labels' values.
// Text there that looks like a multiplier (raised digits, a times sign, an
// exponent) but does not read as one leaves the axis unknown: the labels
// alone would give values off by a power of ten.
bool multiply(const std::optional<ReadLabel> &end, std::vector<AxisTick> &ticks, const QString &axis, QString *failure)
{
    if (!end)
        return true;
    if (const auto exponent = axisMultiplierExponent(end->text)) {
        for (AxisTick &t : ticks)
            t.value = timesPowerOfTen(t.value, *exponent);
        return true;
    }
    const bool looksLikeOne = !end->box.raised.isEmpty() || end->text.contains(u'x') || end->text.contains(QChar(0x00D7))
                              || end->text.contains(u'e', Qt::CaseInsensitive);
    if (looksLikeOne)
        *failure = QStringLiteral("the multiplier at the end of the %1 axis could not be read: %2")
                       .arg(axis, end->text.isEmpty() ? QStringLiteral("nothing read") : end->text);
    return !looksLikeOne;
}

} // namespace

CornerTexts FoundAxes::texts() const
{
    return {formatShortestNumber(xs), formatShortestNumber(ys), formatShortestNumber(xe), formatShortestNumber(ye)};
}

std::optional<AxesGeometry> findAxesGeometry(const QImage &picture, QString *failure)
{
    QString reason;
    const auto g = geometry(Gray(picture), &reason, nullptr);
    if (failure)
        *failure = reason;
    return g ? std::optional<AxesGeometry>(g->axes) : std::nullopt;
}

FoundAxes findAxes(const QImage &picture, const LabelReader &read)
{
    FoundAxes found;
    if (picture.isNull()) {
        found.failure = QStringLiteral("no picture");
        return found;
    }
    const Gray g(picture);
    const auto geo = geometry(g, &found.failure, &read);
    if (!geo)
        return found;
    if (geo->xLabels.empty() || geo->yLabels.empty()) {
        found.failure = geo->xLabels.empty() ? QStringLiteral("no tick labels read under the X axis")
                                             : QStringLiteral("no tick labels read left of the Y axis");
        return found;
    }
    auto xTicks = labelledTicks(geo->xLabels, geo->axes.xTicks, geo->axes.xCrossings, true);
    auto yTicks = labelledTicks(geo->yLabels, geo->axes.yTicks, geo->axes.yCrossings, false);
    if (!multiply(geo->xEnd, xTicks, QStringLiteral("X"), &found.failure)
        || !multiply(geo->yEnd, yTicks, QStringLiteral("Y"), &found.failure))
        return found;
    const AxisFit x = fitAxis(xTicks, QStringLiteral("X"));
    const AxisFit y = fitAxis(yTicks, QStringLiteral("Y"));
    if (!x.found() || !y.found()) {
        found.failure = !x.found() ? x.failure : y.failure;
        return found;
    }
    const bool xLog = x.kind == AxisKind::Logarithmic;
    const bool yLog = y.kind == AxisKind::Logarithmic;
    if (xLog && !yLog) {
        found.failure = QStringLiteral("a logarithmic X axis with a linear Y axis is not one of the scales");
        return found;
    }
    found.scale = xLog ? AxisScale::LogLog : (yLog ? AxisScale::LinearLog : AxisScale::LinearLinear);
    // Rows grow downwards: the lowest Y tick is the last in pixel order.
    found.xs = x.agreeing.front().value;
    found.xe = x.agreeing.back().value;
    found.ys = y.agreeing.back().value;
    found.ye = y.agreeing.front().value;
    found.start = QPointF(x.pixelOf(found.xs), y.pixelOf(found.ys));
    found.end = QPointF(x.pixelOf(found.xe), y.pixelOf(found.ye));
    found.residual = std::max(x.residual, y.residual);
    found.angle = geo->axes.angle;
    return found;
}
