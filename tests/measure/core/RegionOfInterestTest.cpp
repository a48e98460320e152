#include "measure/core/RegionOfInterest.h"

#include <gtest/gtest.h>

#include <random>

using namespace tessmet;

namespace {

constexpr int kW = 60;
constexpr int kH = 40;

// Spans and the single-pixel test must describe the same set of pixels.
void ExpectSpansMatchContains(const RegionOfInterest& roi) {
    std::vector<std::vector<bool>> bySpan(kH, std::vector<bool>(kW, false));
    int lastRow = -1;
    roi.forEachSpan(kW, kH, [&](int y, int x0, int x1) {
        ASSERT_GE(y, lastRow);
        lastRow = y;
        ASSERT_LE(0, x0);
        ASSERT_LE(x1, kW);
        for (int x = x0; x < x1; ++x) bySpan[y][x] = true;
    });
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            ASSERT_EQ(bySpan[y][x], roi.contains(x, y, kW, kH)) << "type " << roi.type() << " at " << x << "," << y;
}

TEST(RegionOfInterest, WholeImageWithoutARegion) {
    const RegionOfInterest roi;
    EXPECT_TRUE(roi.isWholeImage());
    EXPECT_EQ(roi.pixelCount(kW, kH), kW * kH);
    EXPECT_FALSE(roi.contains(kW, 0, kW, kH));
}

TEST(RegionOfInterest, RectangleIncludesItsRightAndBottomEdge) {
    const RegionOfInterest roi = RegionOfInterest::Rectangle({12, 9}, {3, 4});  // corners in any order
    EXPECT_EQ(roi.points()[0], (Point{3, 4}));
    EXPECT_EQ(roi.points()[1], (Point{12, 9}));
    EXPECT_EQ(roi.pixelCount(kW, kH), 10 * 6);
    EXPECT_TRUE(roi.contains(12, 9, kW, kH));
    EXPECT_TRUE(roi.contains(3, 4, kW, kH));
    EXPECT_FALSE(roi.contains(13, 9, kW, kH));
    EXPECT_FALSE(roi.contains(3, 10, kW, kH));
    ExpectSpansMatchContains(roi);
}

TEST(RegionOfInterest, RegionsAreClippedToTheImage) {
    const RegionOfInterest roi = RegionOfInterest::Rectangle({-5, -5}, {kW + 5, 2});
    EXPECT_EQ(roi.pixelCount(kW, kH), kW * 3);
    ExpectSpansMatchContains(roi);
    ExpectSpansMatchContains(RegionOfInterest::Ellipse({-20, -10}, {30, 50}));
}

TEST(RegionOfInterest, EllipseLeavesOutTheLastColumnAndRowOfItsBox) {
    // Corners (10, 5) and (30, 25): the region covers columns 10..29 and rows 5..24.
    const RegionOfInterest roi = RegionOfInterest::Ellipse({10, 5}, {30, 25});
    EXPECT_TRUE(roi.contains(10, 14, kW, kH));
    EXPECT_TRUE(roi.contains(29, 15, kW, kH));
    EXPECT_TRUE(roi.contains(19, 5, kW, kH));
    EXPECT_TRUE(roi.contains(20, 24, kW, kH));
    EXPECT_FALSE(roi.contains(30, 15, kW, kH));
    EXPECT_FALSE(roi.contains(20, 25, kW, kH));
    EXPECT_FALSE(roi.contains(10, 5, kW, kH));
    // Symmetric about the middle of the 20 x 20 box.
    for (int y = 5; y < 25; ++y)
        for (int x = 10; x < 30; ++x)
            EXPECT_EQ(roi.contains(x, y, kW, kH), roi.contains(39 - x, 29 - y, kW, kH)) << x << "," << y;
    ExpectSpansMatchContains(roi);
}

TEST(RegionOfInterest, ThinEllipses) {
    struct Case {
        const char* name;
        Point a, b;
        long long count;
    };
    const Case cases[] = {
        {"one pixel wide is empty", {7, 3}, {7, 12}, 0},
        {"one pixel high is empty", {2, 3}, {20, 3}, 0},
        {"a single corner is empty", {7, 3}, {7, 3}, 0},
        {"a box one column wide is a full column", {7, 3}, {8, 12}, 9},
        {"a box one row high is a full row", {2, 3}, {20, 4}, 18},
        // Narrow boxes lose their tips: 4 x 10 keeps rows 1..8.
        {"four columns wide", {0, 0}, {4, 10}, 28},
    };
    for (const Case& c : cases) EXPECT_EQ(RegionOfInterest::Ellipse(c.a, c.b).pixelCount(kW, kH), c.count) << c.name;
}

TEST(RegionOfInterest, PolygonFollowsTheAreaRule) {
    const RegionOfInterest square = RegionOfInterest::Polygon({{10, 10}, {20, 10}, {20, 20}, {10, 20}});
    EXPECT_EQ(square.pixelCount(kW, kH), 100);
    EXPECT_TRUE(square.contains(10, 10, kW, kH));
    EXPECT_FALSE(square.contains(20, 15, kW, kH));
    ExpectSpansMatchContains(square);
}

TEST(RegionOfInterest, RandomRegionsSpansAgreeWithPixels) {
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> x(-10, kW + 10), y(-10, kH + 10);
    for (int round = 0; round < 60; ++round) {
        const Point a{x(random), y(random)}, b{x(random), y(random)};
        ExpectSpansMatchContains(RegionOfInterest::Rectangle(a, b));
        ExpectSpansMatchContains(RegionOfInterest::Ellipse(a, b));
        std::vector<Point> vertices;
        const int n = 3 + round % 8;
        for (int k = 0; k < n; ++k) vertices.push_back({x(random), y(random)});
        ExpectSpansMatchContains(RegionOfInterest::Polygon(vertices));
    }
}

}  // namespace
