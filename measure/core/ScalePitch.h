#pragma once

#include "measure/core/Calibration.h"
#include "measure/core/UnitFormat.h"

namespace tessmet {

// The nearest "nice" scale pitch, always 1 or 5 times a power of ten, with its text:
// 0.0023 -> 0.001, 0.004 -> 0.005, 9 -> 10, 230 -> 100, 33.3 -> 50. Zero gives 0 and "".
ValueText NicePitch(double value);

struct Pitch {
    int screenPixels = 0;  // distance between two ticks on the screen
    std::string text;      // the pitch in the display unit, as NicePitch writes it
};

// Pitch of the scale overlay along one axis ('H' uses hResolution, 'V' vResolution): about
// screenLength / divisions screen pixels, rounded to a nice value in the display unit.
// A zero resolution gives an empty text and 0 pixels.
Pitch FormatPitch(const CalibrationValues& c, char axis, double zoom, double screenLength, int divisions);

}  // namespace tessmet
