#include "viewer/core/CameraBackend.h"
#include "viewer/core/FramePool.h"
#include "viewer/core/SlideRenderer.h"
#include "viewer/core/StillBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <thread>

using namespace lumora;

namespace {

TEST(FindDevice, EmptyNameTakesTheFirstAndNamesMatchWithoutCase) {
    const std::vector<std::string> names = {"Integrated Camera", "USB Microscope", "usb microscope"};
    const struct {
        const char* wanted;
        int index;
    } cases[] = {{"", 0},
                 {"USB Microscope", 1},
                 {"usb MICROSCOPE", 1},  // the first of equal names
                 {"Integrated Camera ", -1},
                 {"USB", -1},
                 {"Other", -1}};
    for (const auto& c : cases) EXPECT_EQ(FindDevice(names, c.wanted), c.index) << '"' << c.wanted << '"';
    EXPECT_EQ(FindDevice({}, ""), -1);
    EXPECT_EQ(FindDevice({}, "USB Microscope"), -1);
}

TEST(FramePool, HandsOutAtMostItsCapacityAndTakesBuffersBack) {
    FramePool pool(2);
    auto a = pool.Acquire(640, 480);
    auto b = pool.Acquire(800, 600);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->byteCount(), 921600u);
    EXPECT_EQ(b->byteCount(), 1440000u);
    EXPECT_EQ(pool.Acquire(640, 480), nullptr);  // full: the producer drops the frame
    const Frame* reused = a.get();
    a.reset();
    EXPECT_EQ(pool.inUse(), 1u);
    auto c = pool.Acquire(1600, 1200);
    EXPECT_EQ(c.get(), reused);
    EXPECT_EQ(c->byteCount(), 5760000u);
}

TEST(FramePool, BuffersReleasedOnOtherThreadsAndAfterThePoolReturnSafely) {
    std::vector<std::shared_ptr<Frame>> held;
    {
        FramePool pool(4);
        for (int round = 0; round < 50; ++round) {
            auto frame = pool.Acquire(64, 48);
            ASSERT_TRUE(frame) << round;
            std::thread([f = std::move(frame)]() mutable { f.reset(); }).join();
        }
        EXPECT_EQ(pool.inUse(), 0u);
        held.push_back(pool.Acquire(64, 48));
    }
    // The pool is gone; the frame stays valid and is freed with its last reference.
    ASSERT_TRUE(held.front());
    std::fill(held.front()->bytes.begin(), held.front()->bytes.end(), uint8_t{7});
    held.clear();
}

TEST(StillBuffer, HeaderLayoutAndSize) {
    StillBuffer still;
    EXPECT_EQ(still.capacity(), 5760040u);
    EXPECT_TRUE(std::all_of(still.data(), still.data() + still.capacity(), [](uint8_t b) { return b == 0; }));
    ASSERT_TRUE(still.WriteHeader(800, 600));
    const uint8_t expected[40] = {40, 0, 0, 0,  0x20, 3, 0, 0,  0x58, 2, 0, 0,  1, 0, 24, 0,  0, 0, 0, 0,
                                  0x28, 0xf9, 0x15, 0,  0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(still.data(), expected, 40), 0);  // image size 1 440 040: the header counts
    EXPECT_EQ(still.stillBytes(), 1440040u);
    EXPECT_FALSE(still.WriteHeader(1601, 1200));
    EXPECT_FALSE(still.WriteHeader(640, -1));
    EXPECT_EQ(still.width(), 800);  // a refused header leaves the last one
}

TEST(StillBuffer, CopiesPixelsBehindTheHeaderAndRefusesOversizedFrames) {
    StillBuffer still;
    Frame frame{2, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 1};
    ASSERT_TRUE(still.CopyPixels(frame));
    EXPECT_EQ(std::memcmp(still.pixels(), frame.bytes.data(), 12), 0);
    Frame huge;
    huge.bytes.resize(StillBuffer::kCapacity);
    EXPECT_FALSE(still.CopyPixels(huge));
}

double MeanLevel(const Frame& f) {
    return std::accumulate(f.bytes.begin(), f.bytes.end(), 0.0) / static_cast<double>(f.byteCount());
}

