#include "viewer/imaging/AnnotationGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>

using namespace lumora;

namespace {

struct SnapCase {
    const char* name;
    QPoint end;
    QPoint expected;
};

class SnapLineEndTest : public ::testing::TestWithParam<SnapCase> {};

TEST_P(SnapLineEndTest, FromOrigin) {
    const SnapCase& c = GetParam();
    EXPECT_EQ(SnapLineEnd({0, 0}, c.end), c.expected);
    // The rule depends on the offsets only.
    EXPECT_EQ(SnapLineEnd({200, 150}, c.end + QPoint(200, 150)), c.expected + QPoint(200, 150));
}

INSTANTIATE_TEST_SUITE_P(
    Shift, SnapLineEndTest,
    ::testing::Values(SnapCase{"near_diagonal_becomes_diagonal", {50, 45}, {45, 45}},
                      SnapCase{"near_diagonal_steep", {45, 50}, {45, 45}},
                      SnapCase{"diagonal_up_left", {-50, -45}, {-45, -45}},
                      SnapCase{"diagonal_down_left_steep", {-45, 50}, {-45, 45}},
                      SnapCase{"diagonal_up_right_steep", {45, -50}, {45, -45}},
                      SnapCase{"flat_becomes_horizontal", {100, 10}, {100, 0}},
                      SnapCase{"steep_becomes_vertical", {10, -100}, {0, -100}},
                      // A ratio of exactly 0.8 or 1.2 already counts as straight.
                      SnapCase{"ratio_0_8_is_vertical", {40, 50}, {0, 50}},
                      SnapCase{"ratio_1_2_is_horizontal", {60, 50}, {60, 0}},
                      SnapCase{"just_inside_the_diagonal_band", {41, 50}, {41, 41}},
                      SnapCase{"horizontal_untouched", {30, 0}, {30, 0}},
                      SnapCase{"vertical_untouched", {0, -30}, {0, -30}},
                      SnapCase{"exact_diagonal_untouched", {-7, 7}, {-7, 7}}),
    [](const auto& info) { return std::string(info.param.name); });

class SnapSquareCornerTest : public ::testing::TestWithParam<SnapCase> {};

TEST_P(SnapSquareCornerTest, FromTen) {
    const SnapCase& c = GetParam();
    EXPECT_EQ(SnapSquareCorner({10, 10}, c.end), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Shift, SnapSquareCornerTest,
    ::testing::Values(SnapCase{"taller_than_wide", {20, 40}, {20, 20}},
                      SnapCase{"wider_than_tall", {60, 15}, {15, 15}},
                      SnapCase{"up_left", {-30, 0}, {0, 0}},
                      SnapCase{"down_left_tall", {5, 40}, {5, 15}},
                      SnapCase{"up_right_wide", {40, 0}, {20, 0}},
                      SnapCase{"already_square", {30, 30}, {30, 30}}),
    [](const auto& info) { return std::string(info.param.name); });

struct AngleCase {
    const char* name;
    QPoint p1, vertex, p3;
    const char* text;
};

class AngleTextTest : public ::testing::TestWithParam<AngleCase> {};

TEST_P(AngleTextTest, Degrees) {
    const AngleCase& c = GetParam();
    const double t1 = ArmDirection(c.vertex, c.p1);
    const double t3 = ArmDirection(c.vertex, c.p3);
    EXPECT_EQ(FormatAngle(t1, t3, "degree").toStdString(), c.text);
    EXPECT_EQ(FormatAngle(t3, t1, "degree").toStdString(), c.text) << "the arms' order does not matter";
}

INSTANTIATE_TEST_SUITE_P(
    Arms, AngleTextTest,
    ::testing::Values(AngleCase{"right_angle", {100, 0}, {0, 0}, {0, 100}, "90 degree"},
                      AngleCase{"nearly_straight_rounds_to_179", {100, 0}, {0, 0}, {-100, 1}, "179 degree"},
                      AngleCase{"nearly_straight_other_side", {100, 0}, {0, 0}, {-100, -1}, "179 degree"},
                      AngleCase{"straight", {100, 0}, {0, 0}, {-100, 0}, "180 degree"},
                      AngleCase{"across_the_negative_x_axis", {-100, 20}, {0, 0}, {-100, -20}, "23 degree"},
                      AngleCase{"acute_above", {50, -50}, {0, 0}, {0, -80}, "45 degree"},
                      AngleCase{"away_from_the_origin", {110, 50}, {10, 50}, {10, 150}, "90 degree"}),
    [](const auto& info) { return std::string(info.param.name); });

// The opening equals the geometric angle between the arms (acos of the normalised dot
// product) for any arms, never above 180 degrees.
TEST(OpeningAngle, MatchesTheAngleBetweenTheArmsOnRandomPoints) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-300, 300);
    for (int i = 0; i < 2000; ++i) {
        const QPoint v(coordinate(random), coordinate(random));
        const QPoint p1(coordinate(random), coordinate(random));
        const QPoint p3(coordinate(random), coordinate(random));
        if (p1 == v || p3 == v) continue;
        const double ux = p1.x() - v.x(), uy = p1.y() - v.y(), wx = p3.x() - v.x(), wy = p3.y() - v.y();
        const double expected =
            std::acos(std::clamp((ux * wx + uy * wy) / std::hypot(ux, uy) / std::hypot(wx, wy), -1.0, 1.0));
        const double opening = OpeningAngle(ArmDirection(v, p1), ArmDirection(v, p3));
        ASSERT_NEAR(opening, expected, 1e-9) << i;
        ASSERT_LE(opening, std::numbers::pi);
    }
}

struct LabelCase {
    const char* name;
    QPoint p1, p3;
    QPoint label;
};

class AngleLabelTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(AngleLabelTest, FiftyPixelsAlongTheBisector) {
    const LabelCase& c = GetParam();
    const QPoint v(100, 100);
    EXPECT_EQ(AngleLabelPosition(v, ArmDirection(v, c.p1), ArmDirection(v, c.p3)), c.label);
}

INSTANTIATE_TEST_SUITE_P(
    Arms, AngleLabelTest,
    ::testing::Values(
        // Right and down: bisector at -45 degrees (down right on the screen).
        LabelCase{"right_and_down", {200, 100}, {100, 200}, {135, 135}},
        // Right and up: the bisector points up right.
        LabelCase{"right_and_up", {200, 100}, {100, 0}, {135, 64}},
        // Arms just above and below the negative x axis: the directions are far apart, so the
        // label goes to the other side of their mean, to the left.
        LabelCase{"opening_to_the_left", {0, 90}, {0, 110}, {50, 100}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArcDirection, SpansTheMeasuredOpening) {
    struct Case {
        QPoint p1, p3;
        bool startsAtThird;
        double span;
    };
    const QPoint v(0, 0);
    const Case cases[] = {
        {{100, 0}, {0, -100}, false, 90.0},    // first arm at 0, third at +90: from P1
        {{0, -100}, {100, 0}, true, 90.0},     // first at +90, third at 0: from P3
        {{-100, -10}, {-100, 10}, false, 360.0 - 348.57881},  // across the negative x axis
        {{-100, 10}, {-100, -10}, true, 360.0 - 348.57881},
    };
    for (const Case& c : cases) {
        const double t1 = ArmDirection(v, c.p1);
        const double t3 = ArmDirection(v, c.p3);
        EXPECT_EQ(ArcStartsAtThirdPoint(t1, t3), c.startsAtThird);
        const ArcAngles arc = c.startsAtThird ? CounterClockwiseArc(v, c.p3, c.p1) : CounterClockwiseArc(v, c.p1, c.p3);
        EXPECT_NEAR(arc.spanDegrees, c.span, 1e-3);
        EXPECT_NEAR(arc.spanDegrees, OpeningAngle(t1, t3) / std::numbers::pi * 180.0, 1e-9);
    }
}

struct ValueCase {
    double value;
    int decimals;
    const char* text;
};

TEST(FormatAnnotationValue, DecimalsAndUnit) {
    const ValueCase cases[] = {{2.5, 1, "2.5 mm"}, {2.0, 2, "2.00 mm"}, {1234.5678, 0, "1235 mm"},
                               {0.125, 3, "0.125 mm"}, {3.0, -1, "3 mm"}};
    for (const ValueCase& c : cases) EXPECT_EQ(FormatAnnotationValue(c.value, c.decimals, "mm").toStdString(), c.text);
}

TEST(LinePixelLength, TruncatesTheEuclideanLength) {
    const struct {
        QPoint a, b;
        double length;
    } cases[] = {{{0, 0}, {3, 4}, 5.0}, {{0, 0}, {1, 1}, 1.0}, {{10, 10}, {10, 10}, 0.0}, {{5, 5}, {-5, -5}, 14.0}};
    for (const auto& c : cases) EXPECT_EQ(LinePixelLength(c.a, c.b), c.length);
}

TEST(RectanglePixelArea, ProductOfTheSides) {
    EXPECT_EQ(RectanglePixelArea({10, 10}, {20, 30}), 200.0);
    EXPECT_EQ(RectanglePixelArea({20, 30}, {10, 10}), 200.0);
    EXPECT_EQ(RectanglePixelArea({10, 10}, {10, 30}), 0.0);
}

TEST(MapPoint, ScalesThenOffsetsThenTruncates) {
    const PointMapping m{10.0, 20.0, 0.5, 1.5};
    EXPECT_EQ(MapPoint({3, 3}, m), QPoint(11, 24));   // 11.5 -> 11, 24.5 -> 24
    EXPECT_EQ(MapPoint({-30, -20}, m), QPoint(-5, -10));
    EXPECT_EQ(ScalePoint({7, -7}, 1.25), QPoint(8, -8));  // towards zero
}

struct ArrowCase {
    const char* name;
    QPoint p1, p2;
    int style;
    std::array<QPoint, 4> ends;
    int count;
};

class ArrowStrokesTest : public ::testing::TestWithParam<ArrowCase> {};

TEST_P(ArrowStrokesTest, Ends) {
    const ArrowCase& c = GetParam();
    const ArrowStrokes s = ArrowStrokesFor(c.p1, c.p2, c.style);
    ASSERT_EQ(s.count, c.count);
    for (int i = 0; i < c.count; ++i) {
        EXPECT_EQ(s.strokes[size_t(i)].p1(), i < 2 ? c.p1 : c.p2) << i;
        EXPECT_EQ(s.strokes[size_t(i)].p2(), c.ends[size_t(i)]) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Styles, ArrowStrokesTest,
    ::testing::Values(
        // Heads of length 10 and half-width 3 pointing outwards.
        ArrowCase{"heads_horizontal", {0, 0}, {100, 0}, 1, {{{10, -3}, {10, 3}, {90, -3}, {90, 3}}}, 4},
        ArrowCase{"heads_vertical", {50, 100}, {50, 0}, 1, {{{47, 90}, {53, 90}, {47, 10}, {53, 10}}}, 4},
        // A bar of +-10 across each end.
        ArrowCase{"bars_horizontal", {0, 0}, {100, 0}, 2, {{{0, -10}, {0, 10}, {100, -10}, {100, 10}}}, 4},
        ArrowCase{"none", {0, 0}, {100, 0}, 0, {}, 0},
        ArrowCase{"unknown_style_none", {0, 0}, {100, 0}, 7, {}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
