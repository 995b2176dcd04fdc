#pragma once

#include <QImage>
#include <QWidget>

// A small frameless window beside the pointer that shows the picture around
// the pointer's pixel magnified, with a cross-hair on that pixel and its
// position. It never takes the focus or a click.
class Loupe : public QWidget
{
public:
    static constexpr int Radius = 10; // pixels shown each side of the pointer's
    static constexpr int Zoom = 8;

    explicit Loupe(QWidget *parent);

    // The surface pixels around `pixel` (a square of 2 * Radius + 1), and
    // the pointer's place on the screen to stand beside.
    void showAt(const QImage &around, QPoint pixel, QPoint globalPointer);

    // Where the loupe goes for a pointer: beside it, below right, moved to
    // the other side of the pointer where the screen would cut it.
    static QPoint placeFor(QPoint globalPointer, QSize size, const QRect &screen);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_around;
    QPoint m_pixel;
};
