#include "viewer/core/V4l2Camera.h"

#include "viewer/core/FramePool.h"

#include <libv4l2.h>
#include <linux/videodev2.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <thread>
#include <unistd.h>

namespace lumora {
namespace {

struct DeviceEntry {
    int number;
    std::string path;
    std::string name;
};

int Xioctl(int fd, unsigned long request, void* arg) {
    int result;
    do {
        result = v4l2_ioctl(fd, request, arg);
    } while (result == -1 && errno == EINTR);
    return result;
}

// The capture devices with a readable card name; devices that cannot be asked are skipped.
std::vector<DeviceEntry> ListDevices() {
    std::vector<DeviceEntry> devices;
    DIR* dir = ::opendir("/dev");
    if (!dir) return devices;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string file = entry->d_name;
        if (file.rfind("video", 0) != 0 || file.size() == 5) continue;
        const std::string digits = file.substr(5);
        if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
            digits.size() > 6)
            continue;
        const std::string path = "/dev/" + file;
        const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        v4l2_capability caps{};
        const bool asked = ::ioctl(fd, VIDIOC_QUERYCAP, &caps) == 0;
        ::close(fd);
        if (!asked) continue;
        const uint32_t deviceCaps = (caps.capabilities & V4L2_CAP_DEVICE_CAPS) ? caps.device_caps : caps.capabilities;
        if (!(deviceCaps & V4L2_CAP_VIDEO_CAPTURE) || !(deviceCaps & V4L2_CAP_STREAMING)) continue;
        const char* card = reinterpret_cast<const char*>(caps.card);
        devices.push_back({std::stoi(digits), path, std::string(card, strnlen(card, sizeof caps.card))});
    }
    ::closedir(dir);
    std::sort(devices.begin(), devices.end(), [](const DeviceEntry& a, const DeviceEntry& b) { return a.number < b.number; });
    return devices;
}

constexpr uint32_t kPropertyControls[kCameraPropertyCount] = {
    V4L2_CID_BRIGHTNESS, V4L2_CID_CONTRAST,  V4L2_CID_HUE,
    V4L2_CID_SATURATION, V4L2_CID_SHARPNESS, V4L2_CID_GAMMA,
    V4L2_CID_WHITE_BALANCE_TEMPERATURE, V4L2_CID_BACKLIGHT_COMPENSATION};

class V4l2Camera : public CameraBackend {
public:
    V4l2Camera(int fd, std::string name) : fd_(fd), name_(std::move(name)) {
        wake_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        // Switch the conversion to 24-bit colour at the camera's present size.
        v4l2_format fmt{};
        fmt.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        if (Xioctl(fd_, VIDIOC_G_FMT, &fmt) == 0)
            applyFormat(FrameSize{static_cast<int>(fmt.fmt.pix.width), static_cast<int>(fmt.fmt.pix.height)});
    }

    ~V4l2Camera() override {
        Stop();
        if (wake_ >= 0) ::close(wake_);
        v4l2_close(fd_);
    }

    std::string Name() const override { return name_; }

    bool SetFormat(FrameSize size) override {
        if (IsStreaming() || size.width <= 0 || size.height <= 0) return false;
        return applyFormat(size);
    }

    FrameSize Format() const override { return format_; }

    StartResult Start(FrameSink sink, DeviceLostHandler lost) override {
        if (IsStreaming()) return StartResult::Started;
        if (thread_.joinable()) thread_.join();
        // The wake-up channel, the 24-bit conversion and the mapped buffers are the capture
        // machinery; without any of them nothing can stream.
        if (wake_ < 0 || pixelFormat_ != V4L2_PIX_FMT_BGR24 || !mapBuffers()) return StartResult::SetupFailed;
        v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        if (Xioctl(fd_, VIDIOC_STREAMON, &type) != 0) {
            unmapBuffers();
            return StartResult::StreamRefused;
        }
        uint64_t drain = 0;
        (void)!::read(wake_, &drain, sizeof drain);
        ended_ = false;
        thread_ = std::thread([this, sink = std::move(sink), lost = std::move(lost)] { stream(sink, lost); });
        return StartResult::Started;
    }

