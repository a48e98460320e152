#include "viewer/imaging/DrawEllipseObj.h"

#include "viewer/imaging/RegionPixels.h"

#include <QPainter>

namespace lumora {

void CDrawEllipseObj::ComputeMeasure() { m_areaPixels = double(EllipseRegionPixelCount(m_p1, m_p2)); }

QString CDrawEllipseObj::ValueText() const {
    return FormatAnnotationValue(AreaValue(m_areaPixels, m_pixelLength), m_decimals, m_unit);
}

void CDrawEllipseObj::Paint(QPainter& painter, QPoint p1, QPoint p2, QPoint textAt) {
    if (!m_active) return;
    if (!m_completed) ComputeMeasure();
    painter.save();
    UseOutlinePen(painter);
    UseFillBrush(painter);
    painter.drawEllipse(OutlineBox(p1, p2));
    painter.restore();
    DrawText(painter, textAt, ValueText());
}

void CDrawEllipseObj::Draw(QPainter& painter, double factor) {
    Paint(painter, ScalePoint(m_p1, factor), ScalePoint(m_p2, factor), ScalePoint(Midpoint(m_p1, m_p2), factor));
}

void CDrawEllipseObj::DrawMapped(QPainter& painter, double, const PointMapping& mapping) {
    Paint(painter, MapPoint(m_p1, mapping), MapPoint(m_p2, mapping), MapPoint(Midpoint(m_p1, m_p2), mapping));
}

}  // namespace lumora
