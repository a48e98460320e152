#include "viewer/core/SimulatedCamera.h"

#include "viewer/core/FramePool.h"
#include "viewer/core/SlideRenderer.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace lumora {

namespace {

// Control ids of the simulated camera: the eight properties in their order, then the zoom.
constexpr uint32_t kFirstPropertyId = 1;
constexpr uint32_t kZoomId = kFirstPropertyId + kCameraPropertyCount;

struct Range {
    int minimum, maximum, step;
};

constexpr Range kPropertyRanges[kCameraPropertyCount] = {
    {-64, 64, 1},     // brightness
    {0, 100, 1},      // contrast
    {-180, 180, 1},   // hue
    {0, 128, 1},      // saturation
    {0, 7, 1},        // sharpness
    {50, 300, 1},     // gamma
    {2800, 12000, 10},  // white balance temperature
    {0, 2, 1},        // backlight compensation
};
constexpr Range kZoomRange{100, 500, 10};

constexpr const char* kPropertyTitles[kCameraPropertyCount] = {
    "Brightness", "Contrast", "Hue", "Saturation", "Sharpness", "Gamma",
    "White Balance Temperature", "Backlight Compensation"};

}  // namespace

struct SimulatedCameraSystem::State {
    mutable std::mutex mutex;
    std::condition_variable changed;  // plugging, stopping
    bool plugged = true;
    CameraProperties properties;
    int zoom = 100;
    std::vector<FrameSize> refused;
    StartResult startFailure = StartResult::Started;
    std::deque<FrameSize> injected;
    int formatChanges = 0;
    uint64_t framesProduced = 0;
};

namespace {

class SimulatedCamera : public CameraBackend {
public:
    SimulatedCamera(std::shared_ptr<SimulatedCameraSystem::State> state, int framesPerSecond)
        : state_(std::move(state)), interval_(std::chrono::milliseconds(1000 / std::max(1, framesPerSecond))) {}
    ~SimulatedCamera() override { Stop(); }

    std::string Name() const override { return kSimulatedCameraName; }

    bool SetFormat(FrameSize size) override {
        std::lock_guard lock(state_->mutex);
        if (!state_->plugged || size.width <= 0 || size.height <= 0) return false;
        if (std::find(state_->refused.begin(), state_->refused.end(), size) != state_->refused.end())
            return false;
        if (!(format_ == size)) {
            format_ = size;
            ++state_->formatChanges;
        }
        return true;
    }

    FrameSize Format() const override {
        std::lock_guard lock(state_->mutex);
        return format_;
    }

    StartResult Start(FrameSink sink, DeviceLostHandler lost) override {
        if (IsStreaming()) return StartResult::Started;
        if (thread_.joinable()) thread_.join();  // a stream that ended when the camera went away
        {
            std::lock_guard lock(state_->mutex);
            if (!state_->plugged) return StartResult::StreamRefused;
            if (state_->startFailure != StartResult::Started) return state_->startFailure;
            stopRequested_ = false;
            ended_ = false;
        }
        thread_ = std::thread([this, sink = std::move(sink), lost = std::move(lost)] { stream(sink, lost); });
        return StartResult::Started;
    }

    void Stop() override {
        if (!thread_.joinable()) return;
        {
            std::lock_guard lock(state_->mutex);
            stopRequested_ = true;
        }
        state_->changed.notify_all();
        thread_.join();
    }

    bool IsStreaming() const override {
        std::lock_guard lock(state_->mutex);
        return thread_.joinable() && !ended_;
    }

    std::optional<int> GetProperty(CameraProperty property) override {
        std::lock_guard lock(state_->mutex);
        if (!state_->plugged) return std::nullopt;
        return state_->properties[property];
    }

    bool SetProperty(CameraProperty property, int value) override {
        const Range r = kPropertyRanges[static_cast<size_t>(property)];
        std::lock_guard lock(state_->mutex);
        if (!state_->plugged) return false;
        state_->properties[property] = std::clamp(value, r.minimum, r.maximum);
        return true;
    }

    std::optional<int> Zoom() override {
        std::lock_guard lock(state_->mutex);
        if (!state_->plugged) return std::nullopt;
        return state_->zoom;
    }

    bool SetZoom(int value) override {
        std::lock_guard lock(state_->mutex);
        if (!state_->plugged) return false;
        state_->zoom = std::clamp(value, kZoomRange.minimum, kZoomRange.maximum);
        return true;
    }

