#include "viewer/imaging/DrawPolygonObj.h"

#include <QPainter>

namespace lumora {

std::vector<QPoint> CDrawPolygonObj::Outline() const {
    std::vector<QPoint> outline = m_vertices;
    if (m_vertices.empty()) return outline;
    outline.push_back(m_floatingPoint);
    outline.push_back(m_vertices.front());
    return outline;
}

void CDrawPolygonObj::ComputeMeasure() {
    if (m_vertices.size() < 2) {
        m_areaPixels = 0.0;
        return;
    }
    const RegionPixels region = PolygonRegionPixels(Outline());
    m_areaPixels = double(region.count);
    m_box = region.box;
}

QPoint CDrawPolygonObj::GetAnchor() const {
    return {(m_box.left + m_box.right) / 2, (m_box.top + m_box.bottom) / 2};
}

void CDrawPolygonObj::MoveBy(int dx, int dy) {
    const QPoint d(dx, dy);
    for (QPoint& v : m_vertices) v += d;
    m_floatingPoint += d;
    m_box.left += dx;
    m_box.right += dx;
    m_box.top += dy;
    m_box.bottom += dy;
}

QString CDrawPolygonObj::ValueText() const {
    return FormatAnnotationValue(AreaValue(m_areaPixels, m_pixelLength), m_decimals, m_unit);
}

void CDrawPolygonObj::Paint(QPainter& painter, const std::vector<QPoint>& outline, QPoint textAt) {
    if (!m_active) return;
    if (!m_completed) ComputeMeasure();
    const size_t n = m_vertices.size();
    if (m_fill && n > 2) {
        // Exactly the pixels the area counts.
        const QColor fill = ColourOf(m_fillColour);
        ForEachPolygonRegionSpan(outline, [&](int y, int xBegin, int xEnd) {
            painter.fillRect(QRect(xBegin, y, xEnd - xBegin, 1), fill);
        });
    }
    painter.save();
    UseOutlinePen(painter);
    for (size_t i = 0; i + 1 < outline.size(); ++i) painter.drawLine(outline[i], outline[i + 1]);
    painter.restore();
    if (n > 1) DrawText(painter, textAt, ValueText());
}

void CDrawPolygonObj::Draw(QPainter& painter, double factor) {
    std::vector<QPoint> outline = Outline();
    for (QPoint& p : outline) p = ScalePoint(p, factor);
    if (!m_completed) ComputeMeasure();
    Paint(painter, outline, ScalePoint(GetAnchor(), factor));
}

void CDrawPolygonObj::DrawMapped(QPainter& painter, double, const PointMapping& mapping) {
    std::vector<QPoint> outline = Outline();
    for (QPoint& p : outline) p = MapPoint(p, mapping);
    if (!m_completed) ComputeMeasure();
    Paint(painter, outline, MapPoint(GetAnchor(), mapping));
}

}  // namespace lumora
