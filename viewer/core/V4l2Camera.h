#pragma once

#include "viewer/core/CameraBackend.h"

namespace lumora {

// The cameras of the video4linux devices /dev/video*, in device-number order, named by the
// driver's card name. Frames are converted to 24-bit colour by libv4l2 whatever the camera
// sends natively.
class V4l2CameraSystem : public CameraSystem {
public:
    std::vector<std::string> DeviceNames() override;
    std::unique_ptr<CameraBackend> OpenByName(const std::string& name) override;
};

}  // namespace lumora
