#pragma once

#include "viewer/imaging/DrawObj.h"

namespace lumora {

// A three-point angle: vertex P2, arms to P1 and P3, its opening in whole degrees shown
// beside an arc of radius 30 about the vertex.
class CDrawAngleObj : public CDrawObj {
public:
    AnnotationKind Kind() const override { return AnnotationKind::Angle; }
    void Draw(QPainter& painter, double factor) override;
    void DrawMapped(QPainter& painter, double factor, const PointMapping& mapping) override;
    QPoint GetAnchor() const override { return m_p2; }
    double PixelMeasure() const override { return OpeningAngle(m_theta1, m_theta3); }
    QString ValueText() const override;

    // Directions of both arms and the label from the given points; kept as they were while the
    // first point coincides with the vertex or with the third point.
    void ComputeDirections(QPoint p1, QPoint p2, QPoint p3);

    int m_arcRadius = kAngleArcRadius;
    QPoint m_label;
    double m_pi = 0.0;
    double m_theta1 = 0.0;
    double m_theta3 = 0.0;
    int m_thirdPoint = 0;

    CDrawAngleObj();

    void ComputeMeasure() override { ComputeDirections(m_p1, m_p2, m_p3); }

private:
    // Arms, arc and text with the points as drawn; `labelAt` is where the text goes.
    void Paint(QPainter& painter, QPoint p1, QPoint p2, QPoint p3, QPoint arcTopLeft, QPoint arcBottomRight,
               QPoint labelAt);
};

}  // namespace lumora
