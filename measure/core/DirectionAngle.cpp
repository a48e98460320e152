#include "measure/core/DirectionAngle.h"

#include <cmath>

namespace tessmet {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kDegreesPerRadian = 57.29577951308232;

}  // namespace

double DirectionAngle(Point o, Point p, double r) {
    if (r == 0.0) return 0.0;
    const double e = r * p.x - r * o.x;
    const double f = static_cast<double>(o.y) - static_cast<double>(p.y);
    if (e == 0.0) {
        if (f > 0.0) return 90.0;
        if (f < 0.0) return 270.0;
        return 0.0;
    }
    const double a = std::atan(f / e);
    if (e < 0.0) return (a + kPi) * kDegreesPerRadian;
    if (f < 0.0) return (a + kTwoPi) * kDegreesPerRadian;
    return a * kDegreesPerRadian;
}

double AngleBetween(Point o, Point a, Point b, double r) {
    const double d = DirectionAngle(o, a, r) - DirectionAngle(o, b, r);
    return d >= 0.0 ? d : d + 360.0;
}

}  // namespace tessmet
