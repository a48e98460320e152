#include "viewer/imaging/DrawRectangleObj.h"

#include <QPainter>

namespace lumora {

void CDrawRectangleObj::ComputeMeasure() { m_areaPixels = RectanglePixelArea(m_p1, m_p2); }

QString CDrawRectangleObj::ValueText() const {
    return FormatAnnotationValue(AreaValue(m_areaPixels, m_pixelLength), m_decimals, m_unit);
}

void CDrawRectangleObj::Paint(QPainter& painter, QPoint p1, QPoint p2, QPoint textAt) {
    if (!m_active) return;
    if (!m_completed) ComputeMeasure();
    painter.save();
    UseOutlinePen(painter);
    UseFillBrush(painter);
    painter.drawRect(OutlineBox(p1, p2));
    painter.restore();
    DrawText(painter, textAt, ValueText());
}

void CDrawRectangleObj::Draw(QPainter& painter, double factor) {
    Paint(painter, ScalePoint(m_p1, factor), ScalePoint(m_p2, factor), ScalePoint(Midpoint(m_p1, m_p2), factor));
}

void CDrawRectangleObj::DrawMapped(QPainter& painter, double, const PointMapping& mapping) {
    Paint(painter, MapPoint(m_p1, mapping), MapPoint(m_p2, mapping), MapPoint(Midpoint(m_p1, m_p2), mapping));
}

}  // namespace lumora
