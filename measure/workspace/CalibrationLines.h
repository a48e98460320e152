#pragma once

#include "measure/core/Point.h"

#include <span>

namespace tessmet {

// Smallest and largest angle, in degrees, at which the two calibration objects may meet.
constexpr double kCalibrationMinAngle = 15.0;
constexpr double kCalibrationMaxAngle = 345.0;

// Whether `next` may be placed after the calibration points already placed. Only the fourth
// point is checked: the two objects (placed[0]-placed[1] and placed[2]-next) must not be
// parallel, and the angle at their intersection, from the first object's first point to the
// second object's first point with the aspect ratio r applied, must lie within 15..345
// degrees. Lines that cross at a shallow angle give the solution no stable footing.
bool CalibrationPointAccepted(std::span<const Point> placed, Point next, double r);

}  // namespace tessmet
