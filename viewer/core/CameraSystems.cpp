#include "viewer/core/CameraSystems.h"

#include "viewer/core/SimulatedCamera.h"

#if LUMORA_HAVE_V4L2
#include "viewer/core/V4l2Camera.h"
#endif

#include <algorithm>
#include <cctype>

namespace lumora {
namespace {

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

#if !LUMORA_HAVE_V4L2
class NoCameras : public CameraSystem {
public:
    std::vector<std::string> DeviceNames() override { return {}; }
    std::unique_ptr<CameraBackend> OpenByName(const std::string&) override { return nullptr; }
};
#endif

class HardwareWithSimulation : public CameraSystem {
public:
    HardwareWithSimulation()
        : hardware_(MakeHardwareCameraSystem()),
          simulated_(std::make_shared<SimulatedCameraSystem>(SimulatedCameraSystem::Options{false, 25})) {}

    std::vector<std::string> DeviceNames() override { return hardware_->DeviceNames(); }

    std::unique_ptr<CameraBackend> OpenByName(const std::string& name) override {
        if (!name.empty() && SameNameIgnoringCase(name, kSimulatedCameraName)) return simulated_->OpenByName(name);
        return hardware_->OpenByName(name);
    }

private:
    std::shared_ptr<CameraSystem> hardware_;
    std::shared_ptr<SimulatedCameraSystem> simulated_;
};

}  // namespace

int FindDevice(const std::vector<std::string>& friendlyNames, const std::string& wanted) {
    if (friendlyNames.empty()) return -1;
    if (wanted.empty()) return 0;
    for (size_t i = 0; i < friendlyNames.size(); ++i)
        if (SameNameIgnoringCase(friendlyNames[i], wanted)) return static_cast<int>(i);
    return -1;
}

std::shared_ptr<CameraSystem> MakeHardwareCameraSystem() {
#if LUMORA_HAVE_V4L2
    return std::make_shared<V4l2CameraSystem>();
#else
    return std::make_shared<NoCameras>();
#endif
}

std::shared_ptr<CameraSystem> MakeCameraSystem(bool simulate) {
    if (simulate) return std::make_shared<SimulatedCameraSystem>();
    return std::make_shared<HardwareWithSimulation>();
}

}  // namespace lumora
