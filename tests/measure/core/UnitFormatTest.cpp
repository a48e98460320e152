#include "measure/core/UnitFormat.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tessmet;

namespace {

constexpr CalibrationValues kPixel{Unit::Pixel, 1.0, 1.0};

struct LengthCase {
    const char* name;
    CalibrationValues calibration;
    int dx, dy;
    const char* text;
};

class FormatLengthTest : public ::testing::TestWithParam<LengthCase> {};

TEST_P(FormatLengthTest, TextMatches) {
    const LengthCase& c = GetParam();
    EXPECT_EQ(FormatLength(c.calibration, c.dx, c.dy, true).text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Units, FormatLengthTest,
    ::testing::Values(
        LengthCase{"pixel", kPixel, 3, 4, "5.00[pixel]"},
        LengthCase{"pixel_ignores_resolution", {Unit::Pixel, 0.5, 7.0}, 3, 4, "5.00[pixel]"},
        LengthCase{"millimetre", {Unit::Millimetre, 0.01, 0.01}, 3, 4, "0.0500[mm]"},
        LengthCase{"micrometre", {Unit::Micrometre, 0.01, 0.01}, 3, 4, "50.0000[um]"},
        LengthCase{"inch", {Unit::Inch, 25.4, 25.4}, 3, 4, "5.0000[inch]"},
        LengthCase{"unknown_unit_is_inch", {7, 25.4, 25.4}, -3, -4, "5.0000[inch]"},
        LengthCase{"anisotropic", {Unit::Millimetre, 0.01, 0.02}, 10, 0, "0.1000[mm]"},
        LengthCase{"anisotropic_vertical", {Unit::Millimetre, 0.01, 0.02}, 0, 10, "0.2000[mm]"},
        LengthCase{"zero_resolution_prints_zero", {Unit::Millimetre, 0.0, 0.0}, 30, 40, "0.0000[mm]"},
        LengthCase{"negative_offsets", kPixel, -6, -8, "10.00[pixel]"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatLength, WithoutUnitGivesTheBareValue) {
    const ValueText v = FormatLength({Unit::Millimetre, 0.01, 0.01}, 3, 4, false);
    EXPECT_EQ(v.text, "0.0500");
    EXPECT_DOUBLE_EQ(v.value, 0.05);
}

struct AreaCase {
    CalibrationValues calibration;
    long long count;
    const char* text;
};

TEST(FormatArea, UsesTheUnitsAreaSuffixAndDecimals) {
    const AreaCase cases[] = {
        {kPixel, 1234, "1234.00[pixel*pixel]"},
        {{Unit::Millimetre, 0.01, 0.02}, 100, "0.0200[mm*mm]"},
        {{Unit::Micrometre, 0.001, 0.001}, 7, "7.0000[um*um]"},
        {{Unit::Inch, 25.4, 25.4}, 3, "3.0000[inch*inch]"},
        {{Unit::Millimetre, 0.0, 0.0}, 500, "0.0000[mm*mm]"},
    };
    for (const AreaCase& c : cases) EXPECT_EQ(FormatArea(c.calibration, c.count, true).text, c.text);
    EXPECT_EQ(FormatArea(kPixel, 5, false).text, "5.00");
}

TEST(UnitSuffix, TableOfUnitsAndKinds) {
    struct Case {
        UnitType unit;
        int kind;
        const char* suffix;
    } cases[] = {
        {Unit::Pixel, SuffixKind::Length, "[pixel]"},     {Unit::Pixel, SuffixKind::PerPixel, ""},
        {Unit::Pixel, SuffixKind::PerPitch, "[pixel/pitch]"}, {Unit::Pixel, SuffixKind::Area, "[pixel*pixel]"},
        {Unit::Millimetre, SuffixKind::PerPixel, "[mm/pixel]"}, {Unit::Micrometre, SuffixKind::PerPitch, "[um/pitch]"},
        {Unit::Inch, SuffixKind::Area, "[inch*inch]"},   {-1, SuffixKind::Length, "[inch]"},
        {4, SuffixKind::PerPixel, "[inch/pixel]"},
    };
    for (const Case& c : cases) EXPECT_EQ(UnitSuffix(c.unit, c.kind), c.suffix) << c.unit << "/" << c.kind;
}

struct SignificantCase {
    double value;
    const char* text;
    double number;
};

class FormatSignificantTest : public ::testing::TestWithParam<SignificantCase> {};

TEST_P(FormatSignificantTest, CutsToThreeDigits) {
    const ValueText v = FormatSignificant(GetParam().value, 3);
    EXPECT_EQ(v.text, GetParam().text) << GetParam().value;
    EXPECT_NEAR(v.value, GetParam().number, 1e-12 * std::fabs(GetParam().number) + 1e-300);
}

INSTANTIATE_TEST_SUITE_P(Values, FormatSignificantTest,
                         ::testing::Values(SignificantCase{0.0044449, "0.00444", 0.00444},
                                           SignificantCase{4.4449, "4.44", 4.44},
                                           SignificantCase{12.34, "12.3", 12.3},
                                           SignificantCase{123.4, "123.", 123.0},
                                           SignificantCase{1234.0, "123", 1230.0},
                                           SignificantCase{0.0000484252, "0.0000484", 0.0000484},
                                           SignificantCase{2.5, "2.50", 2.5},
                                           SignificantCase{0.1, "0.100", 0.1},        // exact powers of ten below 1
                                           SignificantCase{0.001, "0.00100", 0.001},
                                           SignificantCase{1.0, "1.00", 1.0},
                                           SignificantCase{0.999, "0.999", 0.999},
                                           SignificantCase{-0.0025, "-0.00250", -0.0025}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(FormatSignificant, ZeroAndNonFiniteGiveNoText) {
    EXPECT_EQ(FormatSignificant(0.0, 3).text, "");
    EXPECT_EQ(FormatSignificant(0.0, 3).value, 0.0);
    EXPECT_EQ(FormatSignificant(INFINITY, 3).text, "");
    EXPECT_EQ(FormatSignificant(NAN, 3).text, "");
}

TEST(ResolutionText, StatusPaneTexts) {
    EXPECT_EQ(ResolutionText({Unit::Pixel, 1.0, 1.0}), "");
    EXPECT_EQ(ResolutionText({Unit::Millimetre, 0.0044449, 0.012}),
              "Resolution  Horz: 0.00444  Vert: 0.0120 [mm/pixel]");
    EXPECT_EQ(ResolutionText({Unit::Micrometre, 0.0025, 0.0025}), "Resolution  Horz: 2.50  Vert: 2.50 [um/pixel]");
    EXPECT_EQ(ResolutionText({Unit::Inch, 0.00123, 0.00123}),
              "Resolution  Horz: 0.0000484  Vert: 0.0000484 [inch/pixel]");
    EXPECT_EQ(ResolutionText({Unit::Millimetre, 0.0, 0.0}), "Resolution has not setup");
}

TEST(AspectRatio, DependsOnUnitAndResolutions) {
    EXPECT_EQ(AspectRatio({Unit::Pixel, 0.01, 0.02}), 1.0);
    EXPECT_EQ(AspectRatio({Unit::Millimetre, 0.01, 0.02}), 0.5);
    EXPECT_EQ(AspectRatio({Unit::Millimetre, 0.0, 0.02}), 0.0);
    EXPECT_EQ(AspectRatio({Unit::Micrometre, 0.02, 0.0}), 0.0);
}

TEST(SharedCalibration, OverridesTheDocumentWhileActive) {
    Calibration document;
    document.unit = Unit::Pixel;
    document.hResolution = document.vResolution = 1.0;
    SharedCalibration shared{true, Unit::Micrometre, 0.001, 0.001, "shared.inf"};
    EXPECT_EQ(FormatLength(EffectiveCalibration(document, shared), 3, 4, true).text, "5.0000[um]");
    shared.active = false;
    EXPECT_EQ(FormatLength(EffectiveCalibration(document, shared), 3, 4, true).text, "5.00[pixel]");
}

}  // namespace
