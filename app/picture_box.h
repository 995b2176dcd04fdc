#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QLineF>

#include <array>

// A picture box: a sunken frame around a retained drawing surface. The
// surface holds the background colour, the loaded picture unscaled at its
// top left, and whatever was printed on it. Marker lines are kept apart from
// the surface and painted over it, so they are never read as picture pixels.
class PictureBox : public QFrame
{
    Q_OBJECT

public:
    static constexpr int BorderWidth = 2;
    static constexpr int MarkerCount = 6;

    PictureBox(const QSize &outerSize, const QColor &background, QWidget *parent = nullptr);

    // What the surface shows, pixel for pixel.
    const QImage &surface() const { return m_surface; }
    QImage &surface() { return m_surface; }
    void surfaceChanged() { update(); }

    // The picture shown under everything printed; a null image removes it.
    void setPicture(const QImage &picture);
    const QImage &picture() const { return m_picture; }

    // Fills the surface with the background and the picture again.
    void clearSurface();
    // Prints one line of text with its top-left corner at (x, y).
    void printText(float x, float y, const QString &text, const QColor &colour);

    void setMarker(int index, const QLineF &line);
    void setMarkerVisible(int index, bool visible);
    QLineF marker(int index) const { return m_markers[size_t(index)].line; }
    bool isMarkerVisible(int index) const { return m_markers[size_t(index)].visible; }

signals:
    // A press of any mouse button, in surface pixels.
    void pressed(float x, float y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    struct Marker
    {
        QLineF line;
        bool visible = false;
    };

    QColor m_background;
    QImage m_picture;
    QImage m_surface;
    std::array<Marker, MarkerCount> m_markers{};
};