double Spread(const Frame& f) {
    const double mean = MeanLevel(f);
    double sum = 0;
    for (uint8_t b : f.bytes) sum += (b - mean) * (b - mean);
    return std::sqrt(sum / static_cast<double>(f.byteCount()));
}

Frame Render(int w, int h, const CameraProperties& p, int zoom = 100) {
    Frame f{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 3), 1};
    RenderSpecimen(f, SpecimenView{0, 0, zoom}, p);
    return f;
}

TEST(SlideRenderer, BrightnessAndContrastVisiblyChangeThePicture) {
    CameraProperties normal, bright, dark, flat, steep;
    bright[CameraProperty::Brightness] = 60;
    dark[CameraProperty::Brightness] = -60;
    flat[CameraProperty::Contrast] = 10;
    steep[CameraProperty::Contrast] = 90;
    const Frame base = Render(160, 120, normal);
    EXPECT_GT(MeanLevel(Render(160, 120, bright)), MeanLevel(base) + 20);
    EXPECT_LT(MeanLevel(Render(160, 120, dark)), MeanLevel(base) - 20);
    EXPECT_LT(Spread(Render(160, 120, flat)), Spread(base) * 0.5);
    EXPECT_GT(Spread(Render(160, 120, steep)), Spread(base) * 1.3);
}

TEST(SlideRenderer, SaturationZeroIsGreyAndWhiteBalanceTints) {
    CameraProperties grey, warm;
    grey[CameraProperty::Saturation] = 0;
    warm[CameraProperty::WhiteBalance] = 4000;
    const Frame g = Render(80, 60, grey);
    for (size_t i = 0; i < g.byteCount(); i += 3) {
        ASSERT_NEAR(g.bytes[i], g.bytes[i + 1], 1) << i;
        ASSERT_NEAR(g.bytes[i + 1], g.bytes[i + 2], 1) << i;
    }
    const Frame w = Render(80, 60, warm);
    long redMinusBlue = 0;
    for (size_t i = 0; i < w.byteCount(); i += 3) redMinusBlue += w.bytes[i + 2] - w.bytes[i];
    EXPECT_GT(redMinusBlue / static_cast<long>(w.byteCount() / 3), 30);
}

// The ruler's base line is a dark row across the middle of the frame at every size: the same
// field of view whatever the resolution, magnified by the zoom.
TEST(SlideRenderer, RulerSitsAtTheSameFieldPositionAtEverySize) {
    const CameraProperties p;
    for (const auto& [w, h] : {std::pair{640, 480}, {800, 600}, {1280, 960}, {1600, 1200}}) {
        const Frame f = Render(w, h, p);
        const int lineY = h / 2 + static_cast<int>(150.0 * w / 640.0) + 1;  // world row 150.x, image rows top-down
        const uint8_t* row = f.bytes.data() + static_cast<size_t>(h - 1 - lineY) * w * 3;
        const uint8_t* centre = row + (w / 2) * 3;
        EXPECT_LT(centre[0] + centre[1] + centre[2], 120) << w << "x" << h;
    }
}

// Ticks every 10 world units: the zoom magnifies the field, so fewer ticks fit in the frame.
TEST(SlideRenderer, ZoomMagnifiesTheRuler) {
    const CameraProperties p;
    const auto ticksAcross = [&](int zoom) {
        Frame f{640, 480, std::vector<uint8_t>(640 * 480 * 3), 1};
        RenderSpecimen(f, SpecimenView{0, 150, zoom}, p);  // the ruler's base line mid-frame
        const int y = 240 - 4 * zoom / 100;                 // 4 world units above the base line
        const uint8_t* row = f.bytes.data() + static_cast<size_t>(479 - y) * 640 * 3;
        int runs = 0;
        bool inTick = false;
        for (int x = 0; x < 640; ++x) {
            const bool dark = row[3 * x] + row[3 * x + 1] + row[3 * x + 2] < 150;
            runs += dark && !inTick;
            inTick = dark;
        }
        return runs;
    };
    EXPECT_EQ(ticksAcross(100), 61);  // the whole ruler, -300 to 300
    EXPECT_EQ(ticksAcross(200), 33);  // -160 to 160
}

}  // namespace
