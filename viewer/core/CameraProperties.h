#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace lumora {

// The eight video-processing values of a camera, in the order they are read, written, stored
// in lumora.ini and listed by lumora-cli.
enum class CameraProperty : int {
    Brightness = 0,
    Contrast,
    Hue,
    Saturation,
    Sharpness,
    Gamma,
    WhiteBalance,
    BacklightCompensation,
};

inline constexpr size_t kCameraPropertyCount = 8;

inline constexpr std::array<CameraProperty, kCameraPropertyCount> kAllCameraProperties = {
    CameraProperty::Brightness, CameraProperty::Contrast,     CameraProperty::Hue,
    CameraProperty::Saturation, CameraProperty::Sharpness,    CameraProperty::Gamma,
    CameraProperty::WhiteBalance, CameraProperty::BacklightCompensation};

// Key names in the CAMERA_PROP and CAMERA_DEFAULT sections.
inline constexpr std::array<std::string_view, kCameraPropertyCount> kCameraPropertyKeys = {
    "BRIGHTNESS", "CONTRAST", "HUE", "SATURATION",
    "SHARPNESS", "GAMMA", "WHITEBALANCE", "BACKLIGHTCOMPENSATION"};

// Factory values, used when lumora.ini has none.
inline constexpr std::array<int, kCameraPropertyCount> kCameraPropertyDefaults = {
    0, 50, 0, 64, 0, 100, 10000, 0};

struct CameraProperties {
    std::array<int, kCameraPropertyCount> values = kCameraPropertyDefaults;

    int& operator[](CameraProperty p) { return values[static_cast<size_t>(p)]; }
    int operator[](CameraProperty p) const { return values[static_cast<size_t>(p)]; }
    bool operator==(const CameraProperties&) const = default;
};

inline constexpr std::string_view CameraPropertyKey(CameraProperty p) {
    return kCameraPropertyKeys[static_cast<size_t>(p)];
}

}  // namespace lumora
