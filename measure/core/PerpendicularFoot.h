#pragma once

#include "measure/core/Point.h"

namespace tessmet {

// How the foot of a perpendicular was found.
enum class FootCase {
    NoResult = -1,   // aspect ratio 0: the foot reads (0, 0)
    General = 0,     // solved from the line and the perpendicular through P
    Vertical = 1,    // A and B share their x: the foot is (A.x, P.y)
    Horizontal = 2,  // A and B share their y: the foot is (P.x, A.y)
};

struct Foot {
    Point point;
    FootCase kind = FootCase::NoResult;

    bool ok() const { return kind != FootCase::NoResult; }
};

// Foot of the perpendicular from P onto the infinite line through A and B, in the isotropic
// space where x is scaled by the aspect ratio r, rounded half up (RoundCoordinate) back to
// whole image pixels.
Foot PerpendicularFoot(Point a, Point b, Point p, double r);

}  // namespace tessmet
