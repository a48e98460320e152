#pragma once

#include "viewer/imaging/DrawObj.h"
#include "viewer/imaging/RegionPixels.h"

#include <vector>

namespace lumora {

// A polygon with its area. The outline runs through the vertices, then the floating point (the
// end of the rubber band while it is drawn), and back to the first vertex; the area is the
// pixel count of that outline's region (winding rule).
class CDrawPolygonObj : public CDrawObj {
public:
    AnnotationKind Kind() const override { return AnnotationKind::Polygon; }
    void Draw(QPainter& painter, double factor) override;
    void DrawMapped(QPainter& painter, double factor, const PointMapping& mapping) override;
    // The centre of the box of the last area count.
    QPoint GetAnchor() const override;
    void MoveBy(int dx, int dy) override;
    double PixelMeasure() const override { return m_areaPixels; }
    QString ValueText() const override;

    // Vertices, floating point, first vertex again.
    std::vector<QPoint> Outline() const;

    QPoint m_floatingPoint = kUnsetPoint;
    std::vector<QPoint> m_vertices;
    double m_areaPixels = 0.0;
    PixelBox m_box;

    void ComputeMeasure() override;

private:
    void Paint(QPainter& painter, const std::vector<QPoint>& outline, QPoint textAt);
};

}  // namespace lumora
