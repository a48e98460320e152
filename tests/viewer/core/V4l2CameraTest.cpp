// The video4linux backend against a scripted device: device choice, format and frame-rate
// negotiation, controls, the frame stream with its faults, and restarts.
#include "support/RandomCameraRun.h"
#include "support/ScriptedVideoDevice.h"
#include "viewer/core/V4l2Camera.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <mutex>
#include <random>

using namespace lumora;
using testsupport::DeviceScript;
using testsupport::FramePattern;
using testsupport::ScriptedControl;
using testsupport::ScriptedFault;
using testsupport::ScriptedFrame;
using testsupport::ScriptedVideoDevice;

namespace {

DeviceScript Camera(std::string path, std::string card) {
    DeviceScript script;
    script.path = std::move(path);
    script.card = std::move(card);
    return script;
}

// Collects what a stream delivers and whether it ended by itself.
struct StreamRecord {
    std::mutex mutex;
    std::vector<FramePtr> frames;
    std::promise<void> lostPromise;
    std::future<void> lost = lostPromise.get_future();
    std::atomic<int> lostCalls{0};

    FrameSink sink() {
        return [this](FramePtr frame) {
            std::lock_guard lock(mutex);
            frames.push_back(std::move(frame));
        };
    }
    DeviceLostHandler lostHandler() {
        return [this] {
            if (lostCalls++ == 0) lostPromise.set_value();
        };
    }
    size_t count() {
        std::lock_guard lock(mutex);
        return frames.size();
    }
};

struct Rig {
    std::shared_ptr<ScriptedVideoDevice> device;
    V4l2CameraSystem system;
    explicit Rig(std::vector<DeviceScript> scripts)
        : device(std::make_shared<ScriptedVideoDevice>(std::move(scripts))), system(device) {}
    explicit Rig(DeviceScript script) : Rig(std::vector<DeviceScript>{std::move(script)}) {}
};

}  // namespace

// --- choosing the device ---------------------------------------------------------------------

TEST(V4l2CameraSystem, opens_the_device_the_name_selects) {
    DeviceScript metadata = Camera("/dev/video1", "Metadata Node");
    metadata.capabilities = V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING;
    DeviceScript refusing = Camera("/dev/video2", "Refusing Camera");
    refusing.faults = {{ScriptedFault::kOpen, EACCES, 0, -1}};
    DeviceScript noStreaming = Camera("/dev/video3", "Read Only Camera");
    noStreaming.capabilities = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_READWRITE;
    Rig rig({Camera("/dev/video0", "USB Microscope"), metadata, refusing, noStreaming,
             Camera("/dev/video4", "Second Camera")});

    EXPECT_EQ(rig.system.DeviceNames(), (std::vector<std::string>{"USB Microscope", "Second Camera"}));
    struct Case {
        const char* wanted;
        const char* opened;  // nullptr: nothing
    };
    const Case cases[] = {
        {"", "USB Microscope"},               // empty: the first camera
        {"usb microscope", "USB Microscope"}, // letter case does not matter
        {"SECOND CAMERA", "Second Camera"},
        {"Second Camera ", nullptr},          // but every other character does
        {"Metadata Node", nullptr},           // not a capture device
        {"Refusing Camera", nullptr},         // cannot be opened
        {"Read Only Camera", nullptr},        // cannot stream
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wanted);
        const auto camera = rig.system.OpenByName(c.wanted);
        if (c.opened) {
            ASSERT_NE(camera, nullptr);
            EXPECT_EQ(camera->Name(), c.opened);
        } else {
            EXPECT_EQ(camera, nullptr);
        }
    }
    EXPECT_EQ(rig.device->OpenHandles(), 0);  // the listing closes what it opened
    EXPECT_EQ(rig.device->OpenEvents(), 0);
}

TEST(V4l2CameraSystem, an_empty_machine_has_no_camera) {
    Rig rig(std::vector<DeviceScript>{});
    EXPECT_TRUE(rig.system.DeviceNames().empty());
    EXPECT_EQ(rig.system.OpenByName(""), nullptr);
    EXPECT_EQ(V4l2CameraSystem(nullptr).OpenByName(""), nullptr);
}

// --- format and frame rate ---------------------------------------------------------------------

