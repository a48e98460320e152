#pragma once

#include "viewer/core/CameraBackend.h"
#include "viewer/core/VideoDeviceIo.h"

#include <memory>

namespace lumora {

// The cameras of the video4linux devices /dev/video*, in device-number order, named by the
// driver's card name. Frames are asked for as 24-bit colour; the conversion layer below
// (libv4l2) turns whatever the camera sends natively (MJPEG, YUYV, ...) into it.
class V4l2CameraSystem : public CameraSystem {
public:
    // The devices behind `io`: the real ones by default, a scripted one in the tests.
    explicit V4l2CameraSystem(std::shared_ptr<VideoDeviceIo> io = MakeLibV4l2DeviceIo());

    std::vector<std::string> DeviceNames() override;
    std::unique_ptr<CameraBackend> OpenByName(const std::string& name) override;

private:
    std::shared_ptr<VideoDeviceIo> io_;
};

// The value a control is set to: brought into minimum..maximum and onto the control's step
// counted from the minimum (halves round up), never beyond the maximum.
int FitControlValue(int value, int minimum, int maximum, int step);

}  // namespace lumora
