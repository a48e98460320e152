#include "measure/core/LineIntersection.h"

#include "measure/core/NumberText.h"

namespace tessmet {

bool LinesParallel(Point a1, Point a2, Point b1, Point b2) {
    const long long dx1 = static_cast<long long>(a1.x) - a2.x;
    const long long dy1 = static_cast<long long>(a1.y) - a2.y;
    const long long dx2 = static_cast<long long>(b1.x) - b2.x;
    const long long dy2 = static_cast<long long>(b1.y) - b2.y;
    if (dx1 == 0 && dx2 == 0) return true;
    if (dy1 == 0 && dy2 == 0) return true;
    if ((dx1 == 0 && dy1 == 0) || (dx2 == 0 && dy2 == 0)) return true;
    // Differences of 32-bit values fit in 33 bits, so the products cannot overflow 64 bits.
    return dx1 * dy2 == dx2 * dy1;
}

std::optional<Point> LineIntersection(Point a1, Point a2, Point b1, Point b2, double r) {
    if (r == 0.0 || LinesParallel(a1, a2, b1, b2)) return std::nullopt;
    const double dx1 = r * (static_cast<double>(a1.x) - a2.x);
    const double dy1 = static_cast<double>(a1.y) - a2.y;
    const double dx2 = r * (static_cast<double>(b1.x) - b2.x);
    const double dy2 = static_cast<double>(b1.y) - b2.y;
    const double ax = r * a1.x;
    const double bx = r * b1.x;

    // A vertical or horizontal line hands its coordinate over unchanged; the other one follows
    // from the second line, which is then neither parallel to it nor degenerate.
    if (dx1 == 0.0) {
        const double y = dy2 == 0.0 ? b1.y : b1.y + (ax - bx) * dy2 / dx2;
        return Point{a1.x, RoundCoordinate(y)};
    }
    if (dx2 == 0.0) {
        const double y = dy1 == 0.0 ? a1.y : a1.y + (bx - ax) * dy1 / dx1;
        return Point{b1.x, RoundCoordinate(y)};
    }
    if (dy1 == 0.0) {
        const double x = bx + (a1.y - static_cast<double>(b1.y)) * dx2 / dy2;
        return Point{RoundCoordinate(x / r), a1.y};
    }
    if (dy2 == 0.0) {
        const double x = ax + (b1.y - static_cast<double>(a1.y)) * dx1 / dy1;
        return Point{RoundCoordinate(x / r), b1.y};
    }

    // Each line as a X + b Y = c, solved by elimination.
    const double ka1 = 1.0 / dx1;
    const double kb1 = -1.0 / dy1;
    const double kc1 = ka1 * ax + kb1 * a1.y;
    const double ka2 = 1.0 / dx2;
    const double kb2 = -1.0 / dy2;
    const double kc2 = ka2 * bx + kb2 * b1.y;
    const double y = (kc2 - (kc1 / ka1) * ka2) / (kb2 - ka2 * (kb1 / ka1));
    const double x = kc1 / ka1 - (kb1 / ka1) * y;
    return Point{RoundCoordinate(x / r), RoundCoordinate(y)};
}

}  // namespace tessmet
