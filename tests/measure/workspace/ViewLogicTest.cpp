#include "measure/workspace/FrameGeometry.h"
#include "measure/workspace/MainWindowLayout.h"
#include "measure/workspace/OverlayGeometry.h"
#include "measure/workspace/ToolMode.h"
#include "measure/workspace/ViewGeometry.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using namespace tessmet;

namespace {

TEST(ViewMapping, TruncatesAndClampsToTheImage) {
    struct Case {
        double zoom;
        QPoint view;
        QPoint image;
    } cases[] = {
        {1.0, {10, 20}, {10, 20}},   {2.0, {101, 51}, {50, 25}},     {0.25, {3, 7}, {12, 28}},
        {0.5, {319, 239}, {638, 478}}, {1.0, {640, 480}, {639, 479}}, {2.0, {5000, 5000}, {639, 479}},
        {0.75, {100, 100}, {133, 133}}, {8.0, {7, 15}, {0, 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ViewMapping(QSize(640, 480), c.zoom).toImage(c.view), c.image) << c.zoom << " " << c.view.x();
    }
    EXPECT_EQ(ViewMapping(QSize(640, 480), 2.5).toView(QPoint(3, 5)), QPoint(7, 12));
    EXPECT_EQ(ViewMapping(QSize(641, 481), 0.5).scrollRange(), QSize(320, 240));
}

TEST(Zoom, StepsStayWithinTheLimits) {
    EXPECT_TRUE(Zoom::CanZoomUp(7.75));
    EXPECT_FALSE(Zoom::CanZoomUp(8.0));
    EXPECT_TRUE(Zoom::CanZoomDown(0.5));
    EXPECT_FALSE(Zoom::CanZoomDown(0.25));
}

TEST(ScrollAfterZoom, KeepsTheCentrePoint) {
    // Client 200 x 100 at scroll (100, 50), zoom 1: centre image point (200, 100).
    // At zoom 2 that point is at (400, 200), so the scroll becomes (300, 150).
    EXPECT_EQ(ScrollAfterZoom({100, 50}, {200, 100}, 1.0, 2.0, {2000, 2000}), QPoint(300, 150));
    // Limited by the new range.
    EXPECT_EQ(ScrollAfterZoom({100, 50}, {200, 100}, 1.0, 0.25, {160, 120}), QPoint(0, 0));
    EXPECT_EQ(ScrollAfterZoom({900, 900}, {200, 100}, 1.0, 1.25, {1250, 1250}), QPoint(1050, 1137));
}

TEST(ScrollToCentre, ClickOnTheRightScrollsItToTheMiddle) {
    EXPECT_EQ(ScrollToCentre({900, 300}, {400, 300}, {2000, 1500}), QPoint(700, 150));
    EXPECT_EQ(ScrollToCentre({100, 100}, {400, 300}, {2000, 1500}), QPoint(0, 0));
    EXPECT_EQ(ScrollToCentre({1990, 1490}, {400, 300}, {2000, 1500}), QPoint(1600, 1200));
}

TEST(ToolMode, CompletionCountsAndGroups) {
    const std::pair<ToolMode, int> counts[] = {
        {Tool::RoiRectangle, 2}, {Tool::RoiEllipse, 2}, {Tool::TwoPointDistance, 3}, {Tool::TwoPointRadius, 3},
        {Tool::CenterDistance, 3}, {Tool::VerticalDistance, 4}, {Tool::Angle, 4}, {Tool::ThreePointRadius, 4},
        {Tool::TwoLinesAngle, 5}, {Tool::DrawLine, 2}, {Tool::DrawText, 2}, {Tool::CalibrationMicrometre, 4},
        {Tool::Area, 0}, {Tool::RoiPolygon, 0}, {Tool::MouseZoom, 0}, {Tool::None, 0},
    };
    for (const auto& [tool, n] : counts) EXPECT_EQ(PointsToComplete(tool), n) << tool;
    EXPECT_TRUE(IsCalibrationTool(0x3000000));
    EXPECT_FALSE(IsCalibrationTool(Tool::MouseZoom));
    EXPECT_EQ(CalibrationUnitOf(Tool::CalibrationMicrometre), 2);
    EXPECT_EQ(MeasureKindOf(Tool::ThreePointRadius), 112);
    EXPECT_TRUE(IsMeasureTool(Tool::Area));
    EXPECT_FALSE(IsMeasureTool(Tool::DrawLine));
    EXPECT_TRUE(IsDrawTool(Tool::DrawCircle));
}

TEST(FrameGeometry, NeededSizeAtHalfZoom) {
    const QSize decoration(12, 34);
    EXPECT_EQ(NeededWindowSize({640, 480}, 0.5, decoration), QSize(320 + 12, 240 + 34));
    EXPECT_EQ(NeededWindowSize({641, 481}, 0.5, decoration), QSize(320 + 12, 240 + 34));
}

TEST(FrameGeometry, FitAfterZoomTable) {
    const QSize needed(500, 400);
    struct Case {
        double oldZoom, newZoom;
        int direction;
        QSize current;
        bool resized;
    } cases[] = {
        {1.0, 1.25, +1, {300, 300}, true},
        {1.0, 1.25, +1, {600, 450}, false},  // the user made it larger already: keep it
        {1.0, 1.25, +1, {600, 300}, true},
        {1.25, 1.0, -1, {600, 450}, true},
        {1.25, 1.0, -1, {300, 300}, false},
        {1.25, 1.0, -1, {500, 400}, false},
        {1.0, 1.0, +1, {300, 300}, false},
        {1.0, 2.0, -1, {300, 300}, false},
        {1.0, 2.0, 0, {900, 900}, true},
    };
    for (const Case& c : cases) {
        const auto result = FitAfterZoom(c.oldZoom, c.newZoom, c.direction, c.current, needed);
        EXPECT_EQ(result.has_value(), c.resized) << c.oldZoom << "->" << c.newZoom << " dir " << c.direction;
        if (result) {
            EXPECT_EQ(*result, needed);
        }
    }
}

TEST(FrameGeometry, MaximiseFitsIntoTheWorkspace) {
    EXPECT_EQ(MaximisedWindowRect(QRect(0, 0, 1000, 700), QSize(4012, 3034)), QRect(0, 0, 1000, 700));
    EXPECT_EQ(MaximisedWindowRect(QRect(0, 0, 1000, 700), QSize(332, 274)), QRect(0, 0, 332, 274));
}

TEST(FrameGeometry, NewWindowsCascadeInsideTheWorkspace) {
    const QSize workspace(1000, 700);
    struct Case {
        QSize needed;
        int index;
        QRect rect;
    } cases[] = {
        {{332, 274}, 0, {0, 0, 332, 274}},
        {{332, 274}, 3, {75, 75, 332, 274}},
        {{332, 274}, 18, {0, 0, 332, 274}},   // 426 pixels of room below: 18 places, then round again
        {{332, 274}, 20, {50, 50, 332, 274}},
        // Larger than the workspace: fitted into it, and a quarter of it left to the cascade.
        {{1296, 990}, 0, {0, 0, 1000, 700}},
        {{1296, 990}, 2, {50, 50, 950, 650}},
        {{1296, 990}, 7, {175, 175, 825, 525}},
        {{1296, 990}, 8, {0, 0, 1000, 700}},
        {{900, 600}, 5, {125, 125, 875, 575}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CascadedWindowRect(workspace, c.needed, c.index, 25), c.rect) << c.needed.width() << " #" << c.index;
    // A workspace not laid out yet leaves the window as it needs to be.
    EXPECT_EQ(CascadedWindowRect(QSize(0, 0), QSize(300, 200), 4, 25), QRect(0, 0, 300, 200));

    // Whatever the sizes, a new window starts and ends inside the workspace.
    std::mt19937 random(12);
    std::uniform_int_distribution<int> side(1, 3000);
    std::uniform_int_distribution<int> count(0, 70);
    for (int i = 0; i < 500; ++i) {
        const QSize area(side(random) % 1600 + 100, side(random) % 1200 + 100);
        const QRect rect = CascadedWindowRect(area, QSize(side(random), side(random)), count(random), 24);
        EXPECT_TRUE(QRect(QPoint(0, 0), area).contains(rect)) << area.width() << "x" << area.height();
        EXPECT_FALSE(rect.isEmpty());
    }
}

TEST(MainWindowLayout, FirstRunTakesACentredShareOfTheScreen) {
    EXPECT_EQ(FirstRunWindowRect(QRect(0, 0, 1600, 1000)), QRect(120, 75, 1360, 850));
    EXPECT_EQ(FirstRunWindowRect(QRect(0, 0, 1024, 768)), QRect(77, 58, 870, 652));
    EXPECT_EQ(FirstRunWindowRect(QRect(0, 0, 2560, 1440)), QRect(192, 108, 2176, 1224));
    // A panel above the available area moves the window down with it.
    EXPECT_EQ(FirstRunWindowRect(QRect(0, 40, 1600, 960)), QRect(120, 112, 1360, 816));
    EXPECT_EQ(FirstRunWindowRect(QRect(0, 0, 1000, 800), 0.5), QRect(250, 200, 500, 400));
}

TEST(MainWindowLayout, ToolbarsGoIntoAsManyRowsAsTheyNeed) {
    struct Case {
        std::vector<int> widths;
        int available;
        std::vector<size_t> starts;
    } cases[] = {
        {{150, 300, 300, 270}, 1400, {}},
        {{150, 300, 300, 270}, 1020, {}},       // exactly as wide as the window
        {{150, 300, 300, 270}, 870, {3}},
        {{150, 300, 300, 270}, 400, {1, 2, 3}},
        {{500, 100}, 300, {1}},                 // too wide for any row: a row of its own
        {{100, 500, 100}, 300, {1, 2}},
        {{}, 300, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(ToolbarRowStarts(c.widths, c.available), c.starts) << c.available;
}

TEST(FrameGeometry, TitleCarriesTheZoom) {
    EXPECT_EQ(ZoomTitle("Pic00001.jpg", 1.0), "Pic00001.jpg : 100%");
    EXPECT_EQ(ZoomTitle("Pic00001.jpg : 100%", 0.75), "Pic00001.jpg : 75%");
    EXPECT_EQ(ZoomTitle("Pic00001.jpg : 75%", 8.0), "Pic00001.jpg : 800%");
    EXPECT_EQ(ZoomTitle("a:50%.jpg", 1.0), "a:50%.jpg : 100%");
    EXPECT_EQ(ZoomTitle("x.jpg", 0.333), "x.jpg : 33%");
}

TEST(Overlays, GridOnA120By80Area) {
    const std::vector<QLine> lines = GridLines(QRect(30, 40, 120, 80), 50);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], QLine(80, 40, 80, 120));
    EXPECT_EQ(lines[1], QLine(130, 40, 130, 120));
    EXPECT_EQ(lines[2], QLine(30, 90, 150, 90));
}

TEST(Overlays, CentreLinesFollowTheVisibleArea) {
    const std::vector<QLine> lines = CentreLines(QRect(100, 50, 401, 301), 5, -7);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], QLine(305, 50, 305, 351));
    EXPECT_EQ(lines[1], QLine(100, 193, 501, 193));
}

TEST(Overlays, ScaleOnAPixelImageHasAFiftyPixelPitch) {
    const CalibrationValues pixel{Unit::Pixel, 1.0, 1.0};
    const ScaleOverlay scale = ScaleRuler(pixel, 1.0, QSize(200, 100), QRect(0, 0, 300, 200), QPoint(60, 40));
    EXPECT_EQ(scale.horizontalPixels, 50);
    EXPECT_EQ(scale.horizontalPitch, "50");
    EXPECT_EQ(ScalePitchText(pixel, scale), "Scale Pitch  Horz: 50  Vert: 50 [pixel/pitch]");
    // n = trunc(200 / 50 + 2) = 6 horizontal ticks each side, n = trunc(100 / 50 + 2) = 4 vertical.
    EXPECT_EQ(scale.lines.size(), 2u + 2u * 6u + 2u * 4u);
    EXPECT_EQ(scale.lines[0], QLine(60 - 300, 40, 60 + 300, 40));
    EXPECT_EQ(scale.lines[2], QLine(60, 32, 60, 48));          // i = 0: long tick
    EXPECT_EQ(scale.lines[4], QLine(110, 36, 110, 44));        // i = 1: short tick
    EXPECT_EQ(scale.lines[12], QLine(310, 32, 310, 48));       // i = 5: long again
}

TEST(Overlays, ScaleWithoutResolutionSaysSo) {
    const CalibrationValues none{Unit::Millimetre, 0.0, 0.0};
    const ScaleOverlay scale = ScaleRuler(none, 1.0, QSize(200, 100), QRect(0, 0, 300, 200), QPoint(60, 40));
    EXPECT_EQ(ScalePitchText(none, scale), "Resolution has not setup");
    EXPECT_EQ(scale.lines.size(), 2u);
}

TEST(Overlays, LuminanceReadsTheColumnUnderTheCursorAtZoomTwo) {
    const QSize image(100, 50);
    std::vector<int> readColumns;
    const Profile vertical = VerticalProfile(2.0, image, QRect(0, 0, 256, 100), QPoint(101, 10),
                                             [&](int row) { return row == 0 ? 0 : 255; });
    EXPECT_EQ(vertical.imageLine, 50);
    ASSERT_EQ(vertical.curve.size(), 50u);
    EXPECT_EQ(vertical.curve[0], QPoint(0, 0));       // grey 0 on the left edge
    EXPECT_EQ(vertical.curve[1], QPoint(255, 2));     // 255 * 256 / 256
    EXPECT_EQ(vertical.cursorLine, QLine(101, 0, 101, 100));
}

TEST(Overlays, HorizontalProfileSitsOnTheBottomOfTheVisibleArea) {
    const QSize image(100, 50);
    const QRect visible(0, 20, 100, 30);  // scrolled down by 20, 30 pixels visible at zoom 1
    const Profile p = HorizontalProfile(1.0, image, visible, QPoint(10, 25), [](int column) { return column == 3 ? 128 : 0; });
    EXPECT_EQ(p.imageLine, 25);
    ASSERT_EQ(p.curve.size(), 100u);
    EXPECT_EQ(p.curve[0], QPoint(0, 50));   // grey 0 on the bottom edge (sy + H)
    EXPECT_EQ(p.curve[3], QPoint(3, 35));   // 128 * 30 / 256 = 15 above it
    EXPECT_EQ(p.cursorLine, QLine(0, 25, 100, 25));
}

}  // namespace
