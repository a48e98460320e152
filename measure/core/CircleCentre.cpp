#include "measure/core/CircleCentre.h"

#include "measure/core/NumberText.h"

namespace tessmet {
namespace {

bool Collinear(Point p0, Point p1, Point p2) {
    const long long ux = static_cast<long long>(p1.x) - p0.x;
    const long long uy = static_cast<long long>(p1.y) - p0.y;
    const long long vx = static_cast<long long>(p2.x) - p0.x;
    const long long vy = static_cast<long long>(p2.y) - p0.y;
    return ux * vy == uy * vx;
}

}  // namespace

std::optional<Point> CircleCentre(Point p0, Point p1, Point p2, double r) {
    if (r == 0.0) return std::nullopt;
    const double x0 = r * p0.x, y0 = p0.y;
    const double x1 = r * p1.x, y1 = p1.y;
    const double x2 = r * p2.x, y2 = p2.y;
    const double m = x0 - x1;
    const double n = x0 - x2;
    if (m == 0.0 || n == 0.0) return std::nullopt;
    const double s = (y0 - y1) / m - (y0 - y2) / n;
    if (s == 0.0 || Collinear(p0, p1, p2)) return std::nullopt;
    const double k1 = y0 * y0 + x0 * x0 - x1 * x1 - y1 * y1;
    const double k2 = y0 * y0 + x0 * x0 - x2 * x2 - y2 * y2;
    const double yc = (k1 / (2.0 * m) - k2 / (2.0 * n)) / s;
    const double xc = (k1 - 2.0 * (y0 - y1) * yc) / (2.0 * m);
    return Point{RoundCoordinate(xc / r), RoundCoordinate(yc)};
}

}  // namespace tessmet
