#include "axes/label_text.h"

#include "axes/digit_shapes.h"
#include "axes/label_pieces.h"


#include <algorithm>
#include <climits>
#include <cmath>
#include <iterator>

namespace {

// A flat bar: a minus sign (a hyphen or a true minus), not a digit.
bool isBar(const QRect &b, int digitHeight)
{
    // No digit is half again as wide as it is tall.
    return b.width() >= 1.5 * b.height() && b.height() <= std::max(3, digitHeight / 4);
}


// A label cut into its main line and its raised part (the exponent of "10³").
struct LabelParts
{
    LabelBox box;
    int split = 0; // the first column of the raised part
    int mainPieces = 0;
    int digitPieces = 0; // raised digits; none when the label has no raised part
    int digitsAtMost = 0; // the most digits the raised pieces can hold
    int digitsFrom = 0;  // the first column of the raised digits, after any raised minus
    std::vector<QRect> digitBoxes; // the raised digit pieces, left to right
    int tenFrom = 0;     // the first column of the main line's last two characters
    bool negative = false; // a raised minus before the raised digits
    bool doubtful = false; // a small raised last character that could not be cut off
};

// The raised part is the label's right end where no ink comes down to the
// baseline: characters touching through their antialiased edges are cut
// apart by column. It must be shorter than the main digits, right of the
// first of them, and hold a digit (a minus at mid-height stays on the main line).
LabelParts splitLabel(const GrayPicture &g, const std::vector<Piece> &group)
{
    LabelParts out;
    int baseline = INT_MIN;
    for (const Piece &p : group) {
        out.box.box |= p.box;
        baseline = std::max(baseline, p.box.bottom());
    }
    const QRect &box = out.box.box;
    // The pieces on the baseline nearly as tall as the tallest there are main
    // characters (a decimal point is not); the leftmost is a digit or a
    // times sign. The lower median of their heights is the digits' height,
    // below a digit merged with a touching exponent and above a small times sign.
    int tallest = 0;
    for (const Piece &p : group) {
        if (p.box.bottom() >= baseline - 2)
            tallest = std::max(tallest, p.box.height());
    }
    const Piece *firstDigit = nullptr;
    std::vector<int> heights;
    for (const Piece &p : group) {
        if (p.box.bottom() < baseline - 2 || p.box.height() < 0.75 * tallest)
            continue;
        heights.push_back(p.box.height());
        if (!firstDigit || p.box.left() < firstDigit->box.left())
            firstDigit = &p;
    }
    std::sort(heights.begin(), heights.end());
    const int digitHeight = heights[(heights.size() - 1) / 2];
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
            if (v < GrayPicture::CoreInk)
                lowestCore[i] = std::max(lowestCore[i], q.y());
        }
    }
    const int highBottom = baseline - std::max(2, int(0.3 * digitHeight));
    int lastMain = box.width() - 1;
    while (lastMain >= 0 && lowestCore[size_t(lastMain)] <= highBottom)
        --lastMain;
    // The faintest column within a third of a digit's height after it.
    int valley = lastMain + 1;
    for (int c = valley + 1; c < std::min(box.width(), lastMain + 1 + std::max(2, digitHeight / 3)); ++c) {
        if (columnInk[size_t(c)] < columnInk[size_t(valley)])
            valley = c;
    }
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
        out.digitBoxes.clear();
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
    // The digits: the raised pieces other than a minus before them, those
    // sharing columns joined (small print falls apart into pieces: a bar over
    // a digit is its top stroke), of three pixels at least.
    int barsBefore = INT_MAX;
    for (const Piece &p : raisedPieces) {
        if (!isBar(p.box, digitHeight))
            barsBefore = std::min(barsBefore, p.box.left());
    }
    std::vector<const Piece *> glyphPieces;
    for (const Piece &p : raisedPieces) {
        if (!isBar(p.box, digitHeight) || p.box.right() >= barsBefore)
            glyphPieces.push_back(&p);
    }
    std::sort(glyphPieces.begin(), glyphPieces.end(), [](const Piece *a, const Piece *b) { return a->box.left() < b->box.left(); });
    std::vector<std::pair<QRect, size_t>> glyphs; // box and pixel count
    for (const Piece *p : glyphPieces) {
        if (!glyphs.empty() && overlaps(p->box.left(), p->box.right(), glyphs.back().first.left(), glyphs.back().first.right())) {
            glyphs.back().first |= p->box;
            glyphs.back().second += p->pixels.size();
        } else {
            glyphs.emplace_back(p->box, p->pixels.size());
        }
    }
    int firstDigitLeft = INT_MAX;
    for (const auto &[glyph, pixels] : glyphs) {
        if (pixels < 3)
            continue;
        ++out.digitPieces;
        // A glyph wider than it is tall may be two touching digits; none is three.
        out.digitsAtMost += glyph.width() > glyph.height() ? 2 : 1;
        out.digitBoxes.push_back(glyph);
        firstDigitLeft = std::min(firstDigitLeft, glyph.left());
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

// How the exponent digits read compare in shape with the labels' own
// digits: each most like the digit read, or one clearly more like another.
enum class Shapes { Agree, Contradict, Undecided };

Shapes exponentShapes(const GrayPicture &g, const std::vector<QRect> &digitBoxes, const QString &exponent,
                      const DigitShapes &shapes, bool sameSize = false)
{
    if (exponent.size() != qsizetype(digitBoxes.size()))
        return Shapes::Undecided;
    Shapes out = Shapes::Agree;
    for (qsizetype i = 0; i < exponent.size(); ++i) {
        switch (shapes.verdict(g, digitBoxes[size_t(i)], exponent[i], sameSize)) {
        case DigitShapes::Verdict::Agrees:
            break;
        case DigitShapes::Verdict::Contradicts:
            return Shapes::Contradict;
        case DigitShapes::Verdict::Undecided:
            out = Shapes::Undecided;
            break;
        }
    }
    return out;
}

// How the digits of a line of text compare in shape with the labels' own,
// each on its character's box; undecided when they are not one to a character.
Shapes lineShapes(const GrayPicture &g, const QString &text, const std::vector<QRect> &characters, const DigitShapes &shapes,
                  bool sameSize = false)
{
    if (qsizetype(characters.size()) != text.size())
        return Shapes::Undecided;
    QString digits;
    std::vector<QRect> boxes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isDigit()) {
            digits += text[i];
            boxes.push_back(characters[size_t(i)]);
        }
    }
    return exponentShapes(g, boxes, digits, shapes, sameSize);
}

