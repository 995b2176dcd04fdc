#pragma once

#include "app/picture_tool.h"

#include <QRectF>

#include <optional>

// Ctrl+E: a drag draws a rectangle in which no trace reads anything.
class ExclusionTool : public PictureTool
{
public:
    using PictureTool::PictureTool;
    bool press(QPointF at) override;
    void drag(QPointF at) override;
    void release(QPointF at) override;
    bool done() const override { return m_drawn; }

private:
    QPointF m_from;
    bool m_drawn = false;
};

// Ctrl+F: the next press inside the frame seeds a followed trace; presses
// outside it wait for the next.
class FollowSeedTool : public PictureTool
{
public:
    using PictureTool::PictureTool;
    bool press(QPointF at) override;
    bool done() const override { return m_seeded; }

private:
    bool m_seeded = false;
};

// Ctrl+Shift+P: presses collect points into the current point set (or
// choose and drag them), or choose the columns of the current curve.
class CollectTool : public PictureTool
{
public:
    using PictureTool::PictureTool;
    bool press(QPointF at) override;
    void drag(QPointF at) override;
    void release(QPointF at) override;
};

// The click modes: "始点" and "終点" capture a corner, any other mode reads a point.
class ClickModeTool : public PictureTool
{
public:
    using PictureTool::PictureTool;
    bool press(QPointF at) override;
};

// The whole pixels a drag from `a` to `b` covers, both ends included.
QRectF pixelsBetween(QPointF a, QPointF b);
