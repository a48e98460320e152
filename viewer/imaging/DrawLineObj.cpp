#include "viewer/imaging/DrawLineObj.h"

#include <QPainter>

#include <cmath>

namespace lumora {

void CDrawLineObj::ComputeMeasure() { m_lengthPixels = LinePixelLength(m_p1, m_p2); }

QString CDrawLineObj::ValueText() const {
    return FormatAnnotationValue(m_lengthPixels * m_pixelLength, m_decimals, m_unit);
}

void CDrawLineObj::DrawArrowLine(QPainter& painter, int x1, int y1, int x2, int y2, int width, uint32_t colour,
                                 int arrowStyle) {
    painter.save();
    QPen pen(ColourOf(colour));
    pen.setWidth(width);
    painter.setPen(pen);
    const QPoint p1(x1, y1);
    const QPoint p2(x2, y2);
    painter.drawLine(p1, p2);
    const ArrowStrokes ends = ArrowStrokesFor(p1, p2, arrowStyle);
    for (int i = 0; i < ends.count; ++i) painter.drawLine(ends.strokes[size_t(i)]);
    painter.restore();
}

void CDrawLineObj::Paint(QPainter& painter, QPoint p1, QPoint p2, QPoint textAt) {
    if (!m_active) return;
    if (!m_completed) ComputeMeasure();
    DrawArrowLine(painter, p1.x(), p1.y(), p2.x(), p2.y(), m_selected ? m_penWidth + 1 : m_penWidth, m_lineColour,
                  m_arrowStyle);
    DrawText(painter, textAt, ValueText());
}

void CDrawLineObj::Draw(QPainter& painter, double factor) {
    // The text sits one pixel below the midpoint.
    const QPoint mid = Midpoint(m_p1, m_p2);
    const QPoint textAt(int(std::trunc(factor * mid.x())), int(std::trunc(factor * mid.y() + 1)));
    Paint(painter, ScalePoint(m_p1, factor), ScalePoint(m_p2, factor), textAt);
}

void CDrawLineObj::DrawMapped(QPainter& painter, double, const PointMapping& mapping) {
    PointMapping textMapping = mapping;
    textMapping.offsetY += 1;
    Paint(painter, MapPoint(m_p1, mapping), MapPoint(m_p2, mapping), MapPoint(Midpoint(m_p1, m_p2), textMapping));
}

}  // namespace lumora
