#include "support/ScriptedVideoDevice.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>

namespace testsupport {
namespace {

using Clock = std::chrono::steady_clock;

constexpr uint32_t kBufferSpacing = 1u << 24;  // map offsets of consecutive buffers

uint32_t BytesPerPixel(uint32_t pixelFormat) {
    switch (pixelFormat) {
    case V4L2_PIX_FMT_BGR24:
    case V4L2_PIX_FMT_RGB24: return 3;
    case V4L2_PIX_FMT_YUYV: return 2;
    default: return 0;  // compressed
    }
}

void CopyName(uint8_t* target, size_t capacity, const std::string& name) {
    std::memset(target, 0, capacity);
    std::memcpy(target, name.data(), std::min(name.size(), capacity - 1));
}

}  // namespace

struct ScriptedVideoDevice::Device {
    DeviceScript script;
    bool plugged = true;
    int generation = 0;
    bool heldElsewhere = false;
    v4l2_pix_format format{};
    v4l2_fract interval{1, 30};
    std::vector<ScriptedControl> controls;
    std::vector<ScriptedFault> faults;
    int owner = -1;  // the handle that holds the buffers
    uint32_t bufferCount = 0;
    size_t bufferLength = 0;
    std::deque<uint32_t> queued;
    bool streaming = false;
    size_t frameIndex = 0;
    uint32_t sequence = 0;
    Clock::time_point nextFrame{};

    std::vector<uint32_t> offeredFormats() const {
        std::vector<uint32_t> formats = script.nativeFormats;
        if (script.converts && std::find(formats.begin(), formats.end(), V4L2_PIX_FMT_BGR24) == formats.end())
            formats.push_back(V4L2_PIX_FMT_BGR24);
        return formats;
    }

    bool offers(uint32_t pixelFormat) const {
        const auto formats = offeredFormats();
        return std::find(formats.begin(), formats.end(), pixelFormat) != formats.end();
    }

    bool hasSize(uint32_t width, uint32_t height) const {
        return std::find(script.sizes.begin(), script.sizes.end(), std::make_pair(width, height)) != script.sizes.end();
    }

