#pragma once

#include "measure/core/Point.h"

#include <optional>

namespace tessmet {

// The parallel test that decides whether a fourth point of the two-lines angle is accepted,
// on raw pixel coordinates: both lines vertical, both horizontal, or the same slope. It is
// decided exactly on integers (dx1 * dy2 == dx2 * dy1), so rounding can never let two parallel
// lines through. A line whose two points coincide has no direction and counts as parallel.
bool LinesParallel(Point a1, Point a2, Point b1, Point b2);

// Intersection of the infinite lines A1-A2 and B1-B2 in the isotropic space (x scaled by the
// aspect ratio r), rounded half up back to image pixels. No result when r is 0 or the lines are
// parallel (LinesParallel). When one line is vertical or horizontal the intersection takes
// that coordinate from the line exactly.
std::optional<Point> LineIntersection(Point a1, Point a2, Point b1, Point b2, double r);

}  // namespace tessmet
