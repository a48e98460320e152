#include "measure/core/Arrowhead.h"

#include "measure/core/NumberText.h"

#include <cmath>

namespace tessmet {

namespace {

// Keeps the 12-pixel offsets clear of the int range.
bool Drawable(Point p) {
    constexpr int32_t kLimit = 1 << 30;
    return p.x > -kLimit && p.x < kLimit && p.y > -kLimit && p.y < kLimit;
}

}  // namespace

std::vector<Segment> ArrowheadStrokes(Point a, Point b) {
    if (!Drawable(a) || !Drawable(b)) return {};
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (!(length > kArrowMinLength)) return {};
    const double ux = dx / length;
    const double uy = dy / length;
    const int alongX = RoundCoordinate(12.0 * ux);
    const int alongY = RoundCoordinate(12.0 * uy);
    const int acrossX = TruncateToInt(-4.0 * uy);
    const int acrossY = TruncateToInt(4.0 * ux);
    const Point backOfB{b.x - alongX, b.y - alongY};
    const Point backOfA{a.x + alongX, a.y + alongY};
    return {
        {{backOfB.x + acrossX, backOfB.y + acrossY}, b},
        {{backOfB.x - acrossX, backOfB.y - acrossY}, b},
        {{backOfA.x + acrossX, backOfA.y + acrossY}, a},
        {{backOfA.x - acrossX, backOfA.y - acrossY}, a},
    };
}

}  // namespace tessmet
