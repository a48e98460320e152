#include "measure/draw/FigurePainter.h"

#include "measure/core/Arrowhead.h"
#include "measure/core/CircleEllipse.h"
#include "measure/core/NumberText.h"

#include <cmath>

namespace tessmet {
namespace {

// The end of an arm on the arc: the vertex plus round(45 u); a zero arm points along +x.
Point ArcEnd(Point vertex, Point arm) {
    const double dx = static_cast<double>(arm.x) - vertex.x;
    const double dy = static_cast<double>(arm.y) - vertex.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0.0) return {vertex.x + kAngleArcRadius, vertex.y};
    return {vertex.x + RoundCoordinate(kAngleArcRadius * dx / length), vertex.y + RoundCoordinate(kAngleArcRadius * dy / length)};
}

// Whether anything drawn within `reach` pixels of p can show on the canvas; also keeps the
// small offsets below clear of the int range for points saturated far outside the image.
bool Near(const Canvas& canvas, Point p, int reach) {
    const QRect area = canvas.area().adjusted(-reach, -reach, reach, reach);
    return p.x >= area.left() && p.x <= area.right() && p.y >= area.top() && p.y <= area.bottom();
}

}  // namespace

void FigurePainter::arrowSegment(Point a, Point b, const Stroke& stroke) {
    canvas_.line(a, b, stroke);
    if (!arrows_) return;
    for (const Segment& s : ArrowheadStrokes(a, b)) canvas_.line(s.from, s.to, stroke);
}

void FigurePainter::marker(Point p, const Stroke& stroke) {
    if (!Near(canvas_, p, kMarkerReach + kMaxPenWidth)) return;
    canvas_.line({p.x - kMarkerReach, p.y - kMarkerReach}, {p.x + kMarkerReach, p.y + kMarkerReach}, stroke);
    canvas_.line({p.x - kMarkerReach, p.y + kMarkerReach}, {p.x + kMarkerReach, p.y - kMarkerReach}, stroke);
}

void FigurePainter::angleArc(Point vertex, Point firstArm, Point secondArm, const Stroke& stroke) {
    if (!Near(canvas_, vertex, kAngleArcRadius + kMaxPenWidth)) return;
    canvas_.arc(vertex, kAngleArcRadius, ArcEnd(vertex, secondArm), ArcEnd(vertex, firstArm), stroke);
}

void FigurePainter::circleThrough(Point centre, Point p, double r, const Stroke& stroke) {
    const EllipseRadii radii = CircleEllipse(centre, p, r);
    canvas_.ellipse(centre, radii.x, radii.y, stroke);
}

}  // namespace tessmet
