#include "measure/core/CalibrationSolve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace tessmet;

namespace {

struct SolveCase {
    const char* name;
    double dx1, dy1, dx2, dy2, l1, l2;
    int caseNumber;
    double h, v;
    bool accepted;
};

class SolveCalibrationTest : public ::testing::TestWithParam<SolveCase> {};

TEST_P(SolveCalibrationTest, SolvesAndChecks) {
    const SolveCase& c = GetParam();
    const CalibrationSolution s = SolveCalibration(c.dx1, c.dy1, c.dx2, c.dy2, c.l1, c.l2);
    EXPECT_EQ(s.caseNumber, c.caseNumber);
    if (c.accepted) {
        EXPECT_NEAR(s.h, c.h, 1e-12);
        EXPECT_NEAR(s.v, c.v, 1e-12);
    }
    EXPECT_EQ(CalibrationWithinTolerance(s, c.dx1, c.dy1, c.dx2, c.dy2, c.l1, c.l2), c.accepted);
}

// Every case with a consistent pair of objects for h = 0.01, v = 0.02 (a 3-4-5 diagonal gives
// exact lengths), then the inputs that must fail.
INSTANTIATE_TEST_SUITE_P(
    Cases, SolveCalibrationTest,
    ::testing::Values(
        SolveCase{"general_two_diagonals", 30, 20, 60, 10, 0.5, std::hypot(0.6, 0.2), 0, 0.01, 0.02, true},
        SolveCase{"first_vertical", 0, 50, 30, 20, 1.0, 0.5, 1, 0.01, 0.02, true},
        SolveCase{"second_vertical", 30, 20, 0, 50, 0.5, 1.0, 2, 0.01, 0.02, true},
        SolveCase{"first_horizontal", 100, 0, 30, 20, 1.0, 0.5, 3, 0.01, 0.02, true},
        SolveCase{"second_horizontal", 30, 20, 100, 0, 0.5, 1.0, 4, 0.01, 0.02, true},
        SolveCase{"vertical_then_horizontal", 0, 50, 100, 0, 1.0, 1.0, 5, 0.01, 0.02, true},
        SolveCase{"horizontal_then_vertical", 100, 0, 0, 50, 1.0, 1.0, 6, 0.01, 0.02, true},
        SolveCase{"two_horizontals", 100, 0, 50, 0, 1.0, 0.5, 0, 0, 0, false},
        SolveCase{"two_verticals", 0, 100, 0, 50, 1.0, 0.5, 0, 0, 0, false},
        SolveCase{"parallel_diagonals", 30, 40, 60, 80, 0.5, 1.0, 0, 0, 0, false},
        SolveCase{"zero_length_first", 0, 0, 30, 40, 0.5, 0.5, 1, 0, 0, false},
        SolveCase{"zero_length_both", 0, 0, 0, 0, 1.0, 1.0, 5, 0, 0, false},
        SolveCase{"length_zero", 100, 0, 0, 50, 0.0, 1.0, 6, 0, 0, false},
        SolveCase{"lengths_zero", 30, 20, 60, 10, 0.0, 0.0, 0, 0, 0, false},
        SolveCase{"negative_length", 100, 0, 0, 50, -1.0, 1.0, 6, 0, 0, false},
        SolveCase{"inconsistent_lengths", 0, 50, 30, 20, 1.0, 0.1, 1, 0, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CalibrationWithinTolerance, BoundsAreStrict) {
    // One horizontal object of 100 pixels and one vertical of 100, 1 mm each: h = v = 0.01 gives
    // both lengths back exactly; 5 % off either way is already outside.
    const auto check = [](double h, double v) {
        return CalibrationWithinTolerance({6, h, v}, 100, 0, 0, 100, 1.0, 1.0);
    };
    EXPECT_TRUE(check(0.01, 0.01));
    EXPECT_TRUE(check(0.01049, 0.00951));
    EXPECT_FALSE(check(0.0105, 0.01));
    EXPECT_FALSE(check(0.01, 0.0095));
    EXPECT_FALSE(check(std::numeric_limits<double>::quiet_NaN(), 0.01));
    EXPECT_FALSE(check(std::numeric_limits<double>::infinity(), 0.01));
}

TEST(EvaluateCalibration, TypedDistancesAreInTheRunsUnit) {
    const std::array<Point, 4> points{Point{10, 10}, Point{110, 10}, Point{200, 0}, Point{200, 50}};
    struct Row {
        UnitType unit;
        double first, second;
    };
    for (const Row& row : {Row{Unit::Millimetre, 1.0, 1.0}, Row{Unit::Micrometre, 1000.0, 1000.0},
                           Row{Unit::Inch, 1.0 / 25.4, 1.0 / 25.4}}) {
        SCOPED_TRACE(row.unit);
        const CalibrationOutcome outcome = EvaluateCalibration(points, row.unit, row.first, row.second);
        EXPECT_TRUE(outcome.accepted);
        EXPECT_EQ(outcome.solution.caseNumber, 6);
        EXPECT_NEAR(outcome.solution.h, 0.01, 1e-15);
        EXPECT_NEAR(outcome.solution.v, 0.02, 1e-15);
    }
    // The objects' direction does not matter, only their extents.
    const std::array<Point, 4> reversed{Point{110, 10}, Point{10, 10}, Point{200, 50}, Point{200, 0}};
    EXPECT_TRUE(EvaluateCalibration(reversed, Unit::Millimetre, 1.0, 1.0).accepted);
}

TEST(ShownResolution, ConvertsAndCutsToThreeDigits) {
    struct Row {
        UnitType unit;
        double mm;
        double shown;
    };
    const Row rows[] = {
        {Unit::Millimetre, 0.0044449, 0.00444},
        {Unit::Micrometre, 0.0025, 2.5},
        {Unit::Inch, 0.00123, 4.84e-5},
        {Unit::Pixel, 0.0025, 1.0},
        {Unit::Millimetre, 0.0, 0.0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.unit);
        EXPECT_NEAR(ShownResolution(r.unit, r.mm), r.shown, r.shown * 1e-12);
    }
}

TEST(WorkingResolution, BackToMillimetresPerPixel) {
    EXPECT_DOUBLE_EQ(WorkingResolution(Unit::Millimetre, 0.005, 9.0), 0.005);
    EXPECT_DOUBLE_EQ(WorkingResolution(Unit::Micrometre, 2.5, 9.0), 0.0025);
    EXPECT_DOUBLE_EQ(WorkingResolution(Unit::Inch, 0.001, 9.0), 0.0254);
    EXPECT_DOUBLE_EQ(WorkingResolution(Unit::Pixel, 0.001, 9.0), 9.0);
}

}  // namespace
