#include "measure/core/ScalePitch.h"

#include <gtest/gtest.h>

using namespace tessmet;

namespace {

struct NiceCase {
    double value;
    double pitch;
    const char* text;
};

class NicePitchTest : public ::testing::TestWithParam<NiceCase> {};

TEST_P(NicePitchTest, RoundsToOneOrFiveTimesAPowerOfTen) {
    const ValueText v = NicePitch(GetParam().value);
    EXPECT_DOUBLE_EQ(v.value, GetParam().pitch) << GetParam().value;
    EXPECT_EQ(v.text, GetParam().text) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Values, NicePitchTest,
                         ::testing::Values(NiceCase{0.0023, 0.001, "0.001"}, NiceCase{0.004, 0.005, "0.005"},
                                           NiceCase{9.0, 10.0, "10"}, NiceCase{230.0, 100.0, "100"},
                                           NiceCase{200.0 / 6.0, 50.0, "50"}, NiceCase{1.0, 1.0, "1"},
                                           NiceCase{2.4, 1.0, "1"}, NiceCase{2.5, 5.0, "5"},
                                           NiceCase{7.4, 5.0, "5"}, NiceCase{7.5, 10.0, "10"},
                                           NiceCase{0.09, 0.1, "0.1"}, NiceCase{0.009, 0.01, "0.01"},
                                           NiceCase{0.96, 1.0, "1"}, NiceCase{0.5, 0.5, "0.5"},
                                           NiceCase{-230.0, 100.0, "100"}, NiceCase{123456.0, 100000.0, "100000"}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(NicePitch, ZeroGivesNothing) {
    EXPECT_EQ(NicePitch(0.0).value, 0.0);
    EXPECT_EQ(NicePitch(0.0).text, "");
}

TEST(FormatPitch, ScaleOfAPixelImageAtZoomOneIsFiftyPixels) {
    const Pitch p = FormatPitch({Unit::Pixel, 1.0, 1.0}, 'H', 1.0, 200, 6);
    EXPECT_EQ(p.screenPixels, 50);
    EXPECT_EQ(p.text, "50");
}

TEST(FormatPitch, CalibratedAxesUseTheirOwnResolution) {
    // 0.01 mm/pixel horizontally: 200 * 0.01 / 6 = 0.333 mm -> 0.5 mm = 50 screen pixels.
    // 0.02 mm/pixel vertically: 0.667 mm -> 0.5 mm = 25 screen pixels.
    const CalibrationValues c{Unit::Millimetre, 0.01, 0.02};
    const Pitch h = FormatPitch(c, 'H', 1.0, 200, 6);
    const Pitch v = FormatPitch(c, 'V', 1.0, 200, 6);
    EXPECT_EQ(h.text, "0.5");
    EXPECT_EQ(h.screenPixels, 50);
    EXPECT_EQ(v.text, "0.5");
    EXPECT_EQ(v.screenPixels, 25);
    // At zoom 2 the same 0.5 mm would be 100 pixels, so the pitch drops to 0.1 mm = 20 pixels.
    const Pitch zoomed = FormatPitch(c, 'H', 2.0, 200, 6);
    EXPECT_EQ(zoomed.text, "0.1");
    EXPECT_EQ(zoomed.screenPixels, 20);
}

TEST(FormatPitch, MicrometresAndInches) {
    const Pitch um = FormatPitch({Unit::Micrometre, 0.001, 0.001}, 'H', 1.0, 200, 6);
    EXPECT_EQ(um.text, "50");
    EXPECT_EQ(um.screenPixels, 50);
    const Pitch inch = FormatPitch({Unit::Inch, 0.254, 0.254}, 'H', 1.0, 200, 6);
    EXPECT_EQ(inch.text, "0.5");  // 0.01 inch per pixel: 0.333 inch -> 0.5 inch = 50 pixels
    EXPECT_EQ(inch.screenPixels, 50);
}

TEST(FormatPitch, ZeroResolutionGivesNoPitch) {
    const Pitch p = FormatPitch({Unit::Millimetre, 0.0, 0.0}, 'V', 1.0, 200, 6);
    EXPECT_EQ(p.text, "");
    EXPECT_EQ(p.screenPixels, 0);
}

TEST(FormatPitch, UnknownUnitsMeasureInPixels) {
    const Pitch p = FormatPitch({9, 0.01, 0.01}, 'H', 1.0, 200, 6);
    EXPECT_EQ(p.text, "50");
    EXPECT_EQ(p.screenPixels, 50);
}

}  // namespace
