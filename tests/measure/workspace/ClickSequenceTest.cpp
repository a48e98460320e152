#include "measure/workspace/CalibrationLines.h"
#include "measure/workspace/ClickSequence.h"
#include "measure/workspace/DrawToolText.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tessmet;

namespace {

// Places distinct points until the sequence completes; the number of clicks it took.
int ClicksUntilComplete(ToolMode tool, int limit = 100) {
    ClickSequence clicks;
    clicks.Reset(tool);
    for (int i = 1; i <= limit; ++i) {
        if (clicks.Place({i, i * i})) return i;
    }
    return -1;
}

TEST(ClickSequence, FixedToolsCompleteAtTheirCount) {
    const std::pair<ToolMode, int> cases[] = {
        {Tool::RoiRectangle, 2},     {Tool::RoiEllipse, 2},       {Tool::DrawLine, 2},
        {Tool::DrawText, 2},         {Tool::TwoPointDistance, 3}, {Tool::CenterDistance, 3},
        {Tool::VerticalDistance, 4}, {Tool::Angle, 4},            {Tool::ThreePointRadius, 4},
        {Tool::TwoLinesAngle, 5},    {Tool::CalibrationInch, 4},
        // Without a double click the polygon region closes at 31 vertices; the area takes 30
        // vertices and its 31st click is the label.
        {Tool::RoiPolygon, 31},      {Tool::Area, 31},
    };
    for (const auto& [tool, n] : cases) EXPECT_EQ(ClicksUntilComplete(tool), n) << tool;
    EXPECT_EQ(ClicksUntilComplete(Tool::None), -1);
}

TEST(ClickSequence, WaitingForTheLabel) {
    ClickSequence clicks;
    clicks.Reset(Tool::TwoPointDistance);
    clicks.Place({0, 0});
    EXPECT_FALSE(clicks.WaitingForLabel());
    clicks.Place({5, 0});
    EXPECT_TRUE(clicks.WaitingForLabel());

    clicks.Reset(Tool::DrawLine);  // draw tools have no label
    clicks.Place({0, 0});
    EXPECT_FALSE(clicks.WaitingForLabel());

    clicks.Reset(Tool::Area);
    for (int i = 0; i < 29; ++i) clicks.Place({i, i * i});
    EXPECT_FALSE(clicks.WaitingForLabel());
    clicks.Place({100, 0});
    EXPECT_TRUE(clicks.WaitingForLabel());  // the 31st click is the label
}

TEST(ClickSequence, DoubleClickClosesThePolygonRegion) {
    ClickSequence clicks;
    clicks.Reset(Tool::RoiPolygon);
    const Point square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    for (const Point& p : square) EXPECT_FALSE(clicks.Place(p));
    // The double click takes back the point its first release placed; its second release
    // places it again and completes the region with four vertices.
    EXPECT_TRUE(clicks.DoubleClick(nullptr));
    EXPECT_EQ(clicks.count(), 3);
    EXPECT_EQ(clicks.polygonLimit(), 4);
    EXPECT_TRUE(clicks.Place(square[3]));
    EXPECT_EQ(clicks.count(), 4);
    EXPECT_EQ(clicks.polygonLimit(), kPolygonClickLimit);
}

TEST(ClickSequence, DoubleClickClosesTheAreaAndTheNextClickIsTheLabel) {
    ClickSequence clicks;
    clicks.Reset(Tool::Area);
    const Point square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    for (const Point& p : square) clicks.Place(p);
    size_t counted = 0;
    EXPECT_TRUE(clicks.DoubleClick([&](std::span<const Point> vertices) {
        counted = vertices.size();
        return 100LL;
    }));
    EXPECT_EQ(counted, 4u);  // all four vertices, the double-clicked one included
    EXPECT_EQ(clicks.areaCount(), 100LL);
    EXPECT_FALSE(clicks.Place(square[3]));
    EXPECT_TRUE(clicks.WaitingForLabel());
    // A second double click at the label stage changes nothing.
    EXPECT_FALSE(clicks.DoubleClick(nullptr));
    EXPECT_TRUE(clicks.Place({5, 5}));
    EXPECT_EQ(clicks.count(), 5);
}

TEST(ClickSequence, DoubleClickNeedsMoreThanTwoPointsAndAPolygonTool) {
    ClickSequence clicks;
    clicks.Reset(Tool::Area);
    clicks.Place({0, 0});
    clicks.Place({5, 5});
    EXPECT_FALSE(clicks.DoubleClick(nullptr));
    EXPECT_EQ(clicks.count(), 2);
    clicks.Reset(Tool::TwoLinesAngle);
    for (const Point& p : {Point{0, 0}, Point{9, 0}, Point{0, 9}}) clicks.Place(p);
    EXPECT_FALSE(clicks.DoubleClick(nullptr));
    EXPECT_EQ(clicks.count(), 3);
}

TEST(ClickSequence, StepBackReopensAClosedArea) {
    ClickSequence clicks;
    clicks.Reset(Tool::Area);
    for (const Point& p : {Point{0, 0}, Point{10, 0}, Point{10, 10}, Point{0, 10}}) clicks.Place(p);
    clicks.DoubleClick([](std::span<const Point>) { return 100LL; });
    clicks.Place({0, 10});
    EXPECT_TRUE(clicks.StepBack());
    EXPECT_EQ(clicks.count(), 3);
    EXPECT_EQ(clicks.polygonLimit(), kPolygonClickLimit);
    EXPECT_FALSE(clicks.areaCount().has_value());
    EXPECT_FALSE(clicks.WaitingForLabel());
    EXPECT_TRUE(clicks.Contains({10, 10}));
    EXPECT_FALSE(clicks.Contains({0, 10}));
    while (clicks.StepBack()) {
    }
    EXPECT_TRUE(clicks.empty());
    EXPECT_FALSE(clicks.StepBack());
}

TEST(DrawToolSuffix, RunningValuesInImagePixels) {
    EXPECT_EQ(DrawToolSuffix(Tool::DrawLine, {0, 0}, {60, 80}, 2.0), " : Distance = 50.00");
    EXPECT_EQ(DrawToolSuffix(Tool::DrawCircle, {10, 10}, {13, 14}, 1.0), " : Radius = 5.00");
    // (x1 - x2)(y1 - y2) / zoom^2, truncated and signed.
    EXPECT_EQ(DrawToolSuffix(Tool::DrawRectangle, {20, 20}, {120, 70}, 2.0), " : Square = 1250");
    EXPECT_EQ(DrawToolSuffix(Tool::DrawRectangle, {20, 20}, {120, 10}, 1.0), " : Square = -1000");
    EXPECT_EQ(DrawToolSuffix(Tool::DrawRectangle, {0, 0}, {3, 3}, 2.0), " : Square = 2");
    EXPECT_EQ(DrawToolSuffix(Tool::DrawText, {0, 0}, {3, 3}, 1.0), "");
    EXPECT_EQ(DrawToolSuffix(Tool::TwoPointDistance, {0, 0}, {3, 3}, 1.0), "");
}

TEST(CalibrationPointAccepted, TheObjectsMustCrossSteeply) {
    const Point first[] = {{0, 0}, {100, 0}};
    const auto fourth = [&](Point b1, Point b2) {
        const Point placed[] = {first[0], first[1], b1};
        return CalibrationPointAccepted(placed, b2, 1.0);
    };
    EXPECT_TRUE(fourth({50, 10}, {50, 90}));     // perpendicular
    EXPECT_FALSE(fourth({0, 20}, {100, 20}));    // parallel
    EXPECT_FALSE(fourth({0, 20}, {100, 40}));    // about 11 degrees
    EXPECT_TRUE(fourth({0, 20}, {100, 60}));     // about 22 degrees
    EXPECT_FALSE(fourth({0, 20}, {100, 0}));     // about 349 degrees
    EXPECT_FALSE(fourth({50, 10}, {50, 10}));    // no direction at all
    // Only the fourth point is checked.
    const Point two[] = {{0, 0}, {100, 0}};
    EXPECT_TRUE(CalibrationPointAccepted(two, {200, 0}, 1.0));
    // The aspect ratio applies: 1 pixel across is 10 pixels down, so a steep line turns shallow.
    const Point placed[] = {first[0], first[1], {0, 20}};
    EXPECT_TRUE(CalibrationPointAccepted(placed, {10, 60}, 1.0));
    EXPECT_FALSE(CalibrationPointAccepted(placed, {10, 60}, 30.0));
}

}  // namespace
