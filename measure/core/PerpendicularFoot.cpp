#include "measure/core/PerpendicularFoot.h"

#include "measure/core/NumberText.h"

namespace tessmet {

Foot PerpendicularFoot(Point a, Point b, Point p, double r) {
    if (r == 0.0) return {{0, 0}, FootCase::NoResult};
    const double ax = r * a.x;
    const double bx = r * b.x;
    if (ax == bx) return {{a.x, p.y}, FootCase::Vertical};
    if (a.y == b.y) return {{p.x, a.y}, FootCase::Horizontal};

    // The line: a1 X + b1 Y = c1; the perpendicular through P: a2 X + b2 Y = c2.
    const double px = r * p.x;
    const double a1 = 1.0 / (ax - bx);
    const double b1 = -1.0 / (static_cast<double>(a.y) - b.y);
    const double a2 = b1;
    const double b2 = -a1;
    const double c1 = a1 * ax + b1 * a.y;
    const double c2 = a2 * px + b2 * p.y;
    const double y = (c2 - (c1 / a1) * a2) / (b2 - a2 * (b1 / a1));
    const double x = c1 / a1 - (b1 / a1) * y;
    return {{RoundCoordinate(x / r), RoundCoordinate(y)}, FootCase::General};
}

}  // namespace tessmet
