#include "app/picture_tools.h"

#include "app/exclusion_areas.h"
#include "app/main_window.h"

#include <cmath>

QRectF pixelsBetween(QPointF a, QPointF b)
{
    const QPointF topLeft(std::floor(std::min(a.x(), b.x())), std::floor(std::min(a.y(), b.y())));
    const QPointF bottomRight(std::floor(std::max(a.x(), b.x())) + 1, std::floor(std::max(a.y(), b.y())) + 1);
    return QRectF(topLeft, bottomRight);
}

bool ExclusionTool::press(QPointF at)
{
    m_from = at;
    window().exclusionAreas()->showDrawing(pixelsBetween(at, at));
    return true;
}

void ExclusionTool::drag(QPointF at)
{
    window().exclusionAreas()->showDrawing(pixelsBetween(m_from, at));
}

void ExclusionTool::release(QPointF at)
{
    window().exclusionAreas()->showDrawing(std::nullopt);
    std::vector<QRectF> rects = window().document()->exclusions();
    rects.push_back(pixelsBetween(m_from, at));
    m_drawn = true;
    window().document()->setExclusions(rects);
}

bool FollowSeedTool::press(QPointF at)
{
    m_seeded = window().followFrom(float(at.x()), float(at.y()));
    return true;
}

bool CollectTool::press(QPointF at)
{
    return window().collectAt(float(at.x()), float(at.y()));
}

void CollectTool::drag(QPointF at)
{
    window().pictureDragged(at);
}

void CollectTool::release(QPointF at)
{
    window().pictureReleased(at);
}

bool ClickModeTool::press(QPointF at)
{
    const ClickMode mode = window().workState().ClickMode;
    if (mode == ClickMode::StartPoint || mode == ClickMode::EndPoint)
        window().captureCorner(float(at.x()), float(at.y()));
    else
        window().digitizePoint(float(at.x()), float(at.y()));
    return true;
}
