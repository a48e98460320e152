#pragma once

#include "measure/core/Point.h"
#include "measure/draw/Canvas.h"

namespace tessmet {

// The pieces measurements are drawn from, shared by the finished figures and the rubber bands.
class FigurePainter {
public:
    FigurePainter(Canvas& canvas, bool arrows) : canvas_(canvas), arrows_(arrows) {}

    void segment(Point a, Point b, const Stroke& stroke) { canvas_.line(a, b, stroke); }
    // The segment with arrowheads at both ends, when arrows are on and it is long enough.
    void arrowSegment(Point a, Point b, const Stroke& stroke);
    // Two diagonal strokes through the point, 5 pixels in each direction.
    void marker(Point p, const Stroke& stroke);
    // The arc of radius 45 around the vertex, counter-clockwise on screen from the direction
    // of the second arm to that of the first, both ends at round(45 u) from the vertex.
    void angleArc(Point vertex, Point firstArm, Point secondArm, const Stroke& stroke);
    // The circle around the centre through p, as its ellipse under the aspect ratio r.
    void circleThrough(Point centre, Point p, double r, const Stroke& stroke);
    void extendedLine(Point a, Point b, const Stroke& stroke) { canvas_.extendedLine(a, b, stroke); }

    Canvas& canvas() { return canvas_; }

private:
    Canvas& canvas_;
    bool arrows_;
};

// Radius of the angle arcs, in pixels.
constexpr int kAngleArcRadius = 45;
// Half the size of an X marker, in pixels.
constexpr int kMarkerReach = 5;

}  // namespace tessmet
