#include "measure/core/UnitFormat.h"

#include "measure/core/NumberText.h"
#include "measure/res/StringTable.h"

#include <cmath>

namespace tessmet {

std::string UnitSuffix(UnitType unit, int kind) {
    static const char* const kSuffixes[4][4] = {
        // length, per pixel, per pitch, area
        {"[pixel]", "", "[pixel/pitch]", "[pixel*pixel]"},
        {"[mm]", "[mm/pixel]", "[mm/pitch]", "[mm*mm]"},
        {"[um]", "[um/pixel]", "[um/pitch]", "[um*um]"},
        {"[inch]", "[inch/pixel]", "[inch/pitch]", "[inch*inch]"},
    };
    if (kind < 0 || kind > 3) return {};
    const int row = (unit >= 0 && unit <= 3) ? unit : 3;
    return kSuffixes[row][kind];
}

double FactorFromMillimetres(UnitType unit) {
    switch (unit) {
        case Unit::Pixel: return 1.0;
        case Unit::Millimetre: return 1.0;
        case Unit::Micrometre: return 1000.0;
        default: return 0.03937007874015748;
    }
}

ValueText FormatLength(const CalibrationValues& c, int dx, int dy, bool withUnit) {
    double x = dx;
    double y = dy;
    if (c.unit != Unit::Pixel) {
        const double k = FactorFromMillimetres(c.unit);
        x = dx * c.hResolution * k;
        y = dy * c.vResolution * k;
    }
    ValueText result;
    result.value = std::sqrt(x * x + y * y);
    result.text = FixedText(result.value, c.unit == Unit::Pixel ? 2 : 4);
    if (withUnit) result.text += UnitSuffix(c.unit, SuffixKind::Length);
    return result;
}

ValueText FormatArea(const CalibrationValues& c, long long count, bool withUnit) {
    ValueText result;
    if (c.unit == Unit::Pixel) {
        result.value = static_cast<double>(count);
    } else {
        const double k = FactorFromMillimetres(c.unit);
        result.value = static_cast<double>(count) * (c.hResolution * k) * (c.vResolution * k);
    }
    result.text = FixedText(result.value, c.unit == Unit::Pixel ? 2 : 4);
    if (withUnit) result.text += UnitSuffix(c.unit, SuffixKind::Area);
    return result;
}

ValueText FormatSignificant(double value, int digits) {
    ValueText result;
    if (value == 0.0 || !std::isfinite(value) || digits <= 0) {
        // Infinite and NaN values have no digits to show; they read as "not set".
        return result;
    }
    const double sign = value < 0 ? -1.0 : 1.0;
    double v = std::fabs(value);
    double d;
    // A negative value keeps its sign in the text too; a resolution shown without its minus
    // would misstate what was entered.
    std::string text = value < 0 ? "-" : "";
    if (v < 1.0) {
        d = 0.1;
        int n = 0;
        while (v <= d) {
            d *= 0.1;
            ++n;
        }
        // At an exact power of ten (0.1, 0.001) the search overshoots by one decade and the
        // first digit would come out as 10; step back up instead of printing a non-digit.
        if (n > 0 && static_cast<int>(v / d + 1.0 / std::pow(10.0, digits + 1)) >= 10) {
            d *= 10.0;
            --n;
        }
        text += "0.";
        text.append(static_cast<size_t>(n), '0');
    } else {
        d = 10.0;
        while (v >= d) d *= 10.0;
        d *= 0.1;
    }
    const double eps = 1.0 / std::pow(10.0, digits + 1);
    double sum = 0.0;
    for (int i = 0; i < digits; ++i) {
        int digit = static_cast<int>(v / d + eps);
        if (digit < 0) digit = 0;
        if (digit > 9) digit = 9;
        text += static_cast<char>('0' + digit);
        if (d * 0.1 == 0.1) text += '.';
        sum += digit * d;
        v -= digit * d;
        d *= 0.1;
    }
    result.value = sign * sum;
    result.text = text;
    return result;
}

std::string ResolutionText(const CalibrationValues& c) {
    if (c.unit == Unit::Pixel) return {};
    const double f = c.unit == Unit::Millimetre ? 1.0 : c.unit == Unit::Micrometre ? 0.001 : 25.4;
    const ValueText h = FormatSignificant(c.hResolution / f, 3);
    const ValueText v = FormatSignificant(c.vResolution / f, 3);
    if (h.text.empty() && v.text.empty()) return LoadString(StringId::ResolutionNotSetup);
    return LoadString(StringId::Resolution) + "  " + LoadString(StringId::Horz) + ": " + h.text + "  " +
           LoadString(StringId::Vert) + ": " + v.text + " " + UnitSuffix(c.unit, SuffixKind::PerPixel);
}

}  // namespace tessmet