    // The format the device settles on for a request: the pixel format when offered, else its
    // first; the nearest size it has.
    v4l2_pix_format negotiate(const v4l2_pix_format& asked) const {
        v4l2_pix_format pix{};
        const auto formats = offeredFormats();
        pix.pixelformat = offers(asked.pixelformat) || formats.empty() ? asked.pixelformat : formats.front();
        uint64_t best = UINT64_MAX;
        for (const auto& [w, h] : script.sizes) {
            const uint64_t distance = uint64_t(std::abs(int64_t{w} - asked.width)) + uint64_t(std::abs(int64_t{h} - asked.height));
            if (distance < best) {
                best = distance;
                pix.width = w;
                pix.height = h;
            }
        }
        pix.field = V4L2_FIELD_NONE;
        const uint32_t bpp = BytesPerPixel(pix.pixelformat);
        pix.bytesperline = bpp ? pix.width * bpp + script.paddingPerLine : 0;
        pix.sizeimage = bpp ? pix.bytesperline * pix.height : pix.width * pix.height * 3 / 2 + 1024;
        return pix;
    }
};

struct ScriptedVideoDevice::Handle {
    Device* device;
    int generation;
};

ScriptedVideoDevice::ScriptedVideoDevice(std::vector<DeviceScript> devices) {
    for (DeviceScript& script : devices) {
        auto device = std::make_unique<Device>();
        device->controls = script.controls;
        device->faults = script.faults;
        device->script = std::move(script);
        v4l2_pix_format first{};
        first.pixelformat = device->script.converts ? V4L2_PIX_FMT_BGR24 : 0;
        if (!device->script.sizes.empty()) {
            first.width = device->script.sizes.front().first;
            first.height = device->script.sizes.front().second;
        }
        device->format = device->negotiate(first);
        devices_.push_back(std::move(device));
    }
}

// Mappings a client never undid are left allocated on purpose, so that the leak checker
// reports them as the leak they are.
ScriptedVideoDevice::~ScriptedVideoDevice() = default;

int ScriptedVideoDevice::fail(unsigned long request, int error) {
    ++failures_[{request, error}];
    if (error == ENODEV) {
        gone_ = true;
        changed_.notify_all();
    }
    errno = error;
    return -1;
}

bool ScriptedVideoDevice::injected(Device& device, unsigned long call) {
    for (ScriptedFault& fault : device.faults) {
        if (fault.call != call || fault.times == 0) continue;
        if (fault.skip > 0) {
            --fault.skip;
            continue;
        }
        if (fault.times > 0) --fault.times;
        lastInjected_ = fault.error;
        return true;
    }
    return false;
}

ScriptedVideoDevice::Device* ScriptedVideoDevice::deviceOf(int fd) {
    const auto it = handles_.find(fd);
    return it == handles_.end() ? nullptr : it->second.device;
}

std::vector<std::string> ScriptedVideoDevice::DeviceNodes() {
    std::lock_guard lock(mutex_);
    std::vector<std::string> paths;
    for (const auto& device : devices_)
        if (device->plugged) paths.push_back(device->script.path);
    return paths;
}

int ScriptedVideoDevice::Open(const std::string& path) {
    std::lock_guard lock(mutex_);
    ++calls_[ScriptedFault::kOpen];
    for (const auto& device : devices_) {
        if (device->script.path != path) continue;
        if (!device->plugged) return fail(ScriptedFault::kOpen, ENOENT);
        if (injected(*device, ScriptedFault::kOpen)) return fail(ScriptedFault::kOpen, lastInjected_);
        const int fd = nextFd_++;
        handles_[fd] = Handle{device.get(), device->generation};
        return fd;
    }
    return fail(ScriptedFault::kOpen, ENOENT);
}

int ScriptedVideoDevice::Close(int fd) {
    std::lock_guard lock(mutex_);
    const auto it = handles_.find(fd);
    if (it == handles_.end()) return fail(0, EBADF);
    Device& device = *it->second.device;
    if (device.owner == fd && it->second.generation == device.generation) {
        // Closing the owner frees its buffers (mappings keep their memory until undone).
        device.streaming = false;
        device.queued.clear();
        device.bufferCount = 0;
        device.owner = -1;
    }
    handles_.erase(it);
    changed_.notify_all();
    return 0;
}

int ScriptedVideoDevice::Ioctl(int fd, unsigned long request, void* arg) {
    std::lock_guard lock(mutex_);
    ++calls_[request];
    const auto handle = handles_.find(fd);
    if (handle == handles_.end()) return fail(request, EBADF);
    Device& d = *handle->second.device;
    if (!d.plugged || handle->second.generation != d.generation) return fail(request, ENODEV);
    if (injected(d, request)) return fail(request, lastInjected_);
    const bool owns = d.owner == fd;
    const bool othersOwn = d.heldElsewhere || (d.owner != -1 && !owns);

    switch (request) {
    case VIDIOC_QUERYCAP: {
        auto* caps = static_cast<v4l2_capability*>(arg);
        *caps = v4l2_capability{};
        CopyName(caps->card, sizeof caps->card, d.script.card);
        CopyName(caps->driver, sizeof caps->driver, "scripted");
        caps->capabilities = d.script.capabilities | V4L2_CAP_DEVICE_CAPS;
        caps->device_caps = d.script.capabilities;
        return 0;
    }
    case VIDIOC_ENUM_FMT: {
        auto* desc = static_cast<v4l2_fmtdesc*>(arg);
        const auto formats = d.offeredFormats();
        if (desc->index >= formats.size()) return fail(request, EINVAL);
        desc->pixelformat = formats[desc->index];
        return 0;
    }
    case VIDIOC_G_FMT: static_cast<v4l2_format*>(arg)->fmt.pix = d.format; return 0;
    case VIDIOC_TRY_FMT: {
        auto* fmt = static_cast<v4l2_format*>(arg);
        fmt->fmt.pix = d.negotiate(fmt->fmt.pix);
        return 0;
    }
    case VIDIOC_S_FMT: {
        auto* fmt = static_cast<v4l2_format*>(arg);
        lastFormat_ = *fmt;
        if (othersOwn || d.bufferCount > 0 || d.streaming) return fail(request, EBUSY);
        d.format = d.negotiate(fmt->fmt.pix);
        fmt->fmt.pix = d.format;
        return 0;
    }
    case VIDIOC_ENUM_FRAMESIZES: {
        auto* size = static_cast<v4l2_frmsizeenum*>(arg);
        if (!d.offers(size->pixel_format) || size->index >= d.script.sizes.size()) return fail(request, EINVAL);
        size->type = V4L2_FRMSIZE_TYPE_DISCRETE;
        size->discrete = {d.script.sizes[size->index].first, d.script.sizes[size->index].second};
        return 0;
    }
    case VIDIOC_ENUM_FRAMEINTERVALS: {
        auto* ival = static_cast<v4l2_frmivalenum*>(arg);
        if (!d.offers(ival->pixel_format) || !d.hasSize(ival->width, ival->height) ||
            ival->index >= d.script.intervals.size())
            return fail(request, EINVAL);
        ival->type = V4L2_FRMIVAL_TYPE_DISCRETE;
        ival->discrete = d.script.intervals[ival->index];
        return 0;
    }
    case VIDIOC_G_PARM: {
        auto* parm = static_cast<v4l2_streamparm*>(arg);
        parm->parm.capture = v4l2_captureparm{};
        parm->parm.capture.capability = d.script.timePerFrame ? V4L2_CAP_TIMEPERFRAME : 0;
        parm->parm.capture.timeperframe = d.interval;
        return 0;
    }
    case VIDIOC_S_PARM: {
        auto* parm = static_cast<v4l2_streamparm*>(arg);
        lastParm_ = *parm;
        if (!d.script.timePerFrame) return fail(request, EINVAL);
        d.interval = parm->parm.capture.timeperframe;
        return 0;
    }
    case VIDIOC_QUERYCTRL: {
        auto* query = static_cast<v4l2_queryctrl*>(arg);
        const bool next = query->id & V4L2_CTRL_FLAG_NEXT_CTRL;
        const uint32_t id = query->id & ~(V4L2_CTRL_FLAG_NEXT_CTRL | V4L2_CTRL_FLAG_NEXT_COMPOUND);
        const ScriptedControl* found = nullptr;
        for (const ScriptedControl& c : d.controls)
            if (next ? c.id > id && (!found || c.id < found->id) : c.id == id) found = &c;
        if (!found) return fail(request, EINVAL);
        *query = v4l2_queryctrl{};
        query->id = found->id;
        query->type = found->type;
        CopyName(query->name, sizeof query->name, found->name);
        query->minimum = found->minimum;
        query->maximum = found->maximum;
        query->step = found->step;
        query->default_value = found->defaultValue;
        query->flags = found->flags;
        return 0;
    }
    case VIDIOC_G_CTRL:
    case VIDIOC_S_CTRL: {
        auto* control = static_cast<v4l2_control*>(arg);
        for (ScriptedControl& c : d.controls) {
            if (c.id != control->id) continue;
            if (request == VIDIOC_G_CTRL) {
                if (c.flags & V4L2_CTRL_FLAG_WRITE_ONLY) return fail(request, EACCES);
                control->value = c.value;
                return 0;
            }
            if (c.flags & V4L2_CTRL_FLAG_READ_ONLY) return fail(request, EACCES);
            if (c.flags & V4L2_CTRL_FLAG_GRABBED) return fail(request, EBUSY);
            if (control->value < c.minimum || control->value > c.maximum) return fail(request, ERANGE);
            c.value = control->value;
            controlsSet_[c.id] = control->value;
            return 0;
        }
        return fail(request, EINVAL);
    }
    case VIDIOC_REQBUFS: {
        auto* req = static_cast<v4l2_requestbuffers*>(arg);
        if (req->memory != V4L2_MEMORY_MMAP || req->type != V4L2_BUF_TYPE_VIDEO_CAPTURE) return fail(request, EINVAL);
        if (othersOwn || d.streaming) return fail(request, EBUSY);
        for (const auto& [start, mapping] : mappings_)
            if (mapping.device == &d) return fail(request, EBUSY);
        d.queued.clear();
        if (req->count == 0) {
            d.bufferCount = 0;
            d.owner = -1;
            return 0;
        }
        d.bufferCount = d.script.bufferCount ? d.script.bufferCount : req->count;
        d.bufferLength = d.format.sizeimage;
        d.owner = fd;
        req->count = d.bufferCount;
        return 0;
    }
    case VIDIOC_QUERYBUF:
    case VIDIOC_QBUF: {
        auto* buffer = static_cast<v4l2_buffer*>(arg);
        if (!owns || buffer->index >= d.bufferCount || buffer->memory != V4L2_MEMORY_MMAP) return fail(request, EINVAL);
        const bool isQueued = std::find(d.queued.begin(), d.queued.end(), buffer->index) != d.queued.end();
        if (request == VIDIOC_QUERYBUF) {
            buffer->length = static_cast<uint32_t>(d.bufferLength);
            buffer->m.offset = buffer->index * kBufferSpacing;
            buffer->flags = isQueued ? V4L2_BUF_FLAG_QUEUED : 0;
            return 0;
        }
        if (isQueued) return fail(request, EINVAL);
        d.queued.push_back(buffer->index);
        changed_.notify_all();
        return 0;
    }
    case VIDIOC_DQBUF: {
        auto* buffer = static_cast<v4l2_buffer*>(arg);
        if (!owns || !d.streaming) return fail(request, EINVAL);
        const bool scripted = d.frameIndex < d.script.frames.size();
        if (d.queued.empty() || (!scripted && !d.script.endless)) return fail(request, EAGAIN);
        const ScriptedFrame plain;
        const ScriptedFrame& frame = scripted ? d.script.frames[d.frameIndex] : plain;
        ++d.frameIndex;
        d.nextFrame = Clock::now() + std::chrono::milliseconds(d.script.framePeriodMs);
        if (frame.dequeueError) return fail(request, frame.dequeueError);
        const uint32_t index = d.queued.front();
        d.queued.pop_front();
        for (auto& [start, mapping] : mappings_) {
            if (mapping.device != &d || mapping.index != index) continue;
            auto* bytes = static_cast<uint8_t*>(start);
            const uint32_t stride = std::max<uint32_t>(1, d.format.bytesperline ? d.format.bytesperline : d.format.width * 3);
            for (size_t i = 0; i < mapping.length; ++i)
                bytes[i] = frame.fill.empty() ? FramePattern(static_cast<uint32_t>(i % stride), static_cast<uint32_t>(i / stride))
                                              : frame.fill[i % frame.fill.size()];
        }
        *buffer = v4l2_buffer{};
        buffer->type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buffer->memory = V4L2_MEMORY_MMAP;
        buffer->index = index;
        buffer->length = static_cast<uint32_t>(d.bufferLength);
        buffer->bytesused = frame.bytesUsed.value_or(d.format.sizeimage);
        buffer->flags = frame.flags | V4L2_BUF_FLAG_DONE;
        buffer->sequence = d.sequence++;
        buffer->field = V4L2_FIELD_NONE;
        ++framesDequeued_;
        return 0;
    }
    case VIDIOC_STREAMON:
        if (!owns || d.bufferCount == 0) return fail(request, EINVAL);
        d.streaming = true;
        d.frameIndex = 0;
        idle_ = gone_ = false;
        changed_.notify_all();
        return 0;
    case VIDIOC_STREAMOFF:
        if (d.owner != -1 && !owns) return fail(request, EBUSY);
        d.streaming = false;
        d.queued.clear();
        changed_.notify_all();
        return 0;
    default: return fail(request, ENOTTY);
    }
}

void* ScriptedVideoDevice::Map(int fd, size_t length, int64_t offset) {
    std::lock_guard lock(mutex_);
    ++calls_[ScriptedFault::kMap];
    const auto handle = handles_.find(fd);
    if (handle == handles_.end()) return fail(ScriptedFault::kMap, EBADF), nullptr;
    Device& d = *handle->second.device;
    if (!d.plugged || handle->second.generation != d.generation) return fail(ScriptedFault::kMap, ENODEV), nullptr;
    if (injected(d, ScriptedFault::kMap)) return fail(ScriptedFault::kMap, lastInjected_), nullptr;
    if (offset < 0 || offset % kBufferSpacing != 0) return fail(ScriptedFault::kMap, EINVAL), nullptr;
    const uint64_t index = static_cast<uint64_t>(offset) / kBufferSpacing;
    if (index >= d.bufferCount || length == 0 || length > d.bufferLength) return fail(ScriptedFault::kMap, EINVAL), nullptr;
    void* start = std::calloc(1, length);
    if (!start) return fail(ScriptedFault::kMap, ENOMEM), nullptr;
    mappings_[start] = Mapping{&d, static_cast<uint32_t>(index), length};
    return start;
}

int ScriptedVideoDevice::Unmap(void* start, size_t length) {
    std::lock_guard lock(mutex_);
    const auto it = mappings_.find(start);
    if (it == mappings_.end() || it->second.length != length) return fail(0, EINVAL);
    std::free(start);
    mappings_.erase(it);
    return 0;
}

int ScriptedVideoDevice::OpenEvent() {
    std::lock_guard lock(mutex_);
    const int fd = nextFd_++;
    events_[fd] = 0;
    return fd;
}

int ScriptedVideoDevice::SignalEvent(int fd) {
    std::lock_guard lock(mutex_);
    const auto it = events_.find(fd);
    if (it == events_.end()) return fail(0, EBADF);
    ++it->second;
    changed_.notify_all();
    return 0;
}

int ScriptedVideoDevice::DrainEvent(int fd) {
    std::lock_guard lock(mutex_);
    const auto it = events_.find(fd);
    if (it == events_.end()) return fail(0, EBADF);
    if (it->second == 0) return fail(0, EAGAIN);
    it->second = 0;
    return 0;
}

int ScriptedVideoDevice::CloseEvent(int fd) {
    std::lock_guard lock(mutex_);
    return events_.erase(fd) ? 0 : fail(0, EBADF);
}

bool ScriptedVideoDevice::frameReady(const Device& d) const {
    return d.streaming && !d.queued.empty() && (d.frameIndex < d.script.frames.size() || d.script.endless);
}

int ScriptedVideoDevice::Poll(pollfd* fds, size_t count, int timeoutMs) {
    std::unique_lock lock(mutex_);
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    bool faultChecked = false;
    for (;;) {
        int ready = 0;
        Clock::time_point wakeAt = timeoutMs < 0 ? Clock::time_point::max() : deadline;
        for (size_t i = 0; i < count; ++i) {
            pollfd& p = fds[i];
            p.revents = 0;
            if (const auto event = events_.find(p.fd); event != events_.end()) {
                if (event->second > 0) p.revents = POLLIN;
            } else if (const auto handle = handles_.find(p.fd); handle != handles_.end()) {
                Device& d = *handle->second.device;
                if (!d.plugged || handle->second.generation != d.generation) {
                    p.revents = POLLERR | POLLHUP;
                } else if (!faultChecked && injected(d, ScriptedFault::kPoll)) {
                    p.revents = POLLERR;
                } else if (frameReady(d)) {
                    if (Clock::now() >= d.nextFrame) p.revents = POLLIN;
                    else wakeAt = std::min(wakeAt, d.nextFrame);
                } else if (d.streaming) {
                    idle_ = true;  // nothing will come without the client's help
                    changed_.notify_all();
                }
                if (p.revents & (POLLERR | POLLHUP)) {
                    gone_ = true;
                    changed_.notify_all();
                }
            } else {
                p.revents = POLLNVAL;
            }
            if (p.revents) ++ready;
        }
        faultChecked = true;
        if (ready > 0 || timeoutMs == 0) return ready;
        if (Clock::now() >= deadline && timeoutMs >= 0) return 0;
        changed_.wait_until(lock, wakeAt);
    }
}

void ScriptedVideoDevice::Unplug(const std::string& path) {
    std::lock_guard lock(mutex_);
    for (auto& device : devices_) {
        if (device->script.path != path) continue;
        device->plugged = false;
        device->streaming = false;
        device->queued.clear();
        device->bufferCount = 0;
        device->owner = -1;
    }
    changed_.notify_all();
}

void ScriptedVideoDevice::Replug(const std::string& path) {
    std::lock_guard lock(mutex_);
    for (auto& device : devices_) {
        if (device->script.path != path || device->plugged) continue;
        device->plugged = true;
        ++device->generation;
        device->controls = device->script.controls;
    }
    changed_.notify_all();
}

void ScriptedVideoDevice::HoldElsewhere(const std::string& path, bool held) {
    std::lock_guard lock(mutex_);
    for (auto& device : devices_)
        if (device->script.path == path) device->heldElsewhere = held;
}

void ScriptedVideoDevice::AddFault(const std::string& path, ScriptedFault fault) {
    std::lock_guard lock(mutex_);
    for (auto& device : devices_)
        if (device->script.path == path) device->faults.push_back(fault);
}

int ScriptedVideoDevice::Calls(unsigned long request) const {
    std::lock_guard lock(mutex_);
    const auto it = calls_.find(request);
    return it == calls_.end() ? 0 : it->second;
}

int ScriptedVideoDevice::FailedCalls(unsigned long request, int error) const {
    std::lock_guard lock(mutex_);
    const auto it = failures_.find({request, error});
    return it == failures_.end() ? 0 : it->second;
}

int ScriptedVideoDevice::OpenHandles() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(handles_.size());
}

