#include "measure/core/PointRules.h"

#include "measure/core/LineIntersection.h"

#include <algorithm>

namespace tessmet {

PointCheck CheckNextPoint(ObjectKind kind, std::span<const Point> placed, Point next) {
    if (std::find(placed.begin(), placed.end(), next) != placed.end()) return PointCheck::Duplicate;
    if (kind == Kind::TwoLinesAngle && placed.size() == 3 && LinesParallel(placed[0], placed[1], placed[2], next)) {
        return PointCheck::Parallel;
    }
    if (kind == Kind::ThreePointRadius && placed.size() == 2) {
        const bool sameX = next.x == placed[0].x && next.x == placed[1].x;
        const bool sameY = next.y == placed[0].y && next.y == placed[1].y;
        if (sameX || sameY) return PointCheck::OnOneAxis;
    }
    return PointCheck::Accept;
}

}  // namespace tessmet
