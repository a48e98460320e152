#include "measure/workspace/CalibrationLines.h"

#include "measure/core/DirectionAngle.h"
#include "measure/core/LineIntersection.h"

namespace tessmet {

bool CalibrationPointAccepted(std::span<const Point> placed, Point next, double r) {
    if (placed.size() != 3) return true;
    if (LinesParallel(placed[0], placed[1], placed[2], next)) return false;
    const std::optional<Point> crossing = LineIntersection(placed[0], placed[1], placed[2], next, r);
    if (!crossing) return false;
    const double angle = AngleBetween(*crossing, placed[0], placed[2], r);
    return angle >= kCalibrationMinAngle && angle <= kCalibrationMaxAngle;
}

}  // namespace tessmet
