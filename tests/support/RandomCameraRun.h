#pragma once

// One run of the video4linux camera against a device scripted from arbitrary bytes: its
// capabilities, formats, sizes, frame intervals, buffer counts, controls, faults at any call,
// frame flags, byte counts and pixel bytes. Shared by the fuzz target and the randomised test.

#include "support/ScriptedVideoDevice.h"
#include "viewer/core/V4l2Camera.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace testsupport {

class ByteSource {
public:
    ByteSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint8_t u8() { return pos_ < size_ ? data_[pos_++] : 0; }
    uint16_t u16() { return static_cast<uint16_t>(u8() | u8() << 8); }
    uint32_t u32() { return u16() | uint32_t{u16()} << 16; }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    template <typename T, size_t N>
    T pick(const T (&choices)[N]) { return choices[u8() % N]; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

struct RandomRunResult {
    bool opened = false;
    bool started = false;
    uint64_t frames = 0;
    bool framesWellFormed = true;  // every frame had the size the stream started with
    // Left behind once the camera is gone: must all be 0.
    size_t mappings = 0;
    int handles = 0;
    int events = 0;
    bool streaming = false;
};

inline DeviceScript ScriptFromBytes(ByteSource& in) {
    static constexpr uint32_t kFormats[] = {V4L2_PIX_FMT_MJPEG, V4L2_PIX_FMT_YUYV, V4L2_PIX_FMT_BGR24};
    static constexpr uint32_t kCaps[] = {V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING,
                                         V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING,
                                         V4L2_CAP_VIDEO_CAPTURE, V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING};
    static constexpr uint32_t kControlIds[] = {V4L2_CID_BRIGHTNESS, V4L2_CID_CONTRAST, V4L2_CID_HUE,
                                               V4L2_CID_SATURATION, V4L2_CID_GAMMA, V4L2_CID_ZOOM_ABSOLUTE,
                                               V4L2_CID_WHITE_BALANCE_TEMPERATURE, V4L2_CID_BASE + 77};
    static constexpr uint32_t kControlTypes[] = {V4L2_CTRL_TYPE_INTEGER, V4L2_CTRL_TYPE_BOOLEAN, V4L2_CTRL_TYPE_MENU,
                                                 V4L2_CTRL_TYPE_BUTTON, V4L2_CTRL_TYPE_INTEGER_MENU,
                                                 V4L2_CTRL_TYPE_CTRL_CLASS};
    static constexpr unsigned long kCalls[] = {
        VIDIOC_QUERYCAP, VIDIOC_G_FMT,    VIDIOC_S_FMT,     VIDIOC_G_PARM,       VIDIOC_S_PARM,
        VIDIOC_ENUM_FRAMEINTERVALS,       VIDIOC_REQBUFS,   VIDIOC_QUERYBUF,     VIDIOC_QBUF,
        VIDIOC_DQBUF,    VIDIOC_STREAMON, VIDIOC_STREAMOFF, VIDIOC_QUERYCTRL,    VIDIOC_G_CTRL,
        VIDIOC_S_CTRL,   ScriptedFault::kOpen, ScriptedFault::kMap, ScriptedFault::kPoll};
    static constexpr int kErrors[] = {EIO, EBUSY, ENODEV, EINVAL, EAGAIN, ENOMEM, EINTR};
    static constexpr int kDequeueErrors[] = {0, 0, 0, 0, EIO, EAGAIN, ENODEV, EINVAL};

    DeviceScript script;
    script.card = "Cam";
    script.capabilities = in.pick(kCaps);
    script.nativeFormats = {in.pick(kFormats)};
    script.converts = in.u8() % 4 != 0;
    script.sizes.clear();
    for (int n = in.u8() % 5; n > 0; --n) script.sizes.emplace_back(in.u16() % 700, in.u16() % 700);
    script.paddingPerLine = in.u8() % 3 == 0 ? in.u8() : 0;
    script.intervals.clear();
    for (int n = in.u8() % 4; n > 0; --n) script.intervals.push_back({in.u8(), in.u8()});
    script.timePerFrame = in.u8() & 1;
    script.bufferCount = in.u8() % 20;
    for (int n = in.u8() % 5; n > 0; --n) {
        ScriptedControl c;
        c.id = in.pick(kControlIds);
        c.type = in.pick(kControlTypes);
        c.minimum = static_cast<int16_t>(in.u16());
        c.maximum = in.u8() & 1 ? in.i32() : static_cast<int16_t>(in.u16());
        c.step = static_cast<int16_t>(in.u16());
        c.value = c.minimum;
        c.flags = in.u8() % 3 == 0 ? in.u32() & 0x3ff : 0;
        script.controls.push_back(c);
    }
    for (int n = in.u8() % 5; n > 0; --n)
        script.faults.push_back({in.pick(kCalls), in.pick(kErrors), in.u8() % 8, 1 + in.u8() % 3});
    for (int n = in.u8() % 9; n > 0; --n) {
        ScriptedFrame f;
        f.flags = in.u8() % 4 == 0 ? V4L2_BUF_FLAG_ERROR : 0;
        if (in.u8() % 3 == 0) f.bytesUsed = in.u32() % (2 * 700 * 700 * 3);
        f.dequeueError = in.pick(kDequeueErrors);
        for (int b = in.u8() % 16; b > 0; --b) f.fill.push_back(in.u8());
        script.frames.push_back(std::move(f));
    }
    script.endless = false;
    script.framePeriodMs = 0;
    return script;
}

inline RandomRunResult RunRandomCamera(const uint8_t* data, size_t size) {
    ByteSource in(data, size);
    RandomRunResult result;
    auto device = std::make_shared<ScriptedVideoDevice>(std::vector<DeviceScript>{ScriptFromBytes(in)});
    {
        lumora::V4l2CameraSystem system(device);
        (void)system.DeviceNames();
        auto camera = system.OpenByName(in.u8() & 1 ? "" : "CAM");
        result.opened = camera != nullptr;
        if (camera) {
            static constexpr lumora::FrameSize kSizes[] = {{640, 480}, {800, 600}, {1280, 960}, {1600, 1200}, {0, 0}};
            (void)camera->SetFormat(in.pick(kSizes));
            (void)camera->Controls();
            for (lumora::CameraProperty p : lumora::kAllCameraProperties) {
                (void)camera->GetProperty(p);
                (void)camera->SetProperty(p, in.i32());
            }
            (void)camera->Zoom();
            (void)camera->SetZoom(in.i32());
            std::atomic<uint64_t> frames{0};
            std::atomic<bool> wellFormed{true};
            for (int round = 0; round < 2; ++round) {
                const lumora::FrameSize format = camera->Format();
                const bool wasStreaming = camera->IsStreaming();
                const auto started = camera->Start(
                    [&](lumora::FramePtr frame) {
                        ++frames;
                        if (frame->width != format.width || frame->height != format.height ||
                            frame->byteCount() != size_t(format.width) * size_t(format.height) * 3u)
                            wellFormed = false;
                    },
                    [] {});
                if (started == lumora::StartResult::Started && !wasStreaming) {
                    result.started = true;
                    device->WaitForStreamEnd();
                }
                if (in.u8() & 1) camera->Stop();  // otherwise the next Start or the end stops it
            }
            result.frames = frames;
            result.framesWellFormed = wellFormed;
        }
    }
    result.mappings = device->Mappings();
    result.handles = device->OpenHandles();
    result.events = device->OpenEvents();
    result.streaming = device->Streaming("/dev/video0");
    return result;
}

}  // namespace testsupport
