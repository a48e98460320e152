#pragma once

#include "measure/core/GraphicStore.h"
#include "measure/core/Point.h"

#include <span>

namespace tessmet {

// Why a click is not taken as the next point of a measurement.
enum class PointCheck {
    Accept,
    Duplicate,       // equals a point already placed for the tool (the label included)
    Parallel,        // the fourth point of the two-lines angle makes the lines parallel
    OnOneAxis,       // the third point of the 3-point radius shares its x, or its y, with both others
};

// Checks `next` against the points already placed for a measurement tool, in any one
// coordinate space (view or image). Refused points are not counted.
PointCheck CheckNextPoint(ObjectKind kind, std::span<const Point> placed, Point next);

}  // namespace tessmet
