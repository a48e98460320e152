#pragma once

#include <cstdint>
#include <string>

namespace tessmet {

// The display unit of an image. Stored as a plain 32-bit integer because files may hold any
// value: values other than 0..3 show lengths as inch and scale pitches as pixel.
using UnitType = int32_t;
namespace Unit {
constexpr UnitType Pixel = 0;
constexpr UnitType Millimetre = 1;
constexpr UnitType Micrometre = 2;
constexpr UnitType Inch = 3;
}  // namespace Unit

// Unit and resolutions as the formatting and the geometry see them. Resolutions are always
// millimetres per pixel, whatever the unit; 0 means "not set".
struct CalibrationValues {
    UnitType unit = Unit::Pixel;
    double hResolution = 0.0;
    double vResolution = 0.0;
};

// One per document: what the image's side files said, plus the image size and side-file paths.
struct Calibration {
    UnitType unit = Unit::Pixel;
    double hResolution = 0.0;
    double vResolution = 0.0;
    int32_t imageWidth = 0;
    int32_t imageHeight = 0;
    std::string infPath;
    std::string magPath;

    CalibrationValues values() const { return {unit, hResolution, vResolution}; }
};

// One per program run, never saved: while active it overrides every document's unit and
// resolutions ("apply this calibration to all images").
struct SharedCalibration {
    bool active = false;
    UnitType unit = Unit::Pixel;
    double hResolution = 0.0;
    double vResolution = 0.0;
    std::string fileName;  // the calibration file it came from, without folder
};

// The calibration every length, area and construction of a document uses.
inline CalibrationValues EffectiveCalibration(const Calibration& document, const SharedCalibration& shared) {
    if (shared.active) return {shared.unit, shared.hResolution, shared.vResolution};
    return document.values();
}

// Factor that makes an x step as long as a y step: 1 for pixel, h / v when both are set,
// otherwise 0, which makes every geometric construction report "no result".
inline double AspectRatio(const CalibrationValues& c) {
    if (c.unit == Unit::Pixel) return 1.0;
    if (c.hResolution != 0.0 && c.vResolution != 0.0) return c.hResolution / c.vResolution;
    return 0.0;
}

}  // namespace tessmet
