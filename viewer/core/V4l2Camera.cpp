#include "viewer/core/V4l2Camera.h"

#include "viewer/core/FramePool.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>

namespace lumora {
namespace {

// Answers beyond these come from a broken driver; they are refused rather than trusted.
constexpr uint32_t kMaxDimension = 8192;
constexpr uint32_t kMaxBuffers = 16;
constexpr size_t kMaxBufferBytes = size_t{256} << 20;
constexpr int kMaxControls = 1024;
constexpr int kMaxFrameIntervals = 256;
constexpr int kPollMs = 2000;

// Frame interval asked for when the camera does not list its own: 100 units of 100 ns, which a
// driver rounds to the fastest it has.
constexpr v4l2_fract kFastestInterval{100, 10000000};

constexpr uint32_t kPropertyControls[kCameraPropertyCount] = {
    V4L2_CID_BRIGHTNESS, V4L2_CID_CONTRAST,  V4L2_CID_HUE,
    V4L2_CID_SATURATION, V4L2_CID_SHARPNESS, V4L2_CID_GAMMA,
    V4L2_CID_WHITE_BALANCE_TEMPERATURE, V4L2_CID_BACKLIGHT_COMPENSATION};

std::string CardName(const v4l2_capability& caps) {
    const char* card = reinterpret_cast<const char*>(caps.card);
    return std::string(card, strnlen(card, sizeof caps.card));
}

bool IsCaptureDevice(const v4l2_capability& caps) {
    const uint32_t deviceCaps = (caps.capabilities & V4L2_CAP_DEVICE_CAPS) ? caps.device_caps : caps.capabilities;
    return (deviceCaps & V4L2_CAP_VIDEO_CAPTURE) && (deviceCaps & V4L2_CAP_STREAMING);
}

// a/b < c/d for positive fractions.
bool Shorter(const v4l2_fract& a, const v4l2_fract& b) {
    return uint64_t{a.numerator} * b.denominator < uint64_t{b.numerator} * a.denominator;
}

bool Valid(const v4l2_fract& f) { return f.numerator != 0 && f.denominator != 0; }

class V4l2Camera : public CameraBackend {
public:
    V4l2Camera(std::shared_ptr<VideoDeviceIo> io, int fd, std::string name)
        : io_(std::move(io)), fd_(fd), name_(std::move(name)) {
        wake_ = io_->OpenEvent();
        // Switch the conversion to 24-bit colour at the camera's present size.
        v4l2_format fmt{};
        fmt.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        if (io_->Ioctl(fd_, VIDIOC_G_FMT, &fmt) == 0 && fmt.fmt.pix.width > 0 && fmt.fmt.pix.height > 0 &&
            fmt.fmt.pix.width <= kMaxDimension && fmt.fmt.pix.height <= kMaxDimension)
            applyFormat(FrameSize{static_cast<int>(fmt.fmt.pix.width), static_cast<int>(fmt.fmt.pix.height)});
    }

    ~V4l2Camera() override {
        Stop();
        releaseBuffers();
        if (wake_ >= 0) io_->CloseEvent(wake_);
        io_->Close(fd_);
    }

    std::string Name() const override { return name_; }

    bool SetFormat(FrameSize size) override {
        if (IsStreaming() || size.width <= 0 || size.height <= 0) return false;
        // A stream that ended by itself still holds its buffers; the format cannot change
        // while it does.
        Stop();
        return applyFormat(size);
    }

    FrameSize Format() const override { return format_; }

    StartResult Start(FrameSink sink, DeviceLostHandler lost) override {
        if (IsStreaming()) return StartResult::Started;
        // After a stream that ended by itself: join its thread and give back its buffers, or
        // asking for new ones fails with EBUSY and the old mappings leak.
        Stop();
        busy_ = false;
        // The wake-up channel, the 24-bit conversion and the mapped buffers are the capture
        // machinery; without any of them nothing can stream.
        if (wake_ < 0 || !formatUsable_ || !mapBuffers()) return StartResult::SetupFailed;
        v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        if (io_->Ioctl(fd_, VIDIOC_STREAMON, &type) != 0) {
            busy_ = errno == EBUSY;
            releaseBuffers();
            return StartResult::StreamRefused;
        }
        streamOn_ = true;
        while (io_->DrainEvent(wake_) == 0) {
        }
        ended_ = false;
        thread_ = std::thread([this, sink = std::move(sink), lost = std::move(lost)] { stream(sink, lost); });
        return StartResult::Started;
    }

    void Stop() override {
        if (thread_.joinable()) {
            io_->SignalEvent(wake_);
            thread_.join();
        }
        releaseBuffers();
    }

    bool IsStreaming() const override { return thread_.joinable() && !ended_.load(); }
    bool Busy() const override { return busy_; }

