#pragma once

#include <QChar>
#include <QRect>

#include <array>
#include <optional>
#include <vector>

class GrayPicture;

// The digits of the labels read, kept as shapes: a second opinion on a digit
// the text reader reads alone, as an exponent, by comparing it with the same
// digit in the labels' own print.
class DigitShapes
{
public:
    // Keeps the ink in the box as the shape of the digit.
    void learn(const GrayPicture &g, const QRect &box, QChar digit);
    bool knows(QChar digit) const;
    // How alike the ink in the box is to the digit's shapes, from -1 to 1
    // (the best over its shapes); nothing when the digit was never learnt.
    std::optional<double> likeness(const GrayPicture &g, const QRect &box, QChar digit) const;
    // The learnt digit the ink in the box is most like.
    std::optional<QChar> closest(const GrayPicture &g, const QRect &box) const;

private:
    using Shape = std::vector<float>;
    std::array<std::vector<Shape>, 10> m_shapes;
};
