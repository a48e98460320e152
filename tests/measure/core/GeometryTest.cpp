#include "measure/core/Arrowhead.h"
#include "measure/core/CircleCentre.h"
#include "measure/core/CircleEllipse.h"
#include "measure/core/DirectionAngle.h"
#include "measure/core/LineIntersection.h"
#include "measure/core/PerpendicularFoot.h"
#include "measure/core/SnapDirection.h"
#include "measure/core/ViewMapping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>

using namespace tessmet;

namespace tessmet {
void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
}  // namespace tessmet

namespace {

struct DirectionCase {
    const char* name;
    Point o, p;
    double r;
    double degrees;
};

class DirectionAngleTest : public ::testing::TestWithParam<DirectionCase> {};

TEST_P(DirectionAngleTest, Degrees) {
    const DirectionCase& c = GetParam();
    EXPECT_NEAR(DirectionAngle(c.o, c.p, c.r), c.degrees, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Quadrants, DirectionAngleTest,
    ::testing::Values(DirectionCase{"right", {0, 0}, {10, 0}, 1.0, 0.0}, DirectionCase{"up", {0, 0}, {0, -10}, 1.0, 90.0},
                      DirectionCase{"left", {0, 0}, {-10, 0}, 1.0, 180.0},
                      DirectionCase{"down", {0, 0}, {0, 10}, 1.0, 270.0},
                      DirectionCase{"up_right", {5, 5}, {15, -5}, 1.0, 45.0},
                      DirectionCase{"up_left", {5, 5}, {-5, -5}, 1.0, 135.0},
                      DirectionCase{"down_left", {5, 5}, {-5, 15}, 1.0, 225.0},
                      DirectionCase{"down_right", {5, 5}, {15, 15}, 1.0, 315.0},
                      DirectionCase{"same_point", {7, 7}, {7, 7}, 1.0, 0.0},
                      DirectionCase{"ratio_zero", {0, 0}, {0, -10}, 0.0, 0.0},
                      // x steps count half: 20 pixels right and 10 up is 45 degrees.
                      DirectionCase{"ratio_half", {0, 0}, {20, -10}, 0.5, 45.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AngleBetween, SweepsCounterClockwiseFromSecondArmToFirst) {
    EXPECT_DOUBLE_EQ(AngleBetween({100, 100}, {200, 100}, {100, 0}, 1.0), 270.0);
    EXPECT_DOUBLE_EQ(AngleBetween({100, 100}, {100, 0}, {200, 100}, 1.0), 90.0);
    EXPECT_DOUBLE_EQ(AngleBetween({0, 0}, {10, 0}, {20, 0}, 1.0), 0.0);
    EXPECT_NEAR(AngleBetween({0, 0}, {-10, -10}, {10, 0}, 1.0), 135.0, 1e-9);
}

struct FootCaseRow {
    const char* name;
    Point a, b, p;
    double r;
    Point foot;
    FootCase kind;
};

class PerpendicularFootTest : public ::testing::TestWithParam<FootCaseRow> {};

TEST_P(PerpendicularFootTest, FootAndCase) {
    const FootCaseRow& c = GetParam();
    const Foot f = PerpendicularFoot(c.a, c.b, c.p, c.r);
    EXPECT_EQ(f.point, c.foot);
    EXPECT_EQ(f.kind, c.kind);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PerpendicularFootTest,
    ::testing::Values(
        FootCaseRow{"vertical_line", {10, 0}, {10, 100}, {50, 40}, 1.0, {10, 40}, FootCase::Vertical},
        FootCaseRow{"horizontal_line", {0, 20}, {100, 20}, {30, 70}, 1.0, {30, 20}, FootCase::Horizontal},
        FootCaseRow{"diagonal", {0, 0}, {10, 10}, {10, 0}, 1.0, {5, 5}, FootCase::General},
        // (2.4, 0.8) rounds to (2, 1).
        FootCaseRow{"rounded", {0, 0}, {3, 1}, {1, 5}, 1.0, {2, 1}, FootCase::General},
        // Exactly (-5, -5): a whole coordinate left of the image stays whole.
        FootCaseRow{"beyond_the_start", {0, 0}, {10, 10}, {-20, 10}, 1.0, {-5, -5}, FootCase::General},
        // In the isotropic space the line runs at 45 degrees: the foot is (5, 5) there.
        FootCaseRow{"anisotropic", {0, 0}, {20, 10}, {20, 0}, 0.5, {10, 5}, FootCase::General},
        FootCaseRow{"ratio_zero", {0, 0}, {10, 10}, {10, 0}, 0.0, {0, 0}, FootCase::NoResult}),
    [](const auto& info) { return std::string(info.param.name); });

struct IntersectionCase {
    const char* name;
    Point a1, a2, b1, b2;
    double r;
    std::optional<Point> c;
};

class LineIntersectionTest : public ::testing::TestWithParam<IntersectionCase> {};

TEST_P(LineIntersectionTest, Intersection) {
    const IntersectionCase& c = GetParam();
    EXPECT_EQ(LineIntersection(c.a1, c.a2, c.b1, c.b2, c.r), c.c);
    // The intersection does not depend on which line comes first.
    EXPECT_EQ(LineIntersection(c.b1, c.b2, c.a1, c.a2, c.r), c.c);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineIntersectionTest,
    ::testing::Values(
        IntersectionCase{"diagonals", {0, 0}, {10, 10}, {0, 10}, {10, 0}, 1.0, Point{5, 5}},
        IntersectionCase{"vertical_and_slanted", {5, 0}, {5, 10}, {0, 0}, {10, 20}, 1.0, Point{5, 10}},
        IntersectionCase{"horizontal_and_vertical", {0, 7}, {10, 7}, {3, 0}, {3, 1}, 1.0, Point{3, 7}},
        IntersectionCase{"horizontal_and_slanted_left_of_image", {0, 0}, {10, 0}, {0, 5}, {10, 15}, 1.0, Point{-5, 0}},
        // (11.11, 3.33)
        IntersectionCase{"general_rounded", {0, 0}, {10, 3}, {0, 10}, {10, 4}, 1.0, Point{11, 3}},
        IntersectionCase{"anisotropic", {0, 0}, {10, 10}, {0, 10}, {10, 0}, 2.0, Point{5, 5}},
        IntersectionCase{"parallel", {0, 0}, {10, 5}, {0, 10}, {20, 20}, 1.0, std::nullopt},
        // Equal slopes that division in floating point might tell apart under this ratio.
        IntersectionCase{"parallel_scaled", {0, 0}, {1, 2}, {5, 0}, {8, 6}, 1.3, std::nullopt},
        IntersectionCase{"both_vertical", {1, 0}, {1, 9}, {4, 0}, {4, 9}, 1.0, std::nullopt},
        IntersectionCase{"both_horizontal", {0, 1}, {9, 1}, {0, 4}, {9, 4}, 1.0, std::nullopt},
        IntersectionCase{"ratio_zero", {0, 0}, {10, 10}, {0, 10}, {10, 0}, 0.0, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LinesParallel, RawPixelTest) {
    struct Row {
        Point a1, a2, b1, b2;
        bool parallel;
    };
    const Row rows[] = {
        {{0, 0}, {0, 10}, {5, 3}, {5, 9}, true},       // both vertical
        {{0, 0}, {10, 0}, {5, 3}, {9, 3}, true},       // both horizontal
        {{0, 0}, {2, 4}, {10, 10}, {13, 16}, true},    // same slope 2
        {{0, 0}, {4, 2}, {10, 10}, {14, 12}, true},    // same slope 1/2 (integer division would also say 2/4 == 3/5)
        {{0, 0}, {3, 2}, {0, 5}, {1, 1}, false},
        {{0, 0}, {3, 5}, {0, 5}, {4, 7}, false},        // 3/5 and 4/2: integer ratios 0 and 2
        {{0, 0}, {2, 3}, {0, 5}, {1, 6}, false},        // 2/3 and 1/1: integer ratios 0 and 1
        {{0, 0}, {10, 0}, {0, 5}, {0, 9}, false},       // horizontal against vertical
        {{0, 0}, {0, 0}, {0, 5}, {3, 9}, true},         // a line without direction
    };
    for (const Row& r : rows) {
        EXPECT_EQ(LinesParallel(r.a1, r.a2, r.b1, r.b2), r.parallel)
            << r.a1.x << "," << r.a1.y << " " << r.a2.x << "," << r.a2.y << " " << r.b1.x << "," << r.b1.y << " " << r.b2.x
            << "," << r.b2.y;
    }
}

struct CentreCase {
    const char* name;
    Point p0, p1, p2;
    double r;
    std::optional<Point> c;
};

class CircleCentreTest : public ::testing::TestWithParam<CentreCase> {};

TEST_P(CircleCentreTest, Centre) {
    const CentreCase& c = GetParam();
    EXPECT_EQ(CircleCentre(c.p0, c.p1, c.p2, c.r), c.c);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CircleCentreTest,
    ::testing::Values(
        CentreCase{"three_on_a_circle", {0, 10}, {10, 0}, {20, 10}, 1.0, Point{10, 10}},
        CentreCase{"centre_off_grid", {0, 0}, {7, 1}, {3, 9}, 1.0, Point{3, 4}},
        // P1 straight below P0: no centre, although the points are not collinear.
        CentreCase{"second_below_first", {10, 10}, {10, 50}, {50, 30}, 1.0, std::nullopt},
        CentreCase{"third_above_first", {0, 20}, {10, 5}, {0, 0}, 1.0, std::nullopt},
        CentreCase{"collinear", {0, 0}, {10, 10}, {20, 20}, 1.0, std::nullopt},
        CentreCase{"collinear_scaled", {0, 0}, {1, 1}, {3, 3}, 1.3, std::nullopt},
        // Isotropic points (0, 0), (10, 10), (20, 0) have their centre at (10, 0).
        CentreCase{"anisotropic", {0, 0}, {20, 10}, {40, 0}, 0.5, Point{20, 0}},
        CentreCase{"ratio_zero", {0, 10}, {10, 0}, {20, 10}, 0.0, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CircleEllipse, RadiiFollowTheAspectRatio) {
    // 0.01 mm per pixel across and 0.02 down: ten pixels right is as long as five down.
    EXPECT_EQ(CircleEllipse({100, 100}, {110, 100}, 0.5), (EllipseRadii{10, 5}));
    EXPECT_EQ(CircleEllipse({100, 100}, {100, 110}, 0.5), (EllipseRadii{20, 10}));
    EXPECT_EQ(CircleEllipse({0, 0}, {3, 4}, 1.0), (EllipseRadii{5, 5}));
    EXPECT_EQ(CircleEllipse({0, 0}, {3, 4}, 0.0), (EllipseRadii{0, 0}));
}

struct SnapCase {
    const char* name;
    Point v, snapped;
};

class SnapDirectionTest : public ::testing::TestWithParam<SnapCase> {};

TEST_P(SnapDirectionTest, Snapped) { EXPECT_EQ(SnapDirection(GetParam().v), GetParam().snapped); }

INSTANTIATE_TEST_SUITE_P(
    Cases, SnapDirectionTest,
    ::testing::Values(SnapCase{"nearly_right", {100, 3}, {100, 0}}, SnapCase{"nearly_left", {-100, -3}, {-100, 0}},
                      SnapCase{"down_right_45", {100, 98}, {99, 99}}, SnapCase{"up_left_45", {-100, -98}, {-99, -99}},
                      SnapCase{"nearly_down", {3, 100}, {0, 100}}, SnapCase{"nearly_up", {-3, -100}, {0, -100}},
                      SnapCase{"sixty_down", {50, 87}, {50, 87}}, SnapCase{"fifteen_up", {97, -26}, {97, -26}},
                      SnapCase{"twenty_three_down_is_thirty", {92, 39}, {87, 50}},
                      SnapCase{"twenty_two_down_is_fifteen", {93, 38}, {97, 26}},
                      SnapCase{"one_sixty_five_down", {-97, 25}, {-97, 26}}, SnapCase{"zero", {0, 0}, {0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SnapDirection, KeepsTheDistance) {
    for (int x = -60; x <= 60; x += 7) {
        for (int y = -60; y <= 60; y += 5) {
            if (x == 0 && y == 0) continue;
            const Point s = SnapDirection({x, y});
            EXPECT_NEAR(std::hypot(s.x, s.y), std::hypot(x, y), 1.0) << x << "," << y;
            // Opposite vectors snap to mirror images, up to a half that rounds up both ways.
            const Point o = SnapDirection({-x, -y});
            EXPECT_LE(std::abs(o.x + s.x), 1) << x << "," << y;
            EXPECT_LE(std::abs(o.y + s.y), 1) << x << "," << y;
        }
    }
}

TEST(Arrowhead, OnlyAboveTwentyFourPixels) {
    EXPECT_TRUE(ArrowheadStrokes({10, 10}, {34, 10}).empty());
    EXPECT_TRUE(ArrowheadStrokes({0, 0}, {0, -24}).empty());
    EXPECT_EQ(ArrowheadStrokes({10, 10}, {35, 10}).size(), 4u);
}

TEST(Arrowhead, StrokesRunToTheTips) {
    EXPECT_EQ(ArrowheadStrokes({0, 0}, {100, 0}), (std::vector<Segment>{
                                                      {{88, 4}, {100, 0}},
                                                      {{88, -4}, {100, 0}},
                                                      {{12, 4}, {0, 0}},
                                                      {{12, -4}, {0, 0}},
                                                  }));
    // u = (0.6, 0.8): 12 u rounds to (7, 10), the side offset 4 u turned truncates to (-3, 2).
    EXPECT_EQ(ArrowheadStrokes({0, 0}, {30, 40}), (std::vector<Segment>{
                                                       {{20, 32}, {30, 40}},
                                                       {{26, 28}, {30, 40}},
                                                       {{4, 12}, {0, 0}},
                                                       {{10, 8}, {0, 0}},
                                                   }));
}

TEST(ViewMapping, TruncatesAndClamps) {
    EXPECT_EQ(ToImage({101, 7}, 2.0, 640, 480), (Point{50, 3}));
    EXPECT_EQ(ToImage({5000, 5000}, 1.0, 640, 480), (Point{639, 479}));
    EXPECT_EQ(ToImage({9, 9}, 0.25, 640, 480), (Point{36, 36}));
    EXPECT_EQ(ToImage({-3, 4}, 1.0, 640, 480), (Point{0, 4}));
    EXPECT_EQ(ToImage({10, 10}, 0.0, 640, 480), (Point{10, 10}));
    EXPECT_EQ(ToView({50, 3}, 2.5), (Point{125, 7}));
}

}  // namespace
