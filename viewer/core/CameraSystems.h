#pragma once

#include "viewer/core/CameraBackend.h"

#include <memory>

namespace lumora {

// The cameras Lumora and lumora-cli work with.
// simulate = true (--simulate-camera): the simulated camera only, whatever name is configured.
// simulate = false: the video4linux cameras; the name "Simulated Camera" (any letter case)
// opens the simulated one, which is otherwise neither listed nor taken as the first camera.
std::shared_ptr<CameraSystem> MakeCameraSystem(bool simulate);

// The video4linux cameras, or none where the program was built without libv4l2.
std::shared_ptr<CameraSystem> MakeHardwareCameraSystem();

}  // namespace lumora
