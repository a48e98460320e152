#include "measure/core/MagnificationFile.h"

#include "measure/core/CalibrationFile.h"
#include "platform/FileProbe.h"
#include "platform/ProfileFile.h"

namespace tessmet {

std::string MagnificationFileName(const std::string& imagePath) {
    std::string primary = CalibrationFileName(imagePath);
    primary.replace(primary.size() - 4, 4, ".mag");
    if (platform::IsReadableFile(primary)) return primary;

    const size_t slash = imagePath.rfind('/');
    const size_t dot = imagePath.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        const std::string fallback = imagePath.substr(0, dot) + ".mag";
        if (platform::IsReadableFile(fallback)) return fallback;
    }
    return primary;
}

MagnificationFileData ReadMagnificationFile(const std::string& path) {
    MagnificationFileData data;
    const platform::ProfileFile file = platform::ProfileFile::Load(path);
    if (!file.readable()) return data;
    const auto readScaled = [&](const char* section, const char* key) {
        const auto value = file.value(section, key);
        return (value ? platform::ParseProfileInt(*value, 0) : 0) * 0.01;
    };
    data.optical = readScaled("MAG", "Optical");
    data.corrective = readScaled("MAG", "Corrective");
    data.sensorWidth = readScaled("SENSOR", "Width");
    data.sensorHeight = readScaled("SENSOR", "Height");
    const bool anySet = data.optical != 0.0 || data.corrective != 0.0 || data.sensorWidth != 0.0 ||
                        data.sensorHeight != 0.0;
    data.result = anySet ? 0 : 1;
    return data;
}

ResolutionResult ResolutionFromMagnification(const std::string& magPath, int imageWidth, int imageHeight) {
    ResolutionResult out;
    const MagnificationFileData mag = ReadMagnificationFile(magPath);
    out.result = mag.result;
    if (mag.result < 0) return out;
    if (imageWidth == 0 || imageHeight == 0) {
        out.result = mag.result - 10;
        return out;
    }
    const double m = mag.optical * mag.corrective;
    if (m != 0.0) {
        out.hResolution = mag.sensorWidth / m / imageWidth;
        out.vResolution = mag.sensorHeight / m / imageHeight;
    }
    return out;
}

ResolutionResult ResolutionFromMagnification(const Calibration& calibration) {
    return ResolutionFromMagnification(calibration.magPath, calibration.imageWidth, calibration.imageHeight);
}

int MagnificationFileExists(const Calibration& calibration) {
    return platform::IsReadableFile(calibration.magPath) ? 0 : -1;
}

}  // namespace tessmet
