#pragma once

#include <QChar>
#include <QRect>

#include <array>
#include <optional>
#include <vector>

class GrayPicture;

// The digits of the labels read, kept as ink: a second opinion on small
// digits the text reader reads alone (an exponent), by comparing them with
// the same digits in the labels' own print.
class DigitShapes
{
public:
    // Keeps the ink in the box as the digit's shape.
    void learn(const GrayPicture &g, const QRect &box, QChar digit);
    bool knows(QChar digit) const;
    // How alike the ink in the box is to the digit's learnt ink drawn at the
    // box's height, from -1 to 1 (the best over its learnt shapes); nothing
    // when the digit was never learnt. Drawn smaller, a learnt digit looks as
    // the same font draws it small, where scaling small print up would only blur it.
    // `sameSize`: the ink is print of the learnt digits' own size, and only
    // its place is searched, not its size.
    std::optional<double> likeness(const GrayPicture &g, const QRect &box, QChar digit, bool sameSize = false) const;
    // The learnt digit the ink in the box is most like.
    std::optional<QChar> closest(const GrayPicture &g, const QRect &box) const;
    // The learnt digit the ink in the box clearly is: very like it, and
    // clearly less like any other learnt digit.
    std::optional<QChar> clearly(const GrayPicture &g, const QRect &box) const;
    // Whether the ink in the box is most like the digit read, clearly (by
    // 0.1) more like another learnt digit, or neither; with `sameSize`, a
    // digit never learnt whose ink is nearly a learnt digit's is contradicted too.
    enum class Verdict { Agrees, Contradicts, Undecided };
    Verdict verdict(const GrayPicture &g, const QRect &box, QChar read, bool sameSize = false) const;

private:
    // The ink's darkness with a rim of a pixel around its box.
    struct Ink
    {
        int width = 0, height = 0;   // of the ink's box
        std::vector<float> darkness; // (width + 2) × (height + 2), row by row
    };
    static constexpr size_t Kept = 3; // shapes kept of each digit
    static constexpr double SameAs = 0.85; // print of the same size this alike is the same digit
    // Each learnt digit's likeness to the ink in the box, best first.
    std::vector<std::pair<double, QChar>> ranked(const GrayPicture &g, const QRect &box, bool sameSize = false) const;

    std::array<std::vector<Ink>, 10> m_ink;
};
