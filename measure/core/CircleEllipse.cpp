#include "measure/core/CircleEllipse.h"

#include "measure/core/NumberText.h"

#include <cmath>

namespace tessmet {

EllipseRadii CircleEllipse(Point c, Point p, double r) {
    if (r == 0.0) return {};
    const double dx = static_cast<double>(p.x) - c.x;
    const double dy = static_cast<double>(p.y) - c.y;
    const double radius = std::sqrt(r * r * dx * dx + dy * dy);
    return {RoundCoordinate(radius / r), RoundCoordinate(radius)};
}

}  // namespace tessmet
