#include "digitize/digit_shapes.h"

#include "digitize/axis_lines.h"

#include <QImage>

#include <cmath>
#include <numeric>

namespace {

constexpr int Side = 16; // shapes are compared on a square of this many pixels

// The ink in the box scaled to the square's height, centred, as darkness with
// its mean taken off and unit length, so that a dot product compares shapes.
std::vector<float> shapeOf(const GrayPicture &g, const QRect &ink)
{
    // With the ink's antialiased rim: small print is mostly rim.
    const QRect box = ink.adjusted(-1, -1, 1, 1);
    QImage crop(box.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < box.height(); ++y) {
        for (int x = 0; x < box.width(); ++x)
            crop.scanLine(y)[x] = uchar(g.at(box.left() + x, box.top() + y));
    }
    const int width = std::clamp(int(std::lround(double(box.width()) * Side / box.height())), 1, Side);
    const QImage scaled = crop.scaled(width, Side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    std::vector<float> shape(size_t(Side * Side), 0);
    const int left = (Side - width) / 2;
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < width; ++x)
            shape[size_t(y * Side + left + x)] = float(255 - scaled.constScanLine(y)[x]);
    }
    // Softened, so that a stroke a pixel apart at another size still overlaps.
    std::vector<float> soft(shape.size(), 0);
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < Side; ++x) {
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    if (x + dx >= 0 && x + dx < Side && y + dy >= 0 && y + dy < Side)
                        soft[size_t(y * Side + x)] += shape[size_t((y + dy) * Side + x + dx)];
                }
            }
        }
    }
    shape = std::move(soft);
    const float mean = std::accumulate(shape.begin(), shape.end(), 0.0f) / float(shape.size());
    float length = 0;
    for (float &v : shape) {
        v -= mean;
        length += v * v;
    }
    length = std::sqrt(length);
    for (float &v : shape)
        v = length > 0 ? v / length : 0;
    return shape;
}

} // namespace

void DigitShapes::learn(const GrayPicture &g, const QRect &box, QChar digit)
{
    if (digit.isDigit() && !box.isEmpty() && m_shapes[size_t(digit.digitValue())].size() < 8)
        m_shapes[size_t(digit.digitValue())].push_back(shapeOf(g, box));
}

bool DigitShapes::knows(QChar digit) const
{
    return digit.isDigit() && !m_shapes[size_t(digit.digitValue())].empty();
}

std::optional<double> DigitShapes::likeness(const GrayPicture &g, const QRect &box, QChar digit) const
{
    if (!knows(digit) || box.isEmpty())
        return std::nullopt;
    const Shape shape = shapeOf(g, box);
    double best = -1;
    for (const Shape &known : m_shapes[size_t(digit.digitValue())])
        best = std::max(best, double(std::inner_product(shape.begin(), shape.end(), known.begin(), 0.0f)));
    return best;
}

std::optional<QChar> DigitShapes::closest(const GrayPicture &g, const QRect &box) const
{
    std::optional<QChar> out;
    double best = -2;
    for (char16_t d = u'0'; d <= u'9'; ++d) {
        const auto l = likeness(g, box, QChar(d));
        if (l && *l > best) {
            best = *l;
            out = QChar(d);
        }
    }
    return out;
}
