#include "viewer/imaging/AnnotationGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace lumora {
namespace {

int Trunc(double v) { return static_cast<int>(std::trunc(v)); }

constexpr double kPi = std::numbers::pi;

}  // namespace

QPoint Midpoint(QPoint a, QPoint b) { return {(a.x() + b.x()) / 2, (a.y() + b.y()) / 2}; }

QPoint MapPoint(QPoint p, const PointMapping& m) {
    return {Trunc(p.x() * m.factorX + m.offsetX), Trunc(p.y() * m.factorY + m.offsetY)};
}

QRect OutlineBox(QPoint a, QPoint b) {
    const int left = std::min(a.x(), b.x());
    const int right = std::max(a.x(), b.x());
    const int top = std::min(a.y(), b.y());
    const int bottom = std::max(a.y(), b.y());
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QPoint ScalePoint(QPoint p, double factor) { return {Trunc(p.x() * factor), Trunc(p.y() * factor)}; }

QString FormatAnnotationValue(double value, int decimals, const QString& unit) {
    // More digits than a double holds only print noise.
    const int digits = std::clamp(decimals, 0, 17);
    return QString::asprintf("%.*f ", digits, value) + unit;
}

double LinePixelLength(QPoint p1, QPoint p2) {
    const double dx = p2.x() - p1.x();
    const double dy = p2.y() - p1.y();
    return std::trunc(std::sqrt(dx * dx + dy * dy));
}

double RectanglePixelArea(QPoint p1, QPoint p2) {
    return std::abs(static_cast<double>(p1.x()) - p2.x()) * std::abs(static_cast<double>(p1.y()) - p2.y());
}

QPoint SnapLineEnd(QPoint start, QPoint end) {
    const int dx = end.x() - start.x();
    const int dy = end.y() - start.y();
    if (dx == 0 || dy == 0) return end;
    const int a = std::abs(dx);
    const int b = std::abs(dy);
    const double ratio = static_cast<double>(a) / b;
    QPoint snapped = end;
    if (ratio <= 0.8 || ratio >= 1.2) {
        if (b < a) snapped.setY(start.y());
        if (a < b) snapped.setX(start.x());
    } else if (a < b) {
        snapped.setY(dy < 0 ? start.y() - a : start.y() + a);
    } else {
        snapped.setX(dx < 0 ? start.x() - b : start.x() + b);
    }
    return snapped;
}

QPoint SnapSquareCorner(QPoint start, QPoint corner) {
    const int e = std::abs(start.x() - corner.x());
    const int g = std::abs(start.y() - corner.y());
    QPoint snapped = corner;
    if (e < g) {
        snapped.setY(corner.y() < start.y() ? start.y() - e : start.y() + e);
    } else {
        snapped.setX(corner.x() < start.x() ? start.x() - g : start.x() + g);
    }
    return snapped;
}

double ArmDirection(QPoint vertex, QPoint arm) {
    const double dx = static_cast<double>(arm.x()) - vertex.x();
    const double dy = static_cast<double>(arm.y()) - vertex.y();
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0.0) return 0.0;
    // Rounding may carry the cosine a hair beyond 1 for axis-parallel arms.
    const double theta = std::acos(std::clamp(dx / length, -1.0, 1.0));
    return dy > 0 ? -theta : theta;
}

double OpeningAngle(double theta1, double theta3) {
    double delta = theta1 - theta3;
    if (delta < -kPi) delta += 2 * kPi;
    if (delta > kPi) delta = 2 * kPi - delta;
    if (delta < 0) delta = -delta;
    return delta;
}

QString FormatAngle(double theta1, double theta3, const QString& unit) {
    return QString::asprintf("%.0f ", OpeningAngle(theta1, theta3) / kPi * 180.0) + unit;
}

QPoint AngleLabelPosition(QPoint vertex, double theta1, double theta3) {
    const double beta = (theta1 + theta3) / 2;
    const double r = kAngleLabelDistance;
    if (std::abs(theta1 - theta3) <= kPi) {
        return {Trunc(vertex.x() + r * std::cos(beta)), Trunc(vertex.y() - r * std::sin(beta))};
    }
    return {Trunc(vertex.x() - r * std::cos(beta)), Trunc(vertex.y() + r * std::sin(beta))};
}

bool ArcStartsAtThirdPoint(double theta1, double theta3) {
    const double d = theta1 - theta3;
    return (d > 0 && d < kPi) || d < -kPi;
}

ArcAngles CounterClockwiseArc(QPoint vertex, QPoint start, QPoint end) {
    const double from = ArmDirection(vertex, start);
    double span = ArmDirection(vertex, end) - from;
    if (span < 0) span += 2 * kPi;
    return {from / kPi * 180.0, span / kPi * 180.0};
}

ArrowStrokes ArrowStrokesFor(QPoint p1, QPoint p2, int arrowStyle) {
    ArrowStrokes result;
    double along = 0.0;
    double across = 0.0;
    if (arrowStyle == 1) {
        along = 10.0;
        across = 3.3333333333333335;
    } else if (arrowStyle == 2) {
        // A head so flat and wide that it reads as a bar across the end.
        along = 0.10000000149011612;
        across = 10.000000149011612;
    } else {
        return result;
    }
    const double a = std::atan2(static_cast<double>(p1.y()) - p2.y(), static_cast<double>(p1.x()) - p2.x());
    const double c = std::cos(a);
    const double s = std::sin(a);
    const int x1 = p1.x(), y1 = p1.y(), x2 = p2.x(), y2 = p2.y();
    result.strokes[0] = QLine(p1, QPoint(x1 - Trunc(along * c + across * s), y1 + Trunc(across * c - along * s)));
    result.strokes[1] = QLine(p1, QPoint(x1 + Trunc(across * s - along * c), y1 - Trunc(along * s + across * c)));
    result.strokes[2] = QLine(p2, QPoint(x2 + Trunc(along * c - across * s), y2 + Trunc(along * s + across * c)));
    result.strokes[3] = QLine(p2, QPoint(x2 + Trunc(along * c + across * s), y2 - Trunc(across * c - along * s)));
    result.count = 4;
    return result;
}

}  // namespace lumora
