#pragma once

#include "measure/core/Point.h"

namespace tessmet {

// Radii, in pixels, of the axis-parallel ellipse that shows a circle of the isotropic space.
struct EllipseRadii {
    int x = 0;
    int y = 0;

    bool operator==(const EllipseRadii&) const = default;
};

// The circle around C through P, with x scaled by the aspect ratio r: its isotropic radius is
// R = sqrt(r^2 (P.x - C.x)^2 + (P.y - C.y)^2), drawn with radii round(R / r) along x and
// round(R) along y. r = 0 gives radii 0.
EllipseRadii CircleEllipse(Point c, Point p, double r);

}  // namespace tessmet