// Small digits read by their shape, where each is clearly one of the
// labels' own digits (a clear likeness outweighs the text reader, which
// reads small lone digits poorly); nothing when any is not.
std::optional<QString> digitsByShape(const GrayPicture &g, const std::vector<QRect> &digitBoxes, const DigitShapes &shapes)
{
    QString digits;
    for (const QRect &box : digitBoxes) {
        // A box wider than tall may hold two touching digits.
        const auto digit = box.width() <= box.height() ? shapes.clearly(g, box) : std::nullopt;
        if (!digit)
            return std::nullopt;
        digits += *digit;
    }
    return digits.isEmpty() ? std::nullopt : std::optional<QString>(digits);
}

constexpr int Margin = 4; // white around a label cut out for the reader

// The label's ink in the columns [from, to), dark on white with a margin, as
// a text reader wants it.
QImage labelImage(const GrayPicture &g, const std::vector<Piece> &group, int from, int to)
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
                for (int x = q.x() - 1; x <= std::min(to - 1, q.x() + 1); ++x) {
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
QString labelText(const GrayPicture &g, const std::vector<Piece> &group, const LabelParts &parts, const LabelReader &read,
                  const DigitShapes *checkedBy)
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
    const QString before = main + u'^' + (parts.negative ? QStringLiteral("-") : QString());
    const QImage ten = labelImage(g, group, parts.tenFrom, parts.split);
    const QImage digits = labelImage(g, group, parts.digitsFrom, INT_MAX);
    const QImage line = exponentOnLine(ten, digits);
    auto exponentIn = [&](const QImage &image) {
        const QString text = readPart(read, image, 2 + parts.digitPieces);
        const QString exponent = text.mid(2);
        const bool digitsOnly = std::all_of(exponent.begin(), exponent.end(), [](QChar c) { return c.isDigit(); });
        const bool fits = exponent.size() >= parts.digitPieces && exponent.size() <= parts.digitsAtMost;
        return text.startsWith(QStringLiteral("10")) && fits && digitsOnly ? exponent : QString();
    };
    QString exponent = exponentIn(line);
    if (exponent.isEmpty() && !checkedBy)
        return {};
    // Where nothing else would catch a misreading (a multiplier), digits
    // clearly like the labels' own are read by their shape, unless the
    // reader read a digit no label has (it may be right where the shapes
    // cannot tell). Else the digits read must look most like the labels' own,
    // or a second reading at another size that does is taken, or, for a
    // digit no label has, one that reads the same.
    const bool readDigitsKnown = checkedBy && std::all_of(exponent.begin(), exponent.end(), [&](QChar c) {
        return checkedBy->knows(c);
    });
    if (readDigitsKnown) {
        if (const auto byShape = digitsByShape(g, parts.digitBoxes, *checkedBy))
            return before + *byShape;
    }
    const Shapes first = checkedBy ? exponentShapes(g, parts.digitBoxes, exponent, *checkedBy) : Shapes::Agree;
    if (first != Shapes::Agree) {
        const QString again = exponentIn(line.scaled(line.size() * 3 / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        // Reading the same twice settles only what the shapes cannot: a digit no label has.
        const bool sameTwice = !again.isEmpty() && again == exponent && first != Shapes::Contradict && !readDigitsKnown;
        if (!sameTwice && (again.isEmpty() || exponentShapes(g, parts.digitBoxes, again, *checkedBy) != Shapes::Agree))
            return {};
        exponent = again;
    }
    return before + exponent;
}

} // namespace

std::vector<ReadLabel> readLabels(const GrayPicture &g, std::vector<Piece> pieces, bool xAxis, const LabelReader *read)
{
    std::vector<ReadLabel> out;
    for (const auto &group : labelGroups(nearestBand(std::move(pieces), xAxis), xAxis)) {
        const LabelParts parts = splitLabel(g, group);
        ReadLabel label{parts.box, {}, {}, parts.digitBoxes, parts.negative};
        if (!parts.doubtful)
            label.mainCharacters = characterBoxes(group, parts.split);
        if (read)
            label.text = labelText(g, group, parts, *read, nullptr);
        out.push_back(label);
    }
    return out;
}

void learnDigits(const GrayPicture &g, const std::vector<ReadLabel> &labels, DigitShapes &shapes)
{
    for (const ReadLabel &l : labels) {
        const QString main = l.text.section(u'^', 0, 0);
        if (main.isEmpty() || qsizetype(l.mainCharacters.size()) != main.size())
            continue;
        for (qsizetype i = 0; i < main.size(); ++i)
            shapes.learn(g, l.mainCharacters[size_t(i)], main[i]);
    }
}

void dropContradicted(const GrayPicture &g, std::vector<ReadLabel> &labels, const DigitShapes &other)
{
    for (ReadLabel &l : labels) {
        if (lineShapes(g, l.text.section(u'^', 0, 0), l.mainCharacters, other, true) == Shapes::Contradict)
            l.text.clear();
    }
}

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

// The text reader drops the "1" of "1e6" or "1e−3+20" before the "e": the
// reading with it put back, where the first piece of ink is clearly a 1 of
// the labels' own print and the only piece the reading left out.
QString withLeadingOne(const GrayPicture &g, const std::vector<Piece> &text, const LabelParts &parts, const LabelReader &read,
                       const DigitShapes &shapes)
{
    QString raw = read(labelImage(g, text, INT_MIN, parts.split), parts.mainPieces);
    raw.remove(u' ');
    const Piece *first = nullptr;
    for (const Piece &p : text) {
        if (!insideAnother(p, text) && (!first || p.box.left() < first->box.left()))
            first = &p;
    }
    const bool dropped = raw.size() == parts.mainPieces - 1 && (raw.startsWith(u'e') || raw.startsWith(u'E'));
    return dropped && first && shapes.clearly(g, first->box) == QChar(u'1') ? u'1' + raw : QString();
}

// The text standing in the region apart from the labels, with its `edge`
// (right or left) nearest `at` and within `reach`: where plotting programs
// put an axis-wide multiplier.
std::optional<ReadLabel> textAtEnd(const GrayPicture &g, const QRect &region, const std::vector<ReadLabel> &labels, int at,
                                   bool rightEdge, int reach, const LabelReader *read, const DigitShapes &shapes)
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
    // Nothing checks a multiplier or an offset as the other labels check a
    // misread label: a raised exponent must look like the labels' own digits,
    // or read the same twice; text on one line must hold a character for each
    // piece of ink, its digits not clearly other digits of the labels, or
    // read the same twice.
    QString endText = read ? labelText(g, text, parts, *read, &shapes) : QString();
    if (read && endText.isEmpty() && parts.digitPieces == 0 && !parts.doubtful)
        endText = withLeadingOne(g, text, parts, *read, shapes);
    if (parts.digitPieces == 0 && !endText.isEmpty()) {
        const std::vector<QRect> boxes = characterBoxes(text);
        // Touching characters share a piece: such text must read the same larger.
        const LabelReader larger = [&](const QImage &image, int pieces) {
            return (*read)(image.scaled(image.size() * 3 / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), pieces);
        };
        const bool sure = qsizetype(boxes.size()) == endText.size()
                              ? lineShapes(g, endText, boxes, shapes) != Shapes::Contradict
                              : labelText(g, text, parts, larger, &shapes) == endText;
        if (!sure)
            endText.clear();
    }
    return ReadLabel{parts.box, endText, {}, {}, false};
}