    std::optional<int> GetProperty(CameraProperty property) override {
        return controlValue(kPropertyControls[static_cast<size_t>(property)]);
    }

    bool SetProperty(CameraProperty property, int value) override {
        return SetControl(kPropertyControls[static_cast<size_t>(property)], value);
    }

    std::optional<int> Zoom() override { return controlValue(V4L2_CID_ZOOM_ABSOLUTE); }
    bool SetZoom(int value) override { return SetControl(V4L2_CID_ZOOM_ABSOLUTE, value); }

    std::vector<CameraControl> Controls() override {
        std::vector<CameraControl> controls;
        v4l2_queryctrl query{};
        query.id = V4L2_CTRL_FLAG_NEXT_CTRL;
        uint32_t previous = 0;
        for (int asked = 0; asked < kMaxControls && io_->Ioctl(fd_, VIDIOC_QUERYCTRL, &query) == 0; ++asked) {
            const uint32_t id = query.id & ~(V4L2_CTRL_FLAG_NEXT_CTRL | V4L2_CTRL_FLAG_NEXT_COMPOUND);
            if (id <= previous) break;  // a driver that does not move on would loop for ever
            previous = id;
            const v4l2_queryctrl found = query;
            query = v4l2_queryctrl{};
            query.id = id | V4L2_CTRL_FLAG_NEXT_CTRL;
            if (found.flags & V4L2_CTRL_FLAG_DISABLED) continue;
            CameraControl control;
            switch (found.type) {
            case V4L2_CTRL_TYPE_INTEGER: control.kind = CameraControl::Kind::Integer; break;
            case V4L2_CTRL_TYPE_BOOLEAN: control.kind = CameraControl::Kind::Boolean; break;
            case V4L2_CTRL_TYPE_MENU:
            case V4L2_CTRL_TYPE_INTEGER_MENU: control.kind = CameraControl::Kind::Menu; break;
            default: continue;  // buttons, strings, control classes
            }
            if (found.minimum > found.maximum) continue;
            const auto value = controlValue(id);
            if (!value) continue;
            const char* label = reinterpret_cast<const char*>(found.name);
            control.id = id;
            control.name = std::string(label, strnlen(label, sizeof found.name));
            control.minimum = found.minimum;
            control.maximum = found.maximum;
            control.step = std::max(1, found.step);
            control.defaultValue = found.default_value;
            control.value = *value;
            controls.push_back(control);
        }
        return controls;
    }

    // Values are brought into the control's range and onto its step. A control that is
    // inactive (a white balance while the automatic one is on), read-only or held by another
    // program is left alone.
    bool SetControl(uint32_t id, int value) override {
        v4l2_queryctrl query{};
        query.id = id;
        if (io_->Ioctl(fd_, VIDIOC_QUERYCTRL, &query) != 0) return false;
        constexpr uint32_t kUnsettable = V4L2_CTRL_FLAG_DISABLED | V4L2_CTRL_FLAG_INACTIVE |
                                         V4L2_CTRL_FLAG_READ_ONLY | V4L2_CTRL_FLAG_GRABBED;
        if ((query.flags & kUnsettable) || query.minimum > query.maximum) return false;
        v4l2_control control{};
        control.id = id;
        control.value = FitControlValue(value, query.minimum, query.maximum, query.step);
        return io_->Ioctl(fd_, VIDIOC_S_CTRL, &control) == 0;
    }

private:
    struct MappedBuffer {
        void* start = nullptr;
        size_t length = 0;
    };

    bool applyFormat(FrameSize size) {
        v4l2_format fmt{};
        fmt.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        fmt.fmt.pix.width = static_cast<uint32_t>(size.width);
        fmt.fmt.pix.height = static_cast<uint32_t>(size.height);
        fmt.fmt.pix.pixelformat = V4L2_PIX_FMT_BGR24;
        fmt.fmt.pix.field = V4L2_FIELD_NONE;  // progressive frames, never fields
        if (io_->Ioctl(fd_, VIDIOC_S_FMT, &fmt) != 0) {
            busy_ = errno == EBUSY;
            return false;
        }
        busy_ = false;
        const v4l2_pix_format& pix = fmt.fmt.pix;
        if (pix.width == 0 || pix.height == 0 || pix.width > kMaxDimension || pix.height > kMaxDimension) {
            formatUsable_ = false;
            return false;
        }
        // The driver answers with the nearest size it has; that is what streams from now on.
        format_ = {static_cast<int>(pix.width), static_cast<int>(pix.height)};
        formatUsable_ = pix.pixelformat == V4L2_PIX_FMT_BGR24;
        const size_t rowBytes = size_t{pix.width} * 3u;
        bytesPerLine_ = std::max<size_t>(pix.bytesperline, rowBytes);
        if (formatUsable_) askFastestInterval(pix);
        return format_ == size && formatUsable_;
    }

