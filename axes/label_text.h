#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class DigitShapes;
class GrayPicture;
struct Piece;

// Reading tick labels: each label cut into its main line and a raised
// exponent, and read as text.

// Reads the text of a piece of a tick label cut out of the picture, dark on
// white: the label's main line, or apart from it its raised part (the
// exponent of "10³"), made of `characters` separate pieces of ink; empty
// when nothing could be read.
using LabelReader = std::function<QString(const QImage &piece, int characters)>;

// One label as it lies beside its axis: its box, and the boxes of its raised part.
struct LabelBox
{
    QRect box;
    QRect main;
    QRect raised; // empty when the label has no raised part
};

struct ReadLabel
{
    LabelBox box;
    QString text;
    // What reading by shape needs: the main line's characters (none for a
    // label that must not be read so), the raised digits, and whether a
    // minus stands before them.
    std::vector<QRect> mainCharacters;
    std::vector<QRect> exponentDigits;
    bool negativeExponent = false;
};

// The labels in a band of pieces beside an axis (below the X axis, else left
// of the Y axis), with their text when `read` is given; a label whose text
// could not be read completely has none.
std::vector<ReadLabel> readLabels(const GrayPicture &g, std::vector<Piece> pieces, bool xAxis, const LabelReader *read);

// Learns the digits of the labels read, one to a character.
void learnDigits(const GrayPicture &g, const std::vector<ReadLabel> &labels, DigitShapes &shapes);

// Drops the text of labels with a digit clearly another digit of `other`,
// learnt from the other axis's labels: a reader misreading every 0 of one
// axis as 9 would give values that still fit a scale.
void dropContradicted(const GrayPicture &g, std::vector<ReadLabel> &labels, const DigitShapes &other);

// Reads by shape the labels' digits the reader left unread, and their
// exponents, where every digit is clearly one of the digits the labels were
// read with: the reader often misreads or leaves small print unread.
void readByShape(const GrayPicture &g, std::vector<ReadLabel> &labels, const DigitShapes &shapes);

// The median height of the labels' main lines: the size of their print.
int printHeight(const std::vector<ReadLabel> &labels);

// The text standing in the region apart from the labels, with its `edge`
// (right or left) nearest `at` and within `reach`: where plotting programs
// put an axis-wide multiplier. Its exponent's digits are checked against
// the labels' digit `shapes`.
std::optional<ReadLabel> textAtEnd(const GrayPicture &g, const QRect &region, const std::vector<ReadLabel> &labels, int at,
                                   bool rightEdge, int reach, const LabelReader *read, const DigitShapes &shapes);
