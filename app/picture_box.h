#pragma once

#include "digitize/picture_surface.h"
#include "digitize/picture_view.h"

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QLineF>

#include <array>
#include <functional>
#include <optional>
#include <vector>

// A picture box: a sunken frame around a retained drawing surface. The
// surface holds the background colour, the loaded picture unscaled at its
// top left, and whatever was printed on it. Overlays (the marker lines first)
// are kept apart from the surface and painted over it, so they are never read
// as picture pixels.
class PictureBox : public QFrame
{
    Q_OBJECT

public:
    static constexpr int BorderWidth = 2;
    static constexpr int MarkerCount = 6;
    // The box around a surface of PictureSurface::Size.
    static constexpr QSize BoxSize =
        PictureSurface::Size + QSize(2 * BorderWidth, 2 * BorderWidth);
    // The colour of the marker lines (the calibration and point crosses).
    static constexpr QRgb MarkerColour = 0xffff0000;

    PictureBox(const QColor &background, QWidget *parent = nullptr);

    // What the surface shows, pixel for pixel.
    const QImage &surface() const { return m_surface; }
    QImage &surface() { return m_surface; }
    void surfaceChanged() { update(); }

    // The picture shown under everything printed; a null image removes it.
    // The surface grows to hold a picture larger than the picture area
    // (with the specified view still showing its top left), and the view
    // returns to the specified one.
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

    // An overlay paints over the surface, in surface pixels, while visible.
    // Overlays paint in the order they were added; returns the overlay's id.
    using OverlayPainter = std::function<void(QPainter &)>;
    int addOverlay(OverlayPainter painter, bool visible = false);
    void setOverlayVisible(int id, bool visible);
    bool isOverlayVisible(int id) const { return m_overlays[size_t(id)].visible; }
    // Call when what a visible overlay paints has changed.
    void overlayChanged() { update(); }

    // A short note in the view's top left corner, over the picture at any
    // zoom; screen readers get it as the box's description. Empty hides it.
    void setNote(const QString &note);

    // The surface with every visible overlay painted over it, as the box shows it.
    QImage rendered(const QRect &area) const;

    // Zoom and pan. Each changes nothing until the user asks: Ctrl+wheel,
    // the wheel, Shift+wheel, a middle-button drag, or these.
    const PictureView &view() const { return m_view; }
    void setView(const PictureView &view);
    void zoomBy(double factor); // about the area's centre
    void showWhole();           // Ctrl+0
    void showActualSize();      // Ctrl+1: the specified view

signals:
    // A press of any mouse button, in surface pixels: the pixel pressed in
    // the specified view, the point under the pointer when zoomed or panned.
    void pressed(float x, float y);
    // The pointer moved to a surface pixel (with mouse tracking on), or left the surface.
    void hovered(QPoint pixel);
    void left();
    // The pointer moved with the left button held, and the button let go, at
    // a position in surface pixels (kept within the surface).
    void dragged(QPointF position);
    void released(QPointF position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    struct Marker
    {
        QLineF line;
        bool visible = false;
    };
    struct Overlay
    {
        OverlayPainter paint;
        bool visible = false;
    };

    void paintOverlays(QPainter &painter) const;
    QPointF surfacePosition(const QMouseEvent *event) const;
    QSize viewSize() const { return contentsRect().size(); }
    // The surface as the view shows it, in the view's own pixels.
    void paintSurface(QPainter &painter) const;
    void paintHint(QPainter &painter) const;
    void paintNote(QPainter &painter) const;

    QColor m_background;
    QString m_note;
    QImage m_picture;
    QImage m_surface;
    std::array<Marker, MarkerCount> m_markers{};
    std::vector<Overlay> m_overlays;
    PictureView m_view;
    std::optional<QPointF> m_panFrom; // a middle-button drag under way
    // The surface scaled down to a zoom below 1, kept while the view stays.
    mutable QImage m_scaled;
    mutable PictureView m_scaledView;
    mutable qint64 m_scaledKey = 0;
};
