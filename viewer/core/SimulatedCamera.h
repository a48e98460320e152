#pragma once

#include "viewer/core/CameraBackend.h"

#include <memory>
#include <string>
#include <vector>

namespace lumora {

inline constexpr const char* kSimulatedCameraName = "Simulated Camera";

// A camera without hardware for the demonstration and the tests: it streams the synthetic
// specimen at any size it is asked for (about 25 frames a second), keeps the eight processing
// values and a zoom (100 at start) and applies them to the picture. The system object stands
// for the USB port: the tests unplug and replug the camera through it, make it refuse sizes,
// or slip frames of other sizes into the stream.
class SimulatedCameraSystem : public CameraSystem {
public:
    struct Options {
        // true: the simulated camera answers every configured name (--simulate-camera).
        // false: it answers only its own name, compared without regard to case, or the empty
        // name.
        bool answersAnyName = true;
        int framesPerSecond = 25;
    };

    SimulatedCameraSystem();
    explicit SimulatedCameraSystem(Options options);
    ~SimulatedCameraSystem() override;

    std::vector<std::string> DeviceNames() override;
    std::unique_ptr<CameraBackend> OpenByName(const std::string& name) override;

    // Pulling the cable: the stream of an open camera ends (its lost handler runs) and the
    // camera is not listed until it is plugged in again, with its factory values.
    void Unplug();
    void Replug();
    bool IsPlugged() const;

    // Sizes the camera will not switch to.
    void RefuseSizes(std::vector<FrameSize> sizes);
    // Every start of a stream ends with `failure` from now on (Started: streams start again).
    void FailStarts(StartResult failure);
    // The next `count` frames of the stream come at `size` whatever the format.
    void InjectFrames(FrameSize size, int count);
    // How often a format change was made (a size equal to the current one is no change).
    int FormatChanges() const;
    // Frames produced since the system was made, over all opened cameras.
    uint64_t FramesProduced() const;

    struct State;

private:
    Options options_;
    std::shared_ptr<State> state_;
};

}  // namespace lumora
