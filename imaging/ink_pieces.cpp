#include "imaging/ink_pieces.h"

#include <cstdlib>

std::vector<Piece> inkPieces(const GrayPicture &g, const QRect &region)
{
    const QRect r = region.intersected(QRect(0, 0, g.width(), g.height()));
    std::vector<char> seen(size_t(std::max(0, r.width() * r.height())), 0);
    auto index = [&](int x, int y) { return size_t((y - r.top()) * r.width() + (x - r.left())); };
    std::vector<Piece> pieces;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (seen[index(x, y)] || g.at(x, y) >= GrayPicture::Ink)
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
                        if (r.contains(q) && !seen[index(q.x(), q.y())] && g.at(q.x(), q.y()) < GrayPicture::Ink) {
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