void readByShape(const GrayPicture &g, std::vector<ReadLabel> &labels, const DigitShapes &shapes)
{
    for (ReadLabel &l : labels) {
        const bool read = !l.text.isEmpty();
        // Only a line of digits of one height: a small character beside them
        // is a point, or an exponent too close to cut off ("10¹" is not 101).
        int tallest = 0;
        for (const QRect &c : l.mainCharacters)
            tallest = std::max(tallest, c.height());
        const bool digitsOnly = std::all_of(l.mainCharacters.begin(), l.mainCharacters.end(),
                                            [&](const QRect &c) { return c.height() >= 0.75 * tallest; });
        const QString main = read ? l.text.section(u'^', 0, 0)
                                  : digitsOnly ? digitsByShape(g, l.mainCharacters, shapes).value_or(QString()) : QString();
        if (main.isEmpty())
            continue;
        if (l.exponentDigits.empty()) {
            l.text = main;
            continue;
        }
        // An exponent belongs to a "10"; without its digits the label has no value.
        const auto exponent = main.endsWith(QStringLiteral("10")) ? digitsByShape(g, l.exponentDigits, shapes) : std::nullopt;
        if (exponent)
            l.text = main + u'^' + (l.negativeExponent ? QStringLiteral("-") : QString()) + *exponent;
    }
}