    void Stop() override {
        if (!thread_.joinable()) return;
        const uint64_t one = 1;
        (void)!::write(wake_, &one, sizeof one);
        thread_.join();
        v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        Xioctl(fd_, VIDIOC_STREAMOFF, &type);
        unmapBuffers();
    }

    bool IsStreaming() const override { return thread_.joinable() && !ended_.load(); }

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
        while (Xioctl(fd_, VIDIOC_QUERYCTRL, &query) == 0) {
            const uint32_t id = query.id;
            query.id |= V4L2_CTRL_FLAG_NEXT_CTRL;
            if (query.flags & V4L2_CTRL_FLAG_DISABLED) continue;
            CameraControl control;
            switch (query.type) {
            case V4L2_CTRL_TYPE_INTEGER: control.kind = CameraControl::Kind::Integer; break;
            case V4L2_CTRL_TYPE_BOOLEAN: control.kind = CameraControl::Kind::Boolean; break;
            case V4L2_CTRL_TYPE_MENU:
            case V4L2_CTRL_TYPE_INTEGER_MENU: control.kind = CameraControl::Kind::Menu; break;
            default: continue;  // buttons, strings, control classes
            }
            const auto value = controlValue(id);
            if (!value) continue;
            const char* label = reinterpret_cast<const char*>(query.name);
            control.id = id;
            control.name = std::string(label, strnlen(label, sizeof query.name));
            control.minimum = query.minimum;
            control.maximum = query.maximum;
            control.step = std::max(1, query.step);
            control.defaultValue = query.default_value;
            control.value = *value;
            controls.push_back(control);
        }
        return controls;
    }

    // Values outside the control's range are brought into it; a value the camera still
    // refuses (for instance a white balance while the automatic one is on) changes nothing.
    bool SetControl(uint32_t id, int value) override {
        v4l2_queryctrl query{};
        query.id = id;
        if (Xioctl(fd_, VIDIOC_QUERYCTRL, &query) != 0 || (query.flags & V4L2_CTRL_FLAG_DISABLED)) return false;
        v4l2_control control{};
        control.id = id;
        control.value = std::clamp(value, query.minimum, query.maximum);
        return Xioctl(fd_, VIDIOC_S_CTRL, &control) == 0;
    }

