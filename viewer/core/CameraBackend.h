#pragma once

#include "viewer/core/CameraProperties.h"
#include "viewer/core/CaptureFrame.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumora {

struct FrameSize {
    int width = 0;
    int height = 0;
    bool operator==(const FrameSize&) const = default;
};

// One adjustable setting of a camera as the controls dialog shows it.
struct CameraControl {
    enum class Kind { Integer, Boolean, Menu };
    uint32_t id = 0;
    std::string name;
    Kind kind = Kind::Integer;
    int minimum = 0;
    int maximum = 0;
    int step = 1;
    int defaultValue = 0;
    int value = 0;
};

// How starting a stream ended.
enum class StartResult {
    Started,
    // The capture machinery could not be set up (no frame buffers, no 24-bit conversion, no
    // way to stop the streaming thread): there is no video interface to stream through.
    SetupFailed,
    // Everything is set up, but the camera refuses to start streaming (or is gone).
    StreamRefused,
};

// Called on the streaming thread with each delivered frame.
using FrameSink = std::function<void(FramePtr)>;
// Called once on the streaming thread when the camera goes away (unplugged).
using DeviceLostHandler = std::function<void()>;

// One opened camera. Everything except the sink runs on the caller's thread; the sink and the
// lost handler run on the camera's own streaming thread, which Stop joins.
class CameraBackend {
public:
    virtual ~CameraBackend() = default;

    virtual std::string Name() const = 0;

    // Asks for width x height frames while the stream is stopped. True when the camera now
    // delivers exactly that size; otherwise the format keeps what the camera chose.
    virtual bool SetFormat(FrameSize size) = 0;
    virtual FrameSize Format() const = 0;

    // Starts delivering frames to `sink` (Started also when it streams already).
    virtual StartResult Start(FrameSink sink, DeviceLostHandler lost) = 0;
    // Stops the stream; no sink call is running or will run once it returns.
    virtual void Stop() = 0;
    virtual bool IsStreaming() const = 0;
    // Whether the last format change or start failed because another program holds the
    // camera; trying again later may succeed.
    virtual bool Busy() const { return false; }

    // The camera's value of one of the eight processing properties, nullopt when it has no
    // such control.
    virtual std::optional<int> GetProperty(CameraProperty property) = 0;
    // False when the camera has no such control or refuses the value.
    virtual bool SetProperty(CameraProperty property, int value) = 0;

    // The camera's absolute zoom, nullopt when it has none.
    virtual std::optional<int> Zoom() = 0;
    virtual bool SetZoom(int value) = 0;

    // Every control the camera offers, for the controls dialog.
    virtual std::vector<CameraControl> Controls() = 0;
    virtual bool SetControl(uint32_t id, int value) = 0;
};

// The cameras the machine offers.
class CameraSystem {
public:
    virtual ~CameraSystem() = default;

    // Friendly names of the cameras, in the order they are searched.
    virtual std::vector<std::string> DeviceNames() = 0;

    // The camera for a configured name: the first whose friendly name matches without regard
    // to case, or the first camera when the name is empty. nullptr when there is none or it
    // cannot be opened.
    virtual std::unique_ptr<CameraBackend> OpenByName(const std::string& name) = 0;
};

// Index of the device a name selects among friendly names, or -1: an empty name takes the
// first device, otherwise the first name equal without regard to case.
int FindDevice(const std::vector<std::string>& friendlyNames, const std::string& wanted);

}  // namespace lumora
