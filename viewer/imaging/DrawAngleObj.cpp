#include "viewer/imaging/DrawAngleObj.h"

#include <QPainter>

#include <cmath>

namespace lumora {

CDrawAngleObj::CDrawAngleObj() : m_pi(4 * std::atan(1.0)) { m_decimals = 0; }

void CDrawAngleObj::ComputeDirections(QPoint p1, QPoint p2, QPoint p3) {
    if (p1 == p2 || p1 == p3) return;
    m_theta1 = ArmDirection(p2, p1);
    m_theta3 = ArmDirection(p2, p3);
    m_label = AngleLabelPosition(p2, m_theta1, m_theta3);
}

QString CDrawAngleObj::ValueText() const { return FormatAngle(m_theta1, m_theta3, m_unit); }

void CDrawAngleObj::Paint(QPainter& painter, QPoint p1, QPoint p2, QPoint p3, QPoint arcTopLeft,
                          QPoint arcBottomRight, QPoint labelAt) {
    painter.save();
    UseOutlinePen(painter);
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(p1, p2);
    if (m_thirdPoint) {
        painter.drawLine(p2, p3);
        const bool fromThird = ArcStartsAtThirdPoint(m_theta1, m_theta3);
        const QRect box(arcTopLeft, arcBottomRight - QPoint(1, 1));
        const ArcAngles arc = CounterClockwiseArc(box.center(), fromThird ? p3 : p1, fromThird ? p1 : p3);
        painter.drawArc(box, int(std::lround(arc.startDegrees * 16)), int(std::lround(arc.spanDegrees * 16)));
    }
    painter.restore();
    if (m_thirdPoint) DrawText(painter, labelAt, ValueText());
}

void CDrawAngleObj::Draw(QPainter& painter, double factor) {
    if (!m_active) return;
    const QPoint r(m_arcRadius, m_arcRadius);
    QPoint labelAt;
    if (!m_completed) {
        // The angle being drawn shows its live value, its text at the label as computed.
        ComputeDirections(m_p1, m_p2, m_p3);
        labelAt = m_label;
    } else {
        // A finished angle keeps its directions; the label follows the vertex.
        m_label = AngleLabelPosition(m_p2, m_theta1, m_theta3);
        labelAt = ScalePoint(m_label, factor);
    }
    Paint(painter, ScalePoint(m_p1, factor), ScalePoint(m_p2, factor), ScalePoint(m_p3, factor),
          ScalePoint(m_p2 - r, factor), ScalePoint(m_p2 + r, factor), labelAt);
}

void CDrawAngleObj::DrawMapped(QPainter& painter, double, const PointMapping& mapping) {
    if (!m_active) return;
    const QPoint p1 = MapPoint(m_p1, mapping);
    const QPoint p2 = MapPoint(m_p2, mapping);
    const QPoint p3 = MapPoint(m_p3, mapping);
    if (!m_completed) {
        ComputeDirections(p1, p2, p3);
    } else {
        m_label = AngleLabelPosition(p2, m_theta1, m_theta3);
    }
    const QPoint r(m_arcRadius, m_arcRadius);
    Paint(painter, p1, p2, p3, MapPoint(m_p2 - r, mapping), MapPoint(m_p2 + r, mapping), m_label);
}

}  // namespace lumora
