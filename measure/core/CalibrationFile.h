#pragma once

#include "measure/core/Calibration.h"

#include <string>

namespace tessmet {

// The per-image calibration file: the image path with the dot of its extension removed and
// ".inf" appended (Pic00001.jpg -> Pic00001jpg.inf), a profile file with one section:
//   [DATA] UnitType=<unit>  HResolution=<mm per pixel * 1000000>  VResolution=<...>
std::string CalibrationFileName(const std::string& imagePath);

struct CalibrationFileData {
    // -1: the file cannot be opened for reading (the fields hold the defaults: pixel, 1.0, 1.0);
    //  0: unit or a resolution is non-zero; 1: all three are zero.
    int result = -1;
    UnitType unit = Unit::Pixel;
    double hResolution = 1.0;
    double vResolution = 1.0;
};

CalibrationFileData ReadCalibrationFile(const std::string& path);

// Writes the three keys (in the order UnitType, HResolution, VResolution) into the file,
// keeping whatever else it holds. Returns false when the file cannot be written.
bool WriteCalibrationFile(const std::string& path, UnitType unit, double hResolution, double vResolution);

// A resolution as stored: millimetres per pixel * 1000000 with the fraction dropped.
int StoredResolution(double millimetresPerPixel);

}  // namespace tessmet
