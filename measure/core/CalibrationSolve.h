#pragma once

#include "measure/core/Calibration.h"
#include "measure/core/Point.h"

#include <array>

namespace tessmet {

// Interactive calibration from two straight objects of known length: the horizontal and
// vertical resolution h and v (millimetres per pixel) with
//   (h * dx1)^2 + (v * dy1)^2 = L1^2  and  (h * dx2)^2 + (v * dy2)^2 = L2^2,
// dx and dy the absolute pixel extents of each object.
struct CalibrationSolution {
    int caseNumber = 0;  // which of the seven arrangements applied (0 the general one)
    double h = 0.0;
    double v = 0.0;
};

// Cases 1..6 are the arrangements where an object is vertical or horizontal; 0 is the general
// one, solved for v first. Degenerate input (both objects vertical or both horizontal, an
// object of zero length, lengths no resolution fits) gives infinite or not-a-number values,
// which CalibrationWithinTolerance rejects.
CalibrationSolution SolveCalibration(double dx1, double dy1, double dx2, double dy2, double l1, double l2);

// Whether the solution gives both objects their lengths back within 5 %, all bounds strict:
// 0.95 L < L' < 1.05 L. Any not-a-number fails.
bool CalibrationWithinTolerance(const CalibrationSolution& s, double dx1, double dy1, double dx2, double dy2,
                                double l1, double l2);

// A typed distance in the run's unit to millimetres: x 1 (mm), x 0.001 (um), x 25.4 (inch).
// Any other unit counts as millimetres.
double DistanceToMillimetres(UnitType unit, double distance);

// The whole evaluation of a run: the objects (p0-p1 and p2-p3, image pixels), the two typed
// distances in `unit`; the solution and whether it is accepted.
struct CalibrationOutcome {
    CalibrationSolution solution;
    bool accepted = false;
};
CalibrationOutcome EvaluateCalibration(const std::array<Point, 4>& points, UnitType unit, double first, double second);

// Resolutions as the calibration dialog shows them: millimetres per pixel into the display unit
// (x 1, x 1000, x 0.03937007874015748; 1.0 for pixel), cut to three significant digits.
double ShownResolution(UnitType unit, double millimetresPerPixel);
// A value typed in the display unit back to millimetres per pixel (x 1, x 0.001, x 25.4).
// Pixel, and any other unit, keeps `current`.
double WorkingResolution(UnitType unit, double shown, double current);

}  // namespace tessmet
