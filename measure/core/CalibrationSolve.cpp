#include "measure/core/CalibrationSolve.h"

#include "measure/core/UnitFormat.h"

#include <cmath>
#include <cstdlib>

namespace tessmet {

CalibrationSolution SolveCalibration(double dx1, double dy1, double dx2, double dy2, double l1, double l2) {
    CalibrationSolution s;
    if (dx1 == 0 && dx2 != 0 && dy2 != 0) {
        s.caseNumber = 1;
        s.v = l1 / dy1;
        s.h = std::sqrt((l2 * l2 - s.v * s.v * dy2 * dy2) / (dx2 * dx2));
    } else if (dx2 == 0 && dx1 != 0 && dy1 != 0) {
        s.caseNumber = 2;
        s.v = l2 / dy2;
        s.h = std::sqrt((l1 * l1 - s.v * s.v * dy1 * dy1) / (dx1 * dx1));
    } else if (dy1 == 0 && dx2 != 0 && dy2 != 0) {
        s.caseNumber = 3;
        s.h = l1 / dx1;
        s.v = std::sqrt((l2 * l2 - s.h * s.h * dx2 * dx2) / (dy2 * dy2));
    } else if (dy2 == 0 && dx1 != 0 && dy1 != 0) {
        s.caseNumber = 4;
        s.h = l2 / dx2;
        s.v = std::sqrt((l1 * l1 - s.h * s.h * dx1 * dx1) / (dy1 * dy1));
    } else if (dx1 == 0 && dy2 == 0) {
        s.caseNumber = 5;
        s.h = l2 / dx2;
        s.v = l1 / dy1;
    } else if (dx2 == 0 && dy1 == 0) {
        s.caseNumber = 6;
        s.h = l1 / dx1;
        s.v = l2 / dy2;
    } else {
        s.caseNumber = 0;
        const double a1 = l1 * l1 / (dx1 * dx1);
        const double a2 = l2 * l2 / (dx2 * dx2);
        const double b1 = dy1 * dy1 / (dx1 * dx1);
        const double b2 = dy2 * dy2 / (dx2 * dx2);
        s.v = std::sqrt((a1 - a2) / (b1 - b2));
        s.h = std::sqrt(a1 - s.v * s.v * b1);
    }
    return s;
}

bool CalibrationWithinTolerance(const CalibrationSolution& s, double dx1, double dy1, double dx2, double dy2,
                                double l1, double l2) {
    const double back1 = std::sqrt(s.h * s.h * dx1 * dx1 + s.v * s.v * dy1 * dy1);
    const double back2 = std::sqrt(s.h * s.h * dx2 * dx2 + s.v * s.v * dy2 * dy2);
    // Written so that a not-a-number on either side makes a comparison false.
    return 0.95 * l1 < back1 && back1 < 1.05 * l1 && 0.95 * l2 < back2 && back2 < 1.05 * l2;
}

double DistanceToMillimetres(UnitType unit, double distance) {
    switch (unit) {
        case Unit::Micrometre: return distance * 0.001;
        case Unit::Inch: return distance * 25.4;
        default: return distance;
    }
}

CalibrationOutcome EvaluateCalibration(const std::array<Point, 4>& p, UnitType unit, double first, double second) {
    const double l1 = DistanceToMillimetres(unit, first);
    const double l2 = DistanceToMillimetres(unit, second);
    const double dx1 = std::abs(static_cast<double>(p[0].x) - p[1].x);
    const double dy1 = std::abs(static_cast<double>(p[0].y) - p[1].y);
    const double dx2 = std::abs(static_cast<double>(p[2].x) - p[3].x);
    const double dy2 = std::abs(static_cast<double>(p[2].y) - p[3].y);
    CalibrationOutcome outcome;
    outcome.solution = SolveCalibration(dx1, dy1, dx2, dy2, l1, l2);
    outcome.accepted = CalibrationWithinTolerance(outcome.solution, dx1, dy1, dx2, dy2, l1, l2);
    return outcome;
}

double ShownResolution(UnitType unit, double millimetresPerPixel) {
    double shown = 1.0;
    switch (unit) {
        case Unit::Millimetre: shown = millimetresPerPixel; break;
        case Unit::Micrometre: shown = millimetresPerPixel * 1000.0; break;
        case Unit::Inch: shown = millimetresPerPixel * 0.03937007874015748; break;
        default: break;
    }
    return FormatSignificant(shown, 3).value;
}

double WorkingResolution(UnitType unit, double shown, double current) {
    switch (unit) {
        case Unit::Millimetre: return shown;
        case Unit::Micrometre: return shown * 0.001;
        case Unit::Inch: return shown * 25.4;
        default: return current;
    }
}

}  // namespace tessmet