private:
    struct MappedBuffer {
        void* start = MAP_FAILED;
        size_t length = 0;
    };

    bool applyFormat(FrameSize size) {
        v4l2_format fmt{};
        fmt.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        fmt.fmt.pix.width = static_cast<uint32_t>(size.width);
        fmt.fmt.pix.height = static_cast<uint32_t>(size.height);
        fmt.fmt.pix.pixelformat = V4L2_PIX_FMT_BGR24;
        fmt.fmt.pix.field = V4L2_FIELD_ANY;
        if (Xioctl(fd_, VIDIOC_S_FMT, &fmt) != 0) return false;
        // The driver answers with the nearest size it has; that is what streams from now on.
        format_ = {static_cast<int>(fmt.fmt.pix.width), static_cast<int>(fmt.fmt.pix.height)};
        pixelFormat_ = fmt.fmt.pix.pixelformat;
        bytesPerLine_ = std::max<size_t>(fmt.fmt.pix.bytesperline, static_cast<size_t>(format_.width) * 3u);
        return format_ == size && pixelFormat_ == V4L2_PIX_FMT_BGR24;
    }

    std::optional<int> controlValue(uint32_t id) {
        v4l2_queryctrl query{};
        query.id = id;
        if (Xioctl(fd_, VIDIOC_QUERYCTRL, &query) != 0 || (query.flags & V4L2_CTRL_FLAG_DISABLED))
            return std::nullopt;
        v4l2_control control{};
        control.id = id;
        if (Xioctl(fd_, VIDIOC_G_CTRL, &control) != 0) return std::nullopt;
        return control.value;
    }

    bool mapBuffers() {
        v4l2_requestbuffers request{};
        request.count = 4;
        request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        request.memory = V4L2_MEMORY_MMAP;
        if (Xioctl(fd_, VIDIOC_REQBUFS, &request) != 0 || request.count == 0) return false;
        buffers_.assign(request.count, MappedBuffer{});
        for (uint32_t i = 0; i < request.count; ++i) {
            v4l2_buffer buffer{};
            buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
            buffer.memory = V4L2_MEMORY_MMAP;
            buffer.index = i;
            if (Xioctl(fd_, VIDIOC_QUERYBUF, &buffer) != 0) return unmapBuffers(), false;
            buffers_[i].length = buffer.length;
            buffers_[i].start = v4l2_mmap(nullptr, buffer.length, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, buffer.m.offset);
            if (buffers_[i].start == MAP_FAILED) return unmapBuffers(), false;
            if (Xioctl(fd_, VIDIOC_QBUF, &buffer) != 0) return unmapBuffers(), false;
        }
        return true;
    }

    void unmapBuffers() {
        for (MappedBuffer& b : buffers_)
            if (b.start != MAP_FAILED) v4l2_munmap(b.start, b.length);
        buffers_.clear();
        v4l2_requestbuffers request{};
        request.count = 0;
        request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        request.memory = V4L2_MEMORY_MMAP;
        Xioctl(fd_, VIDIOC_REQBUFS, &request);
    }

    void stream(const FrameSink& sink, const DeviceLostHandler& lost) {
        FramePool pool(6);
        uint64_t sequence = 0;
        const FrameSize size = format_;
        const size_t rowBytes = static_cast<size_t>(size.width) * 3u;
        for (;;) {
            pollfd fds[2] = {{fd_, POLLIN, 0}, {wake_, POLLIN, 0}};
            const int ready = ::poll(fds, 2, 2000);
            if (ready < 0 && errno == EINTR) continue;
            if (fds[1].revents & POLLIN) return;  // Stop
            if (ready < 0 || (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL))) break;
            if (ready == 0) continue;
            v4l2_buffer buffer{};
            buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
            buffer.memory = V4L2_MEMORY_MMAP;
            if (Xioctl(fd_, VIDIOC_DQBUF, &buffer) != 0) {
                if (errno == EAGAIN) continue;
                break;  // ENODEV, EIO: the camera is gone
            }
            std::shared_ptr<Frame> frame;
            if (buffer.index < buffers_.size() && buffer.bytesused >= bytesPerLine_ * static_cast<size_t>(size.height - 1) + rowBytes)
                frame = pool.Acquire(size.width, size.height);
            if (frame) {
                // The camera sends rows top-down; frames are kept bottom-up.
                const auto* source = static_cast<const uint8_t*>(buffers_[buffer.index].start);
                for (int y = 0; y < size.height; ++y)
                    std::memcpy(frame->bytes.data() + static_cast<size_t>(size.height - 1 - y) * rowBytes,
                                source + static_cast<size_t>(y) * bytesPerLine_, rowBytes);
                frame->sequence = ++sequence;
            }
            if (Xioctl(fd_, VIDIOC_QBUF, &buffer) != 0) break;
            if (frame) sink(std::move(frame));
        }
        ended_ = true;
        if (lost) lost();
    }

    int fd_;
    int wake_ = -1;
    std::string name_;
    FrameSize format_{};
    uint32_t pixelFormat_ = 0;
    size_t bytesPerLine_ = 0;
    std::vector<MappedBuffer> buffers_;
    std::thread thread_;
    std::atomic<bool> ended_{false};
};

}  // namespace

std::vector<std::string> V4l2CameraSystem::DeviceNames() {
    std::vector<std::string> names;
    for (const DeviceEntry& d : ListDevices()) names.push_back(d.name);
    return names;
}

std::unique_ptr<CameraBackend> V4l2CameraSystem::OpenByName(const std::string& name) {
    const std::vector<DeviceEntry> devices = ListDevices();
    std::vector<std::string> names;
    for (const DeviceEntry& d : devices) names.push_back(d.name);
    const int index = FindDevice(names, name);
    if (index < 0) return nullptr;
    const DeviceEntry& device = devices[static_cast<size_t>(index)];
    const int fd = v4l2_open(device.path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    return std::make_unique<V4l2Camera>(fd, device.name);
}

}  // namespace lumora
