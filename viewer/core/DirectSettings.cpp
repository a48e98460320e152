#include "viewer/core/DirectSettings.h"

#include "platform/ProfileBatch.h"

#include <charconv>

namespace lumora {
namespace {

CameraProperties ReadCameraSection(const std::string& applicationFolder, const char* section) {
    const platform::ProfileReader ini(ViewerIniPath(applicationFolder), kViewerStringBuffer);
    CameraProperties values;
    for (CameraProperty p : kAllCameraProperties)
        values[p] = ini.integer(section, std::string(CameraPropertyKey(p)).c_str(),
                                kCameraPropertyDefaults[static_cast<size_t>(p)]);
    return values;
}

// "%f": six decimals, always with a point whatever the process locale says.
std::string SixDecimals(double value) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string("0.000000");
}

}  // namespace

FormState ReadFormState(const std::string& applicationFolder) {
    const platform::ProfileReader ini(ViewerIniPath(applicationFolder), kViewerStringBuffer);
    const FormState d;
    FormState s;
    s.captureSize = ini.integer("CAPTURE", "SIZE", d.captureSize);
    s.captureType = ini.integer("CAPTURE", "TYPE", d.captureType);
    s.modeScale = ini.integer("MODE", "SCALE", d.modeScale);
    s.modeMagBar = ini.integer("MODE", "MAG_BAR", d.modeMagBar);
    s.modeMagData = ini.integer("MODE", "MAG_DATA", d.modeMagData);
    s.modeGridLine = ini.integer("MODE", "GRID_LINE", d.modeGridLine);
    s.modeCenterLine = ini.integer("MODE", "CENTER_LINE", d.modeCenterLine);
    s.fillColor = ini.integer("DRAWING_OPTIONS", "FILL_COLOR", d.fillColor);
    s.lineColor = ini.integer("DRAWING_OPTIONS", "LINE_COLOR", d.lineColor);
    s.textColor = ini.integer("DRAWING_OPTIONS", "TEXT_COLOR", d.textColor);
    return s;
}

bool WriteFormState(const std::string& applicationFolder, const FormState& s) {
    platform::ProfileBatch ini(ViewerIniPath(applicationFolder));
    ini.set("CAPTURE", "SIZE", s.captureSize);
    ini.set("CAPTURE", "TYPE", s.captureType);
    ini.set("MODE", "SCALE", s.modeScale);
    ini.set("MODE", "MAG_BAR", s.modeMagBar);
    ini.set("MODE", "MAG_DATA", s.modeMagData);
    ini.set("MODE", "GRID_LINE", s.modeGridLine);
    ini.set("MODE", "CENTER_LINE", s.modeCenterLine);
    ini.set("DRAWING_OPTIONS", "FILL_COLOR", s.fillColor);
    ini.set("DRAWING_OPTIONS", "LINE_COLOR", s.lineColor);
    ini.set("DRAWING_OPTIONS", "TEXT_COLOR", s.textColor);
    return ini.commit();
}

std::string ReadCameraDevice(const std::string& applicationFolder) {
    return platform::ProfileReader(ViewerIniPath(applicationFolder), kViewerStringBuffer).text("CAMERA", "DEVICE", "");
}

CameraProperties ReadCameraProperties(const std::string& applicationFolder) {
    return ReadCameraSection(applicationFolder, "CAMERA_PROP");
}

CameraProperties ReadCameraDefaults(const std::string& applicationFolder) {
    return ReadCameraSection(applicationFolder, "CAMERA_DEFAULT");
}

bool WriteCameraProperties(const std::string& applicationFolder, const CameraProperties& values) {
    platform::ProfileBatch ini(ViewerIniPath(applicationFolder));
    for (CameraProperty p : kAllCameraProperties)
        ini.set("CAMERA_PROP", std::string(CameraPropertyKey(p)).c_str(), values[p]);
    return ini.commit();
}

std::string ReadMakerUrl(const std::string& applicationFolder) {
    return platform::ProfileReader(ViewerIniPath(applicationFolder), kViewerStringBuffer).text("TALVANE", "URL", kDefaultMakerUrl);
}

bool WriteCalibration(const ViewerSettings& s) {
    const auto attempt = [&s] {
        platform::ProfileBatch ini(ViewerIniPath(s.applicationFolder));
        ini.set("CALIBRATION", "IS_MM", s.calibrationUnit);
        ini.set("CALIBRATION", "USE_CALIBRATION", s.calibrationApplied);
        ini.set("CALIBRATION", "ONE_PIXEL_SIZE", SixDecimals(s.onePixelSize));
        ini.set("CALIBRATION", "PIXEL_COUNT", SixDecimals(s.pixelCount));
        ini.set("CALIBRATION", "CALIBRATION_VALUE", SixDecimals(s.calibrationValue));
        return ini.commit();
    };
    return attempt() || attempt();
}

}  // namespace lumora