int ScriptedVideoDevice::OpenEvents() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(events_.size());
}

size_t ScriptedVideoDevice::Mappings() const {
    std::lock_guard lock(mutex_);
    return mappings_.size();
}

bool ScriptedVideoDevice::Streaming(const std::string& path) const {
    std::lock_guard lock(mutex_);
    for (const auto& device : devices_)
        if (device->script.path == path && device->streaming) return true;
    return false;
}

uint64_t ScriptedVideoDevice::FramesDequeued() const {
    std::lock_guard lock(mutex_);
    return framesDequeued_;
}

v4l2_format ScriptedVideoDevice::LastFormatAsked() const {
    std::lock_guard lock(mutex_);
    return lastFormat_;
}

v4l2_streamparm ScriptedVideoDevice::LastParmSet() const {
    std::lock_guard lock(mutex_);
    return lastParm_;
}

std::optional<int> ScriptedVideoDevice::LastControlSet(uint32_t id) const {
    std::lock_guard lock(mutex_);
    const auto it = controlsSet_.find(id);
    if (it == controlsSet_.end()) return std::nullopt;
    return it->second;
}

int ScriptedVideoDevice::ControlValue(const std::string& path, uint32_t id) const {
    std::lock_guard lock(mutex_);
    for (const auto& device : devices_)
        if (device->script.path == path)
            for (const ScriptedControl& c : device->controls)
                if (c.id == id) return c.value;
    return INT32_MIN;
}

void ScriptedVideoDevice::WaitForStreamEnd() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return idle_ || gone_; });
    idle_ = gone_ = false;
}

}  // namespace testsupport
