#pragma once

#include "measure/core/Calibration.h"

#include <string>

namespace tessmet {

// A number together with the text the program shows for it.
struct ValueText {
    double value = 0.0;
    std::string text;
};

// Suffix kinds of UnitSuffix.
namespace SuffixKind {
constexpr int Length = 0;
constexpr int PerPixel = 1;
constexpr int PerPitch = 2;
constexpr int Area = 3;
}  // namespace SuffixKind

// "[mm]", "[um/pixel]", "[inch*inch]", ... Units other than 0..3 take the inch suffixes.
std::string UnitSuffix(UnitType unit, int kind);

// Millimetres to the display unit: 1, 1000, 1/25.4; pixel has none (returns 1).
double FactorFromMillimetres(UnitType unit);

// Length of the pixel offset (dx, dy): pixels for unit pixel, else dx and dy scaled by the
// resolutions into the unit. "%.2f" for pixel and "%.4f" for the others, with the length
// suffix when `withUnit` is set.
ValueText FormatLength(const CalibrationValues& c, int dx, int dy, bool withUnit);

// Area of `count` pixels, "%.2f" / "%.4f" with the area suffix when `withUnit` is set.
ValueText FormatArea(const CalibrationValues& c, long long count, bool withUnit);

// `value` cut (never rounded) to `digits` significant digits, with the text of those digits:
// 0.0044449 -> "0.00444", 12.34 -> "12.3", 123.4 -> "123.", 1234 -> "123". Zero gives 0 and an
// empty text.
ValueText FormatSignificant(double value, int digits);

// Text of status pane 1 for the calibration: empty for unit pixel, otherwise
// "Resolution  Horz: <h>  Vert: <v> [unit/pixel]" with three significant digits in the display
// unit, or "Resolution has not setup" when both resolutions are zero.
std::string ResolutionText(const CalibrationValues& c);

}  // namespace tessmet
