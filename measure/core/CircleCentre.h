#pragma once

#include "measure/core/Point.h"

#include <optional>

namespace tessmet {

// Centre of the circle through P0, P1 and P2 in the isotropic space (x scaled by the aspect
// ratio r), rounded half up back to image pixels. No result when r is 0, when P1 or P2 lies straight
// above or below P0 (the construction divides by their x differences, so this holds even when
// the three points are not collinear), or when the three points are collinear. Collinearity is
// decided exactly on the integer points, so rounding cannot turn a straight line into a huge
// circle.
std::optional<Point> CircleCentre(Point p0, Point p1, Point p2, double r);

}  // namespace tessmet