    std::vector<CameraControl> Controls() override {
        std::vector<CameraControl> controls;
        std::lock_guard lock(state_->mutex);
        if (!state_->plugged) return controls;
        for (CameraProperty p : kAllCameraProperties) {
            const size_t i = static_cast<size_t>(p);
            const Range r = kPropertyRanges[i];
            controls.push_back({kFirstPropertyId + static_cast<uint32_t>(i), kPropertyTitles[i],
                                CameraControl::Kind::Integer, r.minimum, r.maximum, r.step,
                                kCameraPropertyDefaults[i], state_->properties[p]});
        }
        controls.push_back({kZoomId, "Zoom, Absolute", CameraControl::Kind::Integer, kZoomRange.minimum,
                            kZoomRange.maximum, kZoomRange.step, 100, state_->zoom});
        return controls;
    }

    bool SetControl(uint32_t id, int value) override {
        if (id == kZoomId) return SetZoom(value);
        if (id < kFirstPropertyId || id >= kZoomId) return false;
        return SetProperty(kAllCameraProperties[id - kFirstPropertyId], value);
    }

private:
    void stream(const FrameSink& sink, const DeviceLostHandler& lost) {
        FramePool pool(6);
        uint64_t sequence = 0;
        bool first = true;
        for (;;) {
            FrameSize size;
            CameraProperties properties;
            int zoom = 100;
            {
                std::unique_lock lock(state_->mutex);
                if (!first)
                    state_->changed.wait_for(lock, interval_, [this] { return stopRequested_ || !state_->plugged; });
                first = false;
                if (stopRequested_) return;
                if (!state_->plugged) {
                    ended_ = true;
                    break;
                }
                size = format_;
                if (!state_->injected.empty()) {
                    size = state_->injected.front();
                    state_->injected.pop_front();
                }
                properties = state_->properties;
                zoom = state_->zoom;
                ++state_->framesProduced;
            }
            // Rendering and delivery happen without the lock: the receiver may ask for the
            // format while it waits for a frame.
            std::shared_ptr<Frame> frame = pool.Acquire(size.width, size.height);
            if (!frame) continue;  // every buffer still held downstream: drop this frame
            frame->sequence = ++sequence;
            RenderSpecimen(*frame, DriftingView(sequence, zoom), properties);
            sink(std::move(frame));
        }
        if (lost) lost();
    }

    std::shared_ptr<SimulatedCameraSystem::State> state_;
    std::chrono::milliseconds interval_;
    FrameSize format_{640, 480};  // guarded by state_->mutex
    bool stopRequested_ = false;  // guarded by state_->mutex
    bool ended_ = false;          // the stream ended by itself; guarded by state_->mutex
    std::thread thread_;
};

}  // namespace

SimulatedCameraSystem::SimulatedCameraSystem() : SimulatedCameraSystem(Options{}) {}

SimulatedCameraSystem::SimulatedCameraSystem(Options options)
    : options_(options), state_(std::make_shared<State>()) {}

SimulatedCameraSystem::~SimulatedCameraSystem() = default;

std::vector<std::string> SimulatedCameraSystem::DeviceNames() {
    if (!IsPlugged()) return {};
    return {kSimulatedCameraName};
}

std::unique_ptr<CameraBackend> SimulatedCameraSystem::OpenByName(const std::string& name) {
    if (!IsPlugged()) return nullptr;
    if (!options_.answersAnyName && FindDevice({kSimulatedCameraName}, name) != 0)
        return nullptr;
    return std::make_unique<SimulatedCamera>(state_, options_.framesPerSecond);
}

void SimulatedCameraSystem::Unplug() {
    {
        std::lock_guard lock(state_->mutex);
        state_->plugged = false;
    }
    state_->changed.notify_all();
}

void SimulatedCameraSystem::Replug() {
    std::lock_guard lock(state_->mutex);
    state_->plugged = true;
    // A camera that lost its power comes back with its factory values, as real ones do.
    state_->properties = CameraProperties{};
}

bool SimulatedCameraSystem::IsPlugged() const {
    std::lock_guard lock(state_->mutex);
    return state_->plugged;
}

void SimulatedCameraSystem::RefuseSizes(std::vector<FrameSize> sizes) {
    std::lock_guard lock(state_->mutex);
    state_->refused = std::move(sizes);
}

void SimulatedCameraSystem::FailStarts(StartResult failure) {
    std::lock_guard lock(state_->mutex);
    state_->startFailure = failure;
}

void SimulatedCameraSystem::InjectFrames(FrameSize size, int count) {
    std::lock_guard lock(state_->mutex);
    for (int i = 0; i < count; ++i) state_->injected.push_back(size);
}

int SimulatedCameraSystem::FormatChanges() const {
    std::lock_guard lock(state_->mutex);
    return state_->formatChanges;
}

uint64_t SimulatedCameraSystem::FramesProduced() const {
    std::lock_guard lock(state_->mutex);
    return state_->framesProduced;
}

}  // namespace lumora