    // As many frames a second as the camera can give at this size.
    void askFastestInterval(const v4l2_pix_format& pix) {
        v4l2_streamparm parm{};
        parm.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        if (io_->Ioctl(fd_, VIDIOC_G_PARM, &parm) != 0 || !(parm.parm.capture.capability & V4L2_CAP_TIMEPERFRAME))
            return;
        v4l2_fract fastest{};
        v4l2_frmivalenum ival{};
        ival.pixel_format = pix.pixelformat;
        ival.width = pix.width;
        ival.height = pix.height;
        for (ival.index = 0; ival.index < kMaxFrameIntervals && io_->Ioctl(fd_, VIDIOC_ENUM_FRAMEINTERVALS, &ival) == 0;
             ++ival.index) {
            const v4l2_fract candidate = ival.type == V4L2_FRMIVAL_TYPE_DISCRETE ? ival.discrete : ival.stepwise.min;
            if (Valid(candidate) && (!Valid(fastest) || Shorter(candidate, fastest))) fastest = candidate;
            if (ival.type != V4L2_FRMIVAL_TYPE_DISCRETE) break;
        }
        parm = v4l2_streamparm{};
        parm.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        parm.parm.capture.timeperframe = Valid(fastest) ? fastest : kFastestInterval;
        io_->Ioctl(fd_, VIDIOC_S_PARM, &parm);  // a camera that keeps its own rate still streams
    }

    std::optional<int> controlValue(uint32_t id) {
        v4l2_queryctrl query{};
        query.id = id;
        if (io_->Ioctl(fd_, VIDIOC_QUERYCTRL, &query) != 0 ||
            (query.flags & (V4L2_CTRL_FLAG_DISABLED | V4L2_CTRL_FLAG_WRITE_ONLY)))
            return std::nullopt;
        v4l2_control control{};
        control.id = id;
        if (io_->Ioctl(fd_, VIDIOC_G_CTRL, &control) != 0) return std::nullopt;
        return control.value;
    }

    bool mapBuffers() {
        v4l2_requestbuffers request{};
        request.count = 4;
        request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        request.memory = V4L2_MEMORY_MMAP;
        if (io_->Ioctl(fd_, VIDIOC_REQBUFS, &request) != 0) {
            busy_ = errno == EBUSY;
            return false;
        }
        buffersRequested_ = true;
        if (request.count == 0) return releaseBuffers(), false;
        // Buffers beyond the ones used stay with the driver, never queued.
        const uint32_t count = std::min(request.count, kMaxBuffers);
        for (uint32_t i = 0; i < count; ++i) {
            v4l2_buffer buffer{};
            buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
            buffer.memory = V4L2_MEMORY_MMAP;
            buffer.index = i;
            if (io_->Ioctl(fd_, VIDIOC_QUERYBUF, &buffer) != 0 || buffer.length == 0 || buffer.length > kMaxBufferBytes)
                return releaseBuffers(), false;
            void* start = io_->Map(fd_, buffer.length, buffer.m.offset);
            if (!start) return releaseBuffers(), false;
            buffers_.push_back({start, buffer.length});
            if (io_->Ioctl(fd_, VIDIOC_QBUF, &buffer) != 0) return releaseBuffers(), false;
        }
        return true;
    }

    // Stream off, mappings undone and the driver's buffers freed, in that order: a driver
    // refuses to free buffers that are streaming or still mapped.
    void releaseBuffers() {
        v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        if (streamOn_) io_->Ioctl(fd_, VIDIOC_STREAMOFF, &type);
        streamOn_ = false;
        for (const MappedBuffer& b : buffers_) io_->Unmap(b.start, b.length);
        buffers_.clear();
        if (buffersRequested_) {
            v4l2_requestbuffers request{};
            request.count = 0;
            request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
            request.memory = V4L2_MEMORY_MMAP;
            io_->Ioctl(fd_, VIDIOC_REQBUFS, &request);
        }
        buffersRequested_ = false;
    }

    // Waits for the wake-up channel only, so that a device failing every call does not spin.
    bool pauseUnlessStopped(int ms) {
        pollfd wake{wake_, POLLIN, 0};
        return io_->Poll(&wake, 1, ms) > 0 && (wake.revents & POLLIN);
    }