TEST(V4l2Camera, format_negotiation) {
    struct Case {
        const char* name;
        std::vector<uint32_t> native;
        bool converts;
        std::vector<std::pair<uint32_t, uint32_t>> sizes;
        FrameSize asked;
        bool accepted;
        FrameSize result;
    };
    const std::vector<std::pair<uint32_t, uint32_t>> stills = {{640, 480}, {800, 600}, {1280, 960}, {1600, 1200}};
    const Case cases[] = {
        {"mjpeg through conversion", {V4L2_PIX_FMT_MJPEG}, true, stills, {1600, 1200}, true, {1600, 1200}},
        {"yuyv through conversion", {V4L2_PIX_FMT_YUYV}, true, stills, {800, 600}, true, {800, 600}},
        {"native 24-bit", {V4L2_PIX_FMT_BGR24}, false, stills, {1280, 960}, true, {1280, 960}},
        {"nearest size answered", {V4L2_PIX_FMT_MJPEG}, true, {{640, 480}, {1280, 720}}, {1600, 1200}, false, {1280, 720}},
        {"yuyv without conversion", {V4L2_PIX_FMT_YUYV}, false, stills, {640, 480}, false, {640, 480}},
        {"mjpeg without conversion", {V4L2_PIX_FMT_MJPEG}, false, stills, {800, 600}, false, {800, 600}},
        {"zero size refused", {V4L2_PIX_FMT_MJPEG}, true, stills, {0, 480}, false, {640, 480}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceScript script;
        script.nativeFormats = c.native;
        script.converts = c.converts;
        script.sizes = c.sizes;
        Rig rig(script);
        auto camera = rig.system.OpenByName("");
        ASSERT_NE(camera, nullptr);
        EXPECT_EQ(camera->SetFormat(c.asked), c.accepted);
        EXPECT_EQ(camera->Format(), c.result);
        const v4l2_format asked = rig.device->LastFormatAsked();
        EXPECT_EQ(asked.fmt.pix.pixelformat, uint32_t{V4L2_PIX_FMT_BGR24});
        EXPECT_EQ(asked.fmt.pix.field, uint32_t{V4L2_FIELD_NONE});  // progressive
        // Without 24-bit frames there is nothing to stream.
        StreamRecord record;
        EXPECT_EQ(camera->Start(record.sink(), record.lostHandler()) == StartResult::Started,
                  c.converts || c.native.front() == V4L2_PIX_FMT_BGR24);
        camera->Stop();
    }
}

TEST(V4l2Camera, asks_for_the_fastest_frame_interval_the_size_has) {
    struct Case {
        const char* name;
        std::vector<v4l2_fract> intervals;
        bool timePerFrame;
        int parmCalls;
        v4l2_fract expected;
    };
    const Case cases[] = {
        {"shortest of the list", {{1, 15}, {1, 30}, {1, 5}}, true, 1, {1, 30}},
        {"not the first nor the last", {{2, 15}, {1, 60}, {1, 25}}, true, 1, {1, 60}},
        {"zero fractions ignored", {{0, 30}, {1, 0}, {1, 10}}, true, 1, {1, 10}},
        {"no list: 100 units of 100 ns", {}, true, 1, {100, 10000000}},
        {"fixed rate: nothing asked", {{1, 30}}, false, 0, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceScript script;
        script.intervals = c.intervals;
        script.timePerFrame = c.timePerFrame;
        Rig rig(script);
        auto camera = rig.system.OpenByName("");
        ASSERT_NE(camera, nullptr);
        const int before = rig.device->Calls(VIDIOC_S_PARM);
        EXPECT_TRUE(camera->SetFormat({1280, 960}));
        EXPECT_EQ(rig.device->Calls(VIDIOC_S_PARM) - before, c.parmCalls);
        const v4l2_streamparm parm = rig.device->LastParmSet();
        EXPECT_EQ(parm.parm.capture.timeperframe.numerator, c.expected.numerator);
        EXPECT_EQ(parm.parm.capture.timeperframe.denominator, c.expected.denominator);
    }
}

// --- controls ----------------------------------------------------------------------------------

TEST(V4l2Camera, fit_control_value) {
    struct Case {
        int value, minimum, maximum, step, expected;
    };
    const Case cases[] = {
        {50, 0, 100, 1, 50},          {-5, 0, 100, 1, 0},       {500, 0, 100, 1, 100},
        {7, 0, 100, 5, 5},            {8, 0, 100, 5, 10},       {98, 0, 99, 5, 95},  // 100 is beyond
        {2850, 2800, 6500, 100, 2900},{2849, 2800, 6500, 100, 2800},
        {-64, -64, 64, 1, -64},       {-3, -10, 10, 4, -2},     {5, 3, 3, 1, 3},
        {INT32_MAX, INT32_MIN, INT32_MAX, 2, INT32_MAX - 1},    {INT32_MIN, INT32_MIN, 0, 7, INT32_MIN},
        {12, 0, 100, 0, 12},  // a driver that gives no step
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitControlValue(c.value, c.minimum, c.maximum, c.step), c.expected)
            << c.value << " in " << c.minimum << ".." << c.maximum << " step " << c.step;
}

TEST(V4l2Camera, controls_are_fitted_and_unsettable_ones_skipped) {
    struct Case {
        const char* name;
        ScriptedControl control;
        int value;
        std::optional<int> sent;  // nullopt: the camera is not asked
    };
    const auto brightness = [](int minimum, int maximum, int step, uint32_t flags = 0) {
        return ScriptedControl{V4L2_CID_BRIGHTNESS, "Brightness", V4L2_CTRL_TYPE_INTEGER, minimum, maximum, step, 0, 0, flags};
    };
    const Case cases[] = {
        {"in range", brightness(-64, 64, 1), 20, 20},
        {"below", brightness(-64, 64, 1), -100, -64},
        {"above", brightness(-64, 64, 1), 1000, 64},
        {"onto the step", brightness(0, 255, 10), 44, 40},
        {"inactive", brightness(0, 255, 1, V4L2_CTRL_FLAG_INACTIVE), 10, std::nullopt},
        {"read-only", brightness(0, 255, 1, V4L2_CTRL_FLAG_READ_ONLY), 10, std::nullopt},
        {"disabled", brightness(0, 255, 1, V4L2_CTRL_FLAG_DISABLED), 10, std::nullopt},
        {"grabbed", brightness(0, 255, 1, V4L2_CTRL_FLAG_GRABBED), 10, std::nullopt},
        {"empty range", brightness(10, 0, 1), 5, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceScript script;
        script.controls = {c.control};
        Rig rig(script);
        auto camera = rig.system.OpenByName("");
        ASSERT_NE(camera, nullptr);
        EXPECT_EQ(camera->SetProperty(CameraProperty::Brightness, c.value), c.sent.has_value());
        EXPECT_EQ(rig.device->LastControlSet(V4L2_CID_BRIGHTNESS), c.sent);
    }
}

TEST(V4l2Camera, a_control_the_camera_lacks_is_missing) {
    DeviceScript script;
    script.controls = {{V4L2_CID_CONTRAST, "Contrast", V4L2_CTRL_TYPE_INTEGER, 0, 100, 1, 50, 42, 0},
                       {V4L2_CID_ZOOM_ABSOLUTE, "Zoom, Absolute", V4L2_CTRL_TYPE_INTEGER, 100, 500, 1, 100, 150, 0},
                       {V4L2_CID_HUE, "Hue", V4L2_CTRL_TYPE_INTEGER, -10, 10, 1, 0, 3, V4L2_CTRL_FLAG_WRITE_ONLY}};
    Rig rig(script);
    auto camera = rig.system.OpenByName("");
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->GetProperty(CameraProperty::Contrast), 42);
    EXPECT_EQ(camera->GetProperty(CameraProperty::Brightness), std::nullopt);
    EXPECT_EQ(camera->GetProperty(CameraProperty::Hue), std::nullopt);  // cannot be read
    EXPECT_FALSE(camera->SetProperty(CameraProperty::Gamma, 100));
    EXPECT_EQ(rig.device->Calls(VIDIOC_S_CTRL), 0);
    EXPECT_EQ(camera->Zoom(), 150);
    EXPECT_TRUE(camera->SetZoom(900));
    EXPECT_EQ(camera->Zoom(), 500);

    const auto controls = camera->Controls();  // the write-only hue has no value to show
    ASSERT_EQ(controls.size(), 2u);
    EXPECT_EQ(controls[0].name, "Contrast");
    EXPECT_EQ(controls[1].name, "Zoom, Absolute");
    EXPECT_EQ(controls[1].value, 500);
}

// --- the stream --------------------------------------------------------------------------------

TEST(V4l2Camera, frames_arrive_bottom_up_without_line_padding) {
    for (uint32_t padding : {0u, 64u}) {
        SCOPED_TRACE(padding);
        DeviceScript script;
        script.paddingPerLine = padding;
        script.frames.resize(3);
        script.endless = false;
        Rig rig(script);
        auto camera = rig.system.OpenByName("");
        ASSERT_TRUE(camera->SetFormat({640, 480}));
        StreamRecord record;
        ASSERT_EQ(camera->Start(record.sink(), record.lostHandler()), StartResult::Started);
        rig.device->WaitForStreamEnd();
        camera->Stop();
        ASSERT_EQ(record.count(), 3u);
        const Frame& frame = *record.frames.back();
        ASSERT_EQ(frame.width, 640);
        ASSERT_EQ(frame.byteCount(), 640u * 480u * 3u);
        EXPECT_EQ(frame.sequence, 3u);
        for (uint32_t y : {0u, 1u, 239u, 479u})
            for (uint32_t x : {0u, 1u, 2u, 1000u, 1919u})
                EXPECT_EQ(frame.bytes[(479 - y) * 1920 + x], FramePattern(x, y)) << x << "," << y;
    }
}

TEST(V4l2Camera, damaged_frames_are_dropped_and_the_stream_goes_on) {
    const uint32_t whole = 640 * 480 * 3;
    struct Case {
        const char* name;
        std::vector<ScriptedFrame> frames;
        size_t delivered;
        bool lost;
    };
    const ScriptedFrame good;
    const auto flagged = [](uint32_t flags) { ScriptedFrame f; f.flags = flags; return f; };
    const auto used = [](uint32_t bytes) { ScriptedFrame f; f.bytesUsed = bytes; return f; };
    const auto failing = [](int error) { ScriptedFrame f; f.dequeueError = error; return f; };
    const Case cases[] = {
        {"plain", {good, good, good}, 3, false},
        {"error flag", {good, flagged(V4L2_BUF_FLAG_ERROR), good}, 2, false},
        {"corrupt compressed frames (EIO)", {failing(EIO), failing(EIO), failing(EIO), good}, 1, false},
        {"nothing yet (EAGAIN)", {failing(EAGAIN), good}, 1, false},
        {"short frame", {used(whole - 1), good}, 1, false},
        {"empty frame", {used(0), good, good}, 2, false},
        {"bytes beyond the buffer", {used(whole * 2), good}, 2, false},
        {"unplugged (ENODEV)", {good, failing(ENODEV), good}, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceScript script;
        script.frames = c.frames;
        script.endless = false;
        Rig rig(script);
        auto camera = rig.system.OpenByName("");
        ASSERT_TRUE(camera->SetFormat({640, 480}));
        StreamRecord record;
        ASSERT_EQ(camera->Start(record.sink(), record.lostHandler()), StartResult::Started);
        rig.device->WaitForStreamEnd();
        if (c.lost) record.lost.wait();
        camera->Stop();
        EXPECT_EQ(record.count(), c.delivered);
        EXPECT_EQ(record.lostCalls.load(), c.lost ? 1 : 0);
    }
}

TEST(V4l2Camera, poll_error_means_the_camera_is_gone) {
    DeviceScript script;
    script.faults = {{ScriptedFault::kPoll, 0, 2, 1}};
    Rig rig(script);
    auto camera = rig.system.OpenByName("");
    StreamRecord record;
    ASSERT_EQ(camera->Start(record.sink(), record.lostHandler()), StartResult::Started);
    record.lost.wait();
    EXPECT_FALSE(camera->IsStreaming());
    EXPECT_EQ(record.lostCalls.load(), 1);
}

// A stream that ended by itself still holds the driver's buffers and its mappings; starting
// again must give them back first, or the driver answers EBUSY and the mappings leak.
TEST(V4l2Camera, start_lose_start_twenty_times) {
    DeviceScript script;
    Rig rig(script);
    auto camera = rig.system.OpenByName("");
    ASSERT_NE(camera, nullptr);
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        rig.device->AddFault(script.path, {ScriptedFault::kPoll, 0, 1, 1});  // lost after a frame
        StreamRecord record;
        ASSERT_EQ(camera->Start(record.sink(), record.lostHandler()), StartResult::Started);
        EXPECT_EQ(rig.device->Mappings(), 4u);
        record.lost.wait();
        EXPECT_FALSE(camera->IsStreaming());
        if (round % 5 == 4) {
            // Now and then the format changes between two streams.
            EXPECT_TRUE(camera->SetFormat(round % 2 ? FrameSize{640, 480} : FrameSize{800, 600}));
            EXPECT_EQ(rig.device->Mappings(), 0u);
        }
    }
    StreamRecord last;
    ASSERT_EQ(camera->Start(last.sink(), last.lostHandler()), StartResult::Started);
    camera->Stop();
    EXPECT_EQ(rig.device->FailedCalls(VIDIOC_REQBUFS, EBUSY), 0);
    EXPECT_EQ(rig.device->FailedCalls(VIDIOC_S_FMT, EBUSY), 0);
    EXPECT_EQ(rig.device->Mappings(), 0u);
    EXPECT_FALSE(rig.device->Streaming(script.path));
    camera.reset();
    EXPECT_EQ(rig.device->OpenHandles(), 0);
    EXPECT_EQ(rig.device->OpenEvents(), 0);
}

TEST(V4l2Camera, setup_faults_leave_nothing_behind) {
    struct Case {
        const char* name;
        ScriptedFault fault;
        StartResult result;
        bool busy;
    };
    const Case cases[] = {
        {"buffers held elsewhere", {VIDIOC_REQBUFS, EBUSY, 0, 1}, StartResult::SetupFailed, true},
        {"no memory for buffers", {VIDIOC_REQBUFS, ENOMEM, 0, 1}, StartResult::SetupFailed, false},
        {"second buffer unknown", {VIDIOC_QUERYBUF, EINVAL, 1, 1}, StartResult::SetupFailed, false},
        {"third mapping fails", {ScriptedFault::kMap, ENOMEM, 2, 1}, StartResult::SetupFailed, false},
        {"queueing fails", {VIDIOC_QBUF, EINVAL, 3, 1}, StartResult::SetupFailed, false},
        {"stream refused", {VIDIOC_STREAMON, EIO, 0, 1}, StartResult::StreamRefused, false},
        {"stream held elsewhere", {VIDIOC_STREAMON, EBUSY, 0, 1}, StartResult::StreamRefused, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceScript script;
        script.faults = {c.fault};
        Rig rig(script);
        auto camera = rig.system.OpenByName("");
        ASSERT_NE(camera, nullptr);
        StreamRecord record;
        EXPECT_EQ(camera->Start(record.sink(), record.lostHandler()), c.result);
        EXPECT_EQ(camera->Busy(), c.busy);
        EXPECT_EQ(rig.device->Mappings(), 0u);
        // The fault was once: the next start works.
        EXPECT_EQ(camera->Start(record.sink(), record.lostHandler()), StartResult::Started);
        EXPECT_FALSE(camera->Busy());
        camera->Stop();
        EXPECT_EQ(rig.device->Mappings(), 0u);
    }
}

TEST(V4l2Camera, a_camera_held_elsewhere_is_busy) {
    DeviceScript script;
    Rig rig(script);
    auto camera = rig.system.OpenByName("");
    rig.device->HoldElsewhere(script.path, true);
    EXPECT_FALSE(camera->SetFormat({800, 600}));
    EXPECT_TRUE(camera->Busy());
    StreamRecord record;
    EXPECT_EQ(camera->Start(record.sink(), record.lostHandler()), StartResult::SetupFailed);
    EXPECT_TRUE(camera->Busy());
    rig.device->HoldElsewhere(script.path, false);
    EXPECT_TRUE(camera->SetFormat({800, 600}));
    EXPECT_FALSE(camera->Busy());
}

// Devices scripted from random bytes (the fuzz target's input, here with a fixed seed): whatever
// they answer, the camera neither crashes nor hangs, delivers only whole frames of its format
// and gives back every mapping, handle and wake-up channel.
TEST(V4l2Camera, random_devices_leave_nothing_behind) {
    std::mt19937 random(20261208);
    int started = 0;
    uint64_t frames = 0;
    for (int run = 0; run < 300; ++run) {
        std::vector<uint8_t> bytes(random() % 200);
        for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
        SCOPED_TRACE(run);
        const testsupport::RandomRunResult result = testsupport::RunRandomCamera(bytes.data(), bytes.size());
        EXPECT_TRUE(result.framesWellFormed);
        EXPECT_EQ(result.mappings, 0u);
        EXPECT_EQ(result.handles, 0);
        EXPECT_EQ(result.events, 0);
        EXPECT_FALSE(result.streaming);
        started += result.started;
        frames += result.frames;
    }
    // The scripts are not all refused at the door: a good share streams and delivers.
    EXPECT_GT(started, 30);
    EXPECT_GT(frames, 30u);
}
