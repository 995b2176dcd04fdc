#pragma once

#include <QRgb>

#include <optional>

// How strongly a pixel belongs to the line, 0 ... 255: its darkness, or for
// a curve colour how far it lies from white towards that colour, when it is
// near the blend of the two (the antialiased edge of a thin line on white
// paper), within `tolerance` of that blend. Pixels of other colours (black
// grid lines, another curve) weigh nothing.
double lineWeight(QRgb pixel, std::optional<QRgb> colour, int tolerance);

class QImage;
class QPoint;

// The colour of a coloured curve clicked at `pixel`: the most saturated pixel
// within two of it, when it is clearly coloured (not a grey, which darkness
// traces); none otherwise.
std::optional<QRgb> clearColourNear(const QImage &picture, QPoint pixel);
