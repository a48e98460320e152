#include "measure/core/CalibrationLoader.h"

#include "measure/core/CalibrationFile.h"
#include "measure/core/MagnificationFile.h"

namespace tessmet {

CalibrationSource InitialiseCalibration(Calibration& calibration, const std::string& imagePath,
                                        int imageWidth, int imageHeight) {
    calibration.imageWidth = imageWidth;
    calibration.imageHeight = imageHeight;
    calibration.infPath = CalibrationFileName(imagePath);
    calibration.magPath = MagnificationFileName(imagePath);

    const CalibrationFileData inf = ReadCalibrationFile(calibration.infPath);
    calibration.unit = inf.unit;
    calibration.hResolution = inf.hResolution;
    calibration.vResolution = inf.vResolution;
    if (inf.result != -1) return CalibrationSource::Inf;

    const ResolutionResult mag = ResolutionFromMagnification(calibration);
    if (mag.result < 0) {
        // A sidecar that exists but cannot be used (unknown image size) still sets the
        // resolutions it computed, which are zero.
        if (mag.result != -1) {
            calibration.hResolution = mag.hResolution;
            calibration.vResolution = mag.vResolution;
        }
        return CalibrationSource::None;
    }
    calibration.hResolution = mag.hResolution;
    calibration.vResolution = mag.vResolution;
    calibration.unit = Unit::Millimetre;
    return CalibrationSource::Mag;
}

}  // namespace tessmet