    void stream(const FrameSink& sink, const DeviceLostHandler& lost) {
        FramePool pool(6);
        uint64_t sequence = 0;
        const FrameSize size = format_;
        const size_t rowBytes = static_cast<size_t>(size.width) * 3u;
        const size_t frameBytes = bytesPerLine_ * static_cast<size_t>(size.height - 1) + rowBytes;
        int failures = 0;  // dequeues in a row that gave no buffer
        for (;;) {
            pollfd fds[2] = {{fd_, POLLIN, 0}, {wake_, POLLIN, 0}};
            const int ready = io_->Poll(fds, 2, kPollMs);
            if (ready < 0 && errno == EINTR) continue;
            if (fds[1].revents & POLLIN) return;  // Stop
            if (ready < 0 || (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL))) break;
            if (ready == 0) continue;
            v4l2_buffer buffer{};
            buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
            buffer.memory = V4L2_MEMORY_MMAP;
            if (io_->Ioctl(fd_, VIDIOC_DQBUF, &buffer) != 0) {
                if (errno == ENODEV) break;  // unplugged
                // EAGAIN: nothing yet. EIO: the conversion layer met corrupt compressed frames,
                // or the driver lost a frame; the stream goes on with the next one.
                if (pauseUnlessStopped(std::min(++failures * 10, 200))) return;
                continue;
            }
            failures = 0;
            std::shared_ptr<Frame> frame;
            const bool whole = buffer.index < buffers_.size() && !(buffer.flags & V4L2_BUF_FLAG_ERROR) &&
                               buffer.bytesused >= frameBytes && frameBytes <= buffers_[buffer.index].length;
            if (whole) frame = pool.Acquire(size.width, size.height);
            if (frame) {
                // The camera sends rows top-down; frames are kept bottom-up.
                const auto* source = static_cast<const uint8_t*>(buffers_[buffer.index].start);
                for (int y = 0; y < size.height; ++y)
                    std::memcpy(frame->bytes.data() + static_cast<size_t>(size.height - 1 - y) * rowBytes,
                                source + static_cast<size_t>(y) * bytesPerLine_, rowBytes);
                frame->sequence = ++sequence;
            }
            if (io_->Ioctl(fd_, VIDIOC_QBUF, &buffer) != 0 && errno == ENODEV) break;
            if (frame) sink(std::move(frame));
        }
        ended_ = true;
        if (lost) lost();
    }

    std::shared_ptr<VideoDeviceIo> io_;
    int fd_;
    int wake_ = -1;
    std::string name_;
    FrameSize format_{};
    bool formatUsable_ = false;
    size_t bytesPerLine_ = 0;
    bool busy_ = false;
    bool buffersRequested_ = false;
    bool streamOn_ = false;
    std::vector<MappedBuffer> buffers_;
    std::thread thread_;
    std::atomic<bool> ended_{false};
};

struct DeviceEntry {
    std::string path;
    std::string name;
};

// The capture devices with a readable card name; devices that cannot be asked are skipped.
std::vector<DeviceEntry> ListDevices(VideoDeviceIo& io) {
    std::vector<DeviceEntry> devices;
    for (const std::string& path : io.DeviceNodes()) {
        const int fd = io.Open(path);
        if (fd < 0) continue;
        v4l2_capability caps{};
        const bool asked = io.Ioctl(fd, VIDIOC_QUERYCAP, &caps) == 0;
        io.Close(fd);
        if (asked && IsCaptureDevice(caps)) devices.push_back({path, CardName(caps)});
    }
    return devices;
}

}  // namespace

int FitControlValue(int value, int minimum, int maximum, int step) {
    if (minimum >= maximum) return minimum;
    const int64_t low = minimum, high = maximum;
    const int64_t clamped = std::clamp<int64_t>(value, low, high);
    if (step <= 1) return static_cast<int>(clamped);
    int64_t fitted = low + (clamped - low + step / 2) / step * step;
    if (fitted > high) fitted -= step;
    return static_cast<int>(fitted);
}

#if !LUMORA_HAVE_V4L2
std::shared_ptr<VideoDeviceIo> MakeLibV4l2DeviceIo() { return nullptr; }
#endif

V4l2CameraSystem::V4l2CameraSystem(std::shared_ptr<VideoDeviceIo> io) : io_(std::move(io)) {}

std::vector<std::string> V4l2CameraSystem::DeviceNames() {
    std::vector<std::string> names;
    if (!io_) return names;
    for (const DeviceEntry& d : ListDevices(*io_)) names.push_back(d.name);
    return names;
}

std::unique_ptr<CameraBackend> V4l2CameraSystem::OpenByName(const std::string& name) {
    if (!io_) return nullptr;
    const std::vector<DeviceEntry> devices = ListDevices(*io_);
    std::vector<std::string> names;
    for (const DeviceEntry& d : devices) names.push_back(d.name);
    const int index = FindDevice(names, name);
    if (index < 0) return nullptr;
    const DeviceEntry& device = devices[static_cast<size_t>(index)];
    const int fd = io_->Open(device.path);
    if (fd < 0) return nullptr;
    return std::make_unique<V4l2Camera>(io_, fd, device.name);
}

}  // namespace lumora
