#pragma once

#include "measure/core/Calibration.h"

namespace tessmet {

// Where an image's calibration came from when it was opened.
enum class CalibrationSource { Inf, Mag, None };

// Fills a document's calibration when its image has been loaded: image size, side-file paths,
// then the calibration file; only when there is none, the magnification sidecar (which
// switches the unit to millimetres). Without either the image stays in pixels at 1.0.
CalibrationSource InitialiseCalibration(Calibration& calibration, const std::string& imagePath,
                                        int imageWidth, int imageHeight);

}  // namespace tessmet
