#pragma once

#include "imaging/gray_picture.h"

#include <QPoint>
#include <QRect>

#include <vector>

// A connected piece of ink and its pixels.
struct Piece
{
    QRect box;
    std::vector<QPoint> pixels;
};

// The connected pieces of ink in a region of the picture.
std::vector<Piece> inkPieces(const GrayPicture &g, const QRect &region);

// The connected pieces among some pixels.
std::vector<Piece> connectedPieces(const std::vector<QPoint> &pixels);
