#pragma once

#include "viewer/imaging/DrawObj.h"

namespace lumora {

// A line with its length: trunc of the Euclidean length in pixels, times the one-pixel length.
class CDrawLineObj : public CDrawObj {
public:
    AnnotationKind Kind() const override { return AnnotationKind::Line; }
    void Draw(QPainter& painter, double factor) override;
    void DrawMapped(QPainter& painter, double factor, const PointMapping& mapping) override;
    QPoint GetAnchor() const override { return Midpoint(m_p1, m_p2); }
    double PixelMeasure() const override { return m_lengthPixels; }
    QString ValueText() const override;

    // The segment (x1, y1)-(x2, y2) with the ends of the arrow style, in a solid pen.
    static void DrawArrowLine(QPainter& painter, int x1, int y1, int x2, int y2, int width, uint32_t colour,
                              int arrowStyle);

    double m_lengthPixels = 0.0;

    void ComputeMeasure() override;

private:
    void Paint(QPainter& painter, QPoint p1, QPoint p2, QPoint textAt);
};

}  // namespace lumora
