#pragma once

#include "viewer/core/CameraProperties.h"
#include "viewer/core/ViewerSettings.h"

#include <cstdint>
#include <string>

namespace lumora {

// The lumora.ini keys that are not part of ViewerSettings. Each is read or written at its own
// moment by the part of the program that owns it, always through the path built from the
// application folder.

// What the main form reads when it starts and writes when it is destroyed.
struct FormState {
    int32_t captureSize = 0;  // CAPTURE/SIZE: 0 640x480, 1 800x600, 2 1280x960, 3 1600x1200
    int32_t captureType = 0;  // CAPTURE/TYPE: 0 bmp, 1 jpg
    int32_t modeScale = 1;
    int32_t modeMagBar = 1;
    int32_t modeMagData = 1;
    int32_t modeGridLine = 0;
    int32_t modeCenterLine = 0;
    int32_t fillColor = 0;  // -16777216 means no fill
    int32_t lineColor = 0;
    int32_t textColor = 0;

    bool operator==(const FormState&) const = default;
};

// The annotation fill colour that means "no fill".
inline constexpr int32_t kNoFillColor = -16777216;

FormState ReadFormState(const std::string& applicationFolder);
// CAPTURE/SIZE, CAPTURE/TYPE, the five MODE keys, then DRAWING_OPTIONS FILL_COLOR, LINE_COLOR,
// TEXT_COLOR, in that order.
bool WriteFormState(const std::string& applicationFolder, const FormState& state);

// CAMERA/DEVICE, the friendly name of the camera to open; empty means the first camera. Read
// at form start and at every reconnection attempt; never written by the program.
std::string ReadCameraDevice(const std::string& applicationFolder);

// CAMERA_PROP with the factory values as defaults.
CameraProperties ReadCameraProperties(const std::string& applicationFolder);
// CAMERA_DEFAULT, the factory values the setting dialog's "Default" copies into CAMERA_PROP.
CameraProperties ReadCameraDefaults(const std::string& applicationFolder);
// The eight CAMERA_PROP keys as decimal, in their order.
bool WriteCameraProperties(const std::string& applicationFolder, const CameraProperties& values);

// TALVANE/URL, the page the logo opens.
inline constexpr const char* kDefaultMakerUrl = "https://www.talvane.example/";
std::string ReadMakerUrl(const std::string& applicationFolder);

// The calibration dialog's store: IS_MM and USE_CALIBRATION as decimal, then ONE_PIXEL_SIZE,
// PIXEL_COUNT and CALIBRATION_VALUE with six decimals. A failed write is tried once more.
bool WriteCalibration(const ViewerSettings& settings);

}  // namespace lumora
