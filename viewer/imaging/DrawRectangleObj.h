#pragma once

#include "viewer/imaging/DrawObj.h"

namespace lumora {

// A rectangle with its area: |dx| * |dy| pixels.
class CDrawRectangleObj : public CDrawObj {
public:
    AnnotationKind Kind() const override { return AnnotationKind::Rectangle; }
    void Draw(QPainter& painter, double factor) override;
    void DrawMapped(QPainter& painter, double factor, const PointMapping& mapping) override;
    QPoint GetAnchor() const override { return Midpoint(m_p1, m_p2); }
    double PixelMeasure() const override { return m_areaPixels; }
    QString ValueText() const override;

    double m_areaPixels = 0.0;

    void ComputeMeasure() override;

private:
    void Paint(QPainter& painter, QPoint p1, QPoint p2, QPoint textAt);
};

}  // namespace lumora
