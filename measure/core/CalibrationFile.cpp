#include "measure/core/CalibrationFile.h"

#include "platform/FileProbe.h"
#include "platform/ProfileFile.h"

#include <cmath>
#include <string>

namespace tessmet {

std::string CalibrationFileName(const std::string& imagePath) {
    // Only a dot in the file name counts: a dot in a folder name must not move the side file
    // into another folder.
    const size_t slash = imagePath.rfind('/');
    const size_t dot = imagePath.rfind('.');
    std::string stem = imagePath;
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) stem.erase(dot, 1);
    return stem + ".inf";
}

CalibrationFileData ReadCalibrationFile(const std::string& path) {
    CalibrationFileData data;
    const platform::ProfileFile file = platform::ProfileFile::Load(path);
    const auto readInt = [&](const char* key, int fallback) {
        const auto value = file.value("DATA", key);
        return value ? platform::ParseProfileInt(*value, fallback) : fallback;
    };
    data.unit = readInt("UnitType", 0);
    data.hResolution = readInt("HResolution", 1000000) * 0.000001;
    data.vResolution = readInt("VResolution", 1000000) * 0.000001;
    if (!file.readable()) {
        data.result = -1;
    } else {
        data.result = (data.unit != 0 || data.hResolution != 0.0 || data.vResolution != 0.0) ? 0 : 1;
    }
    return data;
}

int StoredResolution(double millimetresPerPixel) {
    const double scaled = millimetresPerPixel * 1000000.0;
    if (!std::isfinite(scaled)) return 0;
    // A value read from the file is integer * 0.000001, which is often a hair below the
    // decimal it stands for (4440 reads as 0.0044399999999999995). Plain truncation would
    // write it back one lower on every save; the tolerance, a millionth of a nanometre per
    // pixel, keeps read-then-write stable and still truncates 0.0044449 to 4444.
    const double nudged = scaled + (scaled >= 0 ? 1e-6 : -1e-6);
    if (nudged >= 2147483647.0) return 2147483647;
    if (nudged <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(nudged);
}

bool WriteCalibrationFile(const std::string& path, UnitType unit, double hResolution, double vResolution) {
    platform::ProfileFile file = platform::ProfileFile::Load(path);
    file.setValue("DATA", "UnitType", std::to_string(unit));
    file.setValue("DATA", "HResolution", std::to_string(StoredResolution(hResolution)));
    file.setValue("DATA", "VResolution", std::to_string(StoredResolution(vResolution)));
    return file.save(path);
}

}  // namespace tessmet
