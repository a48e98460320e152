#pragma once

#include "viewer/core/VideoDeviceIo.h"

#include <linux/videodev2.h>

#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// A video4linux device answered from a script instead of a driver: capabilities, formats and
// frame sizes, frame intervals, controls and mapped buffers, with faults injected at chosen
// calls. It keeps the driver's rules that matter to a well-behaved client (no new buffers while
// streaming or mapped, no format change while another handle owns the buffers, ENODEV on
// every call once unplugged) and counts what the client did.
struct ScriptedControl {
    uint32_t id = 0;
    std::string name;
    uint32_t type = V4L2_CTRL_TYPE_INTEGER;
    int minimum = 0;
    int maximum = 255;
    int step = 1;
    int defaultValue = 0;
    int value = 0;
    uint32_t flags = 0;
};

// One failing call: the call (an ioctl request, or one of the kinds below) fails with `error`
// after `skip` matching calls succeeded, `times` times in a row (-1: for ever).
struct ScriptedFault {
    static constexpr unsigned long kOpen = 1;
    static constexpr unsigned long kMap = 2;
    static constexpr unsigned long kPoll = 3;  // the device polls POLLERR
    unsigned long call = 0;
    int error = EIO;
    int skip = 0;
    int times = 1;
};

// How one dequeued frame comes out. Frames past the script are plain ones.
struct ScriptedFrame {
    uint32_t flags = 0;                    // e.g. V4L2_BUF_FLAG_ERROR
    std::optional<uint32_t> bytesUsed;     // otherwise the whole image
    int dequeueError = 0;                  // DQBUF fails with this; the buffer stays queued
    std::vector<uint8_t> fill;             // repeated over the image; otherwise FramePattern
};

struct DeviceScript {
    std::string path = "/dev/video0";
    std::string card = "Scripted Camera";
    uint32_t capabilities = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
    // What the camera sends by itself. With the conversion layer on, 24-bit colour is offered
    // in addition at every native size.
    std::vector<uint32_t> nativeFormats = {V4L2_PIX_FMT_MJPEG};
    bool converts = true;
    std::vector<std::pair<uint32_t, uint32_t>> sizes = {{640, 480}, {800, 600}, {1280, 960}, {1600, 1200}};
    uint32_t paddingPerLine = 0;
    // Frame intervals at every size; empty: the device lists none.
    std::vector<v4l2_fract> intervals = {{1, 15}, {1, 30}, {1, 5}};
    bool timePerFrame = true;  // S_PARM supported
    uint32_t bufferCount = 4;  // what REQBUFS grants (0: whatever was asked)
    std::vector<ScriptedControl> controls;
    std::vector<ScriptedFault> faults;
    std::vector<ScriptedFrame> frames;  // the first frames of every stream
    bool endless = true;                // plain frames follow the script; false: nothing more
    int framePeriodMs = 2;              // at most one frame per period
};

// The byte a plain frame holds at column x (byte offset in the row) of row y, top-down.
inline uint8_t FramePattern(uint32_t x, uint32_t y) { return static_cast<uint8_t>(x * 7 + y * 13); }

class ScriptedVideoDevice : public lumora::VideoDeviceIo {
public:
    explicit ScriptedVideoDevice(std::vector<DeviceScript> devices);
    ~ScriptedVideoDevice() override;

    std::vector<std::string> DeviceNodes() override;
    int Open(const std::string& path) override;
    int Close(int fd) override;
    int Ioctl(int fd, unsigned long request, void* arg) override;
    void* Map(int fd, size_t length, int64_t offset) override;
    int Unmap(void* start, size_t length) override;
    int OpenEvent() override;
    int SignalEvent(int fd) override;
    int DrainEvent(int fd) override;
    int CloseEvent(int fd) override;
    int Poll(pollfd* fds, size_t count, int timeoutMs) override;

    // The cable: an unplugged device fails every call with ENODEV, polls POLLERR and is not
    // listed; plugged in again it is a fresh device (handles from before stay dead).
    void Unplug(const std::string& path);
    void Replug(const std::string& path);
    // Another program owns the device's buffers: S_FMT and REQBUFS fail with EBUSY.
    void HoldElsewhere(const std::string& path, bool held);
    void AddFault(const std::string& path, ScriptedFault fault);

    // What the client did.
    int Calls(unsigned long request) const;
    int FailedCalls(unsigned long request, int error) const;
    int OpenHandles() const;
    int OpenEvents() const;
    size_t Mappings() const;
    bool Streaming(const std::string& path) const;
    uint64_t FramesDequeued() const;
    // The last values a request was given (zero-initialised when never).
    v4l2_format LastFormatAsked() const;
    v4l2_streamparm LastParmSet() const;
    std::optional<int> LastControlSet(uint32_t id) const;
    int ControlValue(const std::string& path, uint32_t id) const;
    // Waits until a stream started since the last wait idles (polled with no frame to come:
    // script done or no buffer queued) or has reported the device gone.
    void WaitForStreamEnd();

    struct Device;
    struct Handle;

private:
    int fail(unsigned long request, int error);
    bool injected(Device& device, unsigned long call);
    Device* deviceOf(int fd);
    void resetQueue(Device& device);
    bool frameReady(const Device& device) const;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::unique_ptr<Device>> devices_;
    std::map<int, Handle> handles_;
    std::map<int, uint64_t> events_;
    struct Mapping {
        Device* device;
        uint32_t index;
        size_t length;
    };
    std::map<void*, Mapping> mappings_;
    std::map<unsigned long, int> calls_;
    std::map<std::pair<unsigned long, int>, int> failures_;
    std::map<uint32_t, int> controlsSet_;
    v4l2_format lastFormat_{};
    v4l2_streamparm lastParm_{};
    uint64_t framesDequeued_ = 0;
    int nextFd_ = 100;
    int lastInjected_ = 0;
    bool idle_ = false;
    bool gone_ = false;
};

}  // namespace testsupport
