#include "measure/core/ScalePitch.h"

#include "measure/core/NumberText.h"

#include <cmath>

namespace tessmet {

ValueText NicePitch(double value) {
    ValueText result;
    if (value == 0.0 || !std::isfinite(value)) return result;
    const double v = std::fabs(value);
    double d;
    int n = 0;
    if (v >= 1.0) {
        d = 10.0;
        while (v >= d) {
            d *= 10.0;
            ++n;
        }
        d *= 0.1;
    } else {
        d = 0.1;
        while (!(v > d)) {
            d *= 0.1;
            ++n;
        }
    }
    const int q = RoundHalfUp(v / d);
    char digit;
    if (q == 1 || q == 2) {
        result.value = d;
        digit = '1';
    } else if (q >= 3 && q <= 7) {
        result.value = 5.0 * d;
        digit = '5';
    } else {
        result.value = 10.0 * d;
        digit = '1';
        n += v >= 1.0 ? 1 : -1;
    }
    // Below 1 the text is "0." + zeros + digit; from 1 upward the digit + zeros. Only the
    // step from 0.95.. up to 1 gives a negative count, which means no zeros.
    const size_t zeros = n > 0 ? static_cast<size_t>(n) : 0;
    if (v >= 1.0 || n < 0) {
        result.text = std::string(1, digit) + std::string(zeros, '0');
    } else {
        result.text = "0." + std::string(zeros, '0') + digit;
    }
    return result;
}

Pitch FormatPitch(const CalibrationValues& c, char axis, double zoom, double screenLength, int divisions) {
    double r = 1.0;
    double f = 1.0;
    if (c.unit >= Unit::Millimetre && c.unit <= Unit::Inch) {
        r = axis == 'V' ? c.vResolution : c.hResolution;
        f = c.unit == Unit::Millimetre ? 1.0 : c.unit == Unit::Micrometre ? 0.001 : 25.4;
    }
    Pitch pitch;
    if (zoom == 0.0 || divisions == 0) return pitch;
    const double target = screenLength * r / zoom / f / divisions;
    const ValueText nice = NicePitch(target);
    pitch.text = nice.text;
    if (nice.value != 0.0 && r != 0.0) pitch.screenPixels = RoundHalfUp(zoom * f * nice.value / r);
    return pitch;
}

}  // namespace tessmet
