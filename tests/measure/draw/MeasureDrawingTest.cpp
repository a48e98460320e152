#include "measure/core/MeasureText.h"
#include "measure/core/PolygonArea.h"
#include "measure/draw/Canvas.h"
#include "measure/draw/MeasureDrawing.h"
#include "measure/draw/MeasurePreview.h"

#include "DrawTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tessmet;
using drawtest::Painted;
using drawtest::Raw;

namespace {

constexpr CalibrationValues kPixel{Unit::Pixel, 1.0, 1.0};
constexpr Pen kBlue{PenStyle::Solid, 1, 0xFF0000};
constexpr Pen kInverting{0, 0, 0};

Measurement Make(ObjectKind kind, std::vector<Point> points, Point label, const Pen& pen = kBlue) {
    MeasureInput input;
    input.kind = kind;
    input.points = points;
    input.label = label;
    input.pen = pen;
    input.imageWidth = 400;
    input.imageHeight = 300;
    Measurement m;
    EXPECT_EQ(BuildMeasurement(input, 1.0, m), 0);
    return m;
}

// Pixels in the rectangle [x0, x1] x [y0, y1] that differ from `before`.
int ChangedIn(const Dib& dib, const Dib& before, int x0, int y0, int x1, int y1) {
    int changed = 0;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) changed += Raw(dib, x, y) != Raw(before, x, y) ? 1 : 0;
    }
    return changed;
}

class ArrowheadTest : public ::testing::TestWithParam<int> {};

TEST_P(ArrowheadTest, OnlyOnSegmentsLongerThanTwentyFourPixels) {
    const int depth = GetParam();
    struct Row {
        int length;
        bool arrows;
        bool headsDrawn;
    };
    for (const Row row : {Row{24, true, false}, Row{25, true, true}, Row{60, true, true}, Row{60, false, false}}) {
        Dib dib = drawtest::Plain(200, 100, depth);
        const Dib before = dib;
        MeasureLook look;
        look.arrows = row.arrows;
        {
            Canvas canvas(dib);
            DrawMeasurement(canvas, Make(Kind::TwoPointDistance, {{50, 50}, {50 + row.length, 50}}, {5, 80}), kPixel, look);
        }
        // The segment's own row is always drawn; the heads reach 4 pixels above and below.
        EXPECT_EQ(ChangedIn(dib, before, 50, 50, 50 + row.length, 50), row.length + 1);
        const int beside = ChangedIn(dib, before, 40, 44, 50 + row.length + 10, 49) +
                           ChangedIn(dib, before, 40, 51, 50 + row.length + 10, 56);
        EXPECT_EQ(beside > 0, row.headsDrawn) << "length " << row.length << " arrows " << row.arrows;
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, ArrowheadTest, ::testing::Values(16, 24, 32),
                         [](const auto& info) { return std::to_string(info.param) + "bit"; });

class InvertingPenTest : public ::testing::TestWithParam<ObjectKind> {};

// The all-zero pen draws every figure by inverting, so a second drawing takes the figure away
// again; only the label, drawn in the pen's colour (black), stays.
TEST_P(InvertingPenTest, SecondDrawingRemovesTheFigure) {
    const ObjectKind kind = GetParam();
    const std::vector<std::vector<Point>> points = {
        {{40, 40}, {200, 120}},                         // 16
        {{40, 40}, {200, 60}, {120, 150}},              // 32
        {{40, 40}, {200, 50}, {180, 160}, {60, 140}},   // 48
        {{120, 100}, {220, 100}, {120, 20}},            // 64
        {{40, 40}, {200, 60}, {40, 160}, {200, 120}},   // 80
        {{150, 100}, {190, 130}},                       // 96
        {{100, 60}, {180, 90}, {130, 170}},             // 112
        {{40, 40}, {200, 120}},                         // 128
    };
    const Measurement m = Make(kind, points[static_cast<size_t>(kind / 16 - 1)], {300, 250}, kInverting);
    for (const int depth : {16, 24, 32}) {
        Dib dib = drawtest::Noise(400, 300, depth);
        const Dib original = dib;
        {
            Canvas canvas(dib);
            DrawMeasurement(canvas, m, kPixel, MeasureLook{});
        }
        EXPECT_GT(ChangedIn(dib, original, 0, 0, 399, 240), 40);
        for (int y = 0; y < 240; ++y) {
            for (int x = 0; x < 400; ++x) {
                const uint32_t now = Raw(dib, x, y);
                const uint32_t before = Raw(original, x, y);
                if (now != before) {
                    ASSERT_EQ(now, drawtest::Inverted(depth, before)) << depth << " " << x << "," << y;
                }
            }
        }
        {
            Canvas canvas(dib);
            DrawMeasurement(canvas, m, kPixel, MeasureLook{});
        }
        EXPECT_EQ(ChangedIn(dib, original, 0, 0, 399, 240), 0) << depth;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, InvertingPenTest, ::testing::Values(16, 32, 48, 64, 80, 96, 112, 128),
                         [](const auto& info) { return "kind" + std::to_string(info.param); });

TEST(CompleteMeasurement, StoresTheRecordAndDraws) {
    Dib display = drawtest::Plain(200, 150, 24);
    const Dib before = display;
    CGraphicStore store;
    const std::vector<Point> clicks = {{20, 20}, {120, 20}, {10, 100}};  // view coordinates at zoom 2
    CompleteRequest request;
    request.kind = Kind::TwoPointDistance;
    request.viewPoints = clicks;
    request.zoom = 2.0;
    request.pen = kBlue;
    Measurement made;
    ASSERT_EQ(CompleteMeasurement(request, kPixel, MeasureLook{}, display, store, &made), 0);
    ASSERT_EQ(store.Count(), 1);
    GraphicRecord record;
    ASSERT_EQ(store.Get(Kind::TwoPointDistance, 0, record), 0);
    EXPECT_EQ(record.fields, (std::vector<int32_t>{10, 10, 60, 10, 5, 50, 0, 1, 0xFF0000}));
    EXPECT_EQ(ResultText(made, kPixel), "50.00[pixel]");
    EXPECT_EQ(Raw(display, 30, 10), Painted(0xFF0000, 24, Raw(before, 30, 10)));
    EXPECT_GT(ChangedIn(display, before, 5, 50, 199, 149), 50);  // the label
}

TEST(CompleteMeasurement, NoResultRecordsAndDrawsNothing) {
    Dib display = drawtest::Plain(100, 100, 32);
    const Dib before = display;
    CGraphicStore store;
    const std::vector<Point> clicks = {{10, 10}, {10, 50}, {50, 30}, {70, 70}};
    CompleteRequest request;
    request.kind = Kind::ThreePointRadius;
    request.viewPoints = clicks;
    request.pen = kBlue;
    EXPECT_EQ(CompleteMeasurement(request, kPixel, MeasureLook{}, display, store), MeasureError::NoResult);
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(drawtest::Bytes(display), drawtest::Bytes(before));
    request.kind = Kind::Line;
    EXPECT_EQ(CompleteMeasurement(request, kPixel, MeasureLook{}, display, store), MeasureError::UnknownKind);
}

TEST(CompleteMeasurement, AreaTakesTheCountFromTheClose) {
    Dib display = drawtest::Plain(100, 100, 16);
    CGraphicStore store;
    const std::vector<Point> clicks = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {50, 50}};
    CompleteRequest request;
    request.kind = Kind::Area;
    request.viewPoints = clicks;
    request.pen = kBlue;
    request.areaCount = 100;
    ASSERT_EQ(CompleteMeasurement(request, kPixel, MeasureLook{}, display, store), 0);
    GraphicRecord record;
    ASSERT_EQ(store.Get(Kind::Area, 0, record), 0);
    EXPECT_EQ(record.fields[62], 5);
    EXPECT_EQ(record.fields[63], 10000);
}

TEST(DrawMeasurement, FilledAreaWithInvertedText) {
    const ColorRef color = Rgb(0, 0, 255);
    const Measurement m = Make(Kind::Area, {{20, 20}, {120, 20}, {120, 80}, {20, 80}}, {30, 30}, {0, 1, static_cast<int32_t>(color)});
    for (const bool fill : {true, false}) {
        Dib dib = drawtest::Plain(200, 100, 24);
        const uint32_t background = Raw(dib, 0, 0);
        MeasureLook look;
        look.fillArea = fill;
        {
            Canvas canvas(dib);
            DrawMeasurement(canvas, m, kPixel, look);
        }
        EXPECT_EQ(Raw(dib, 100, 70), fill ? Painted(color, 24, background) : background);
        EXPECT_EQ(Raw(dib, 20, 50), Painted(color, 24, background));  // the outline either way
        // The text "6000.00[pixel*pixel]" inside the polygon: inverted colour on the fill.
        int yellow = 0;
        for (int y = 30; y < 50; ++y) {
            for (int x = 30; x < 120; ++x) yellow += Raw(dib, x, y) == Painted(color ^ 0xFFFFFFu, 24, background) ? 1 : 0;
        }
        EXPECT_EQ(yellow > 0, fill);
    }
}

TEST(DrawMeasurement, RadiusCircleIsAnEllipseUnderAnisotropicCalibration) {
    // 0.01 mm per pixel across, 0.02 down: the circle through a point 10 pixels right of the
    // centre is 5 pixels tall. A wide pen draws the dotted guide solid.
    const CalibrationValues anisotropic{Unit::Millimetre, 0.01, 0.02};
    MeasureInput input;
    input.kind = Kind::TwoPointRadius;
    const std::vector<Point> points = {{100, 100}, {110, 100}};
    input.points = points;
    input.label = {10, 150};
    input.pen = {PenStyle::Solid, 2, 0x0000FF};
    Measurement m;
    ASSERT_EQ(BuildMeasurement(input, AspectRatio(anisotropic), m), 0);
    EXPECT_EQ(ResultText(m, anisotropic), "0.1000[mm]");
    Dib dib = drawtest::Plain(200, 200, 24);
    const uint32_t background = Raw(dib, 0, 0);
    {
        Canvas canvas(dib);
        DrawMeasurement(canvas, m, anisotropic, MeasureLook{});
    }
    EXPECT_NE(Raw(dib, 90, 100), background);   // left end of the x radius
    EXPECT_NE(Raw(dib, 100, 95), background);   // top of the y radius
    EXPECT_NE(Raw(dib, 100, 105), background);  // bottom
    EXPECT_EQ(Raw(dib, 100, 91), background);   // a circle of radius 10 would reach here
    EXPECT_EQ(Raw(dib, 100, 109), background);
}

TEST(DrawStoredMeasurements, SameAsDrawingEachRecordInCreationOrder) {
    CGraphicStore store;
    const std::vector<Measurement> made = {
        Make(Kind::TwoPointDistance, {{10, 10}, {150, 90}}, {20, 100}),
        Make(Kind::Angle, {{100, 100}, {180, 100}, {100, 30}}, {110, 110}, {2, 1, 0x00FF00}),
        Make(Kind::CenterDistance, {{10, 90}, {150, 10}}, {20, 20}, {0, 3, 0x0000FF}),
    };
    const int32_t line[] = {0, 0, 5, 5, 0, 1, 255};
    for (size_t i = 0; i < made.size(); ++i) {
        ASSERT_EQ(store.Add(made[i].kind, EncodeRecord(made[i])), 0);
        if (i == 0) {
            ASSERT_EQ(store.Add(Kind::Line, line), 0);  // draw objects are skipped
        }
    }
    Dib layered = drawtest::Plain(200, 150, 32);
    Dib oneByOne = layered;
    {
        Canvas canvas(layered);
        DrawStoredMeasurements(canvas, store, kPixel, MeasureLook{}, true);
    }
    {
        Canvas canvas(oneByOne);
        for (const Measurement& m : made) DrawMeasurement(canvas, m, kPixel, MeasureLook{});
    }
    EXPECT_EQ(drawtest::Bytes(layered), drawtest::Bytes(oneByOne));
}

TEST(DrawRecord, RecomputeMovesTheFootButNotTheRecord) {
    // A stored foot at (0, 40) where the current ratio puts it at (10, 40).
    const std::vector<int32_t> fields = {10, 0, 10, 100, 50, 40, 0, 40, 150, 5, 0, 1, 0xFF0000};
    MeasureLook look;
    look.arrows = false;
    for (const bool recompute : {false, true}) {
        Dib dib = drawtest::Plain(200, 120, 24);
        const Dib before = dib;
        {
            Canvas canvas(dib);
            ASSERT_EQ(DrawRecord(canvas, Kind::VerticalDistance, fields, kPixel, look, recompute), 0);
        }
        EXPECT_EQ(ChangedIn(dib, before, 0, 40, 9, 40) > 0, !recompute);
        EXPECT_EQ(ChangedIn(dib, before, 11, 40, 50, 40), 40);
    }
    Dib dib = drawtest::Plain(20, 20, 24);
    Canvas canvas(dib);
    EXPECT_EQ(DrawRecord(canvas, Kind::VerticalDistance, std::vector<int32_t>(9, 0), kPixel, look, true), MeasureError::BadRecord);
}

TEST(MeasurePreview, InvertingRubberBandComesOffAgain) {
    QImage copy(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < copy.height(); ++y) {
        for (int x = 0; x < copy.width(); ++x) copy.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    }
    const QImage original = copy.copy();
    const std::vector<Point> placed = {{150, 150}, {350, 150}};  // view coordinates
    PreviewRequest request;
    request.kind = Kind::Angle;
    request.placed = placed;
    request.cursor = {150, 60};
    request.imageWidth = 640;
    request.imageHeight = 480;
    std::string status;
    {
        Canvas canvas(copy, QPoint(100, 50));  // scrolled by (100, 50)
        status = PreviewMeasurement(canvas, request, kPixel, OverlayLook{});
    }
    EXPECT_EQ(status, "[1]:(150, 150) - [2]:(350, 150) - [3]:(150, 60) : Angle = 270.00[degree]");
    EXPECT_NE(copy, original);
    // The vertex (150, 150) in view coordinates is pixel (50, 100) of the copy.
    EXPECT_EQ(copy.pixel(60, 100) & 0xFFFFFF, ~original.pixel(60, 100) & 0xFFFFFF);
    {
        Canvas canvas(copy, QPoint(100, 50));
        PreviewMeasurement(canvas, request, kPixel, OverlayLook{});
    }
    EXPECT_EQ(copy, original);
}

TEST(MeasurePreview, OverlayColourWithoutXorAndLabelText) {
    QImage copy(200, 120, QImage::Format_RGB32);
    copy.fill(Qt::black);
    const std::vector<Point> placed = {{20, 20}, {120, 20}};
    PreviewRequest request;
    request.kind = Kind::TwoPointDistance;
    request.placed = placed;  // both points placed: the cursor is the label
    request.cursor = {30, 60};
    request.zoom = 2.0;
    request.imageWidth = 640;
    request.imageHeight = 480;
    OverlayLook look;
    look.useXor = false;
    look.addColor = Rgb(0, 255, 255);
    std::string status;
    {
        Canvas canvas(copy);
        status = PreviewMeasurement(canvas, request, kPixel, look);
    }
    // Image coordinates in the status text: halved by the zoom.
    EXPECT_EQ(status, "[1]:(10, 10) - [2]:(60, 10) - [3]:(15, 30) : Distance = 50.00[pixel]");
    EXPECT_EQ(copy.pixel(70, 20), qRgb(0, 255, 255));
    int textPixels = 0;
    for (int y = 60; y < 90; ++y) {
        for (int x = 30; x < 200; ++x) textPixels += copy.pixel(x, y) == qRgb(0, 255, 255) ? 1 : 0;
    }
    EXPECT_GT(textPixels, 30);

    // With XOR on the label is grey.
    copy.fill(Qt::black);
    {
        Canvas canvas(copy);
        PreviewMeasurement(canvas, request, kPixel, OverlayLook{});
    }
    int grey = 0;
    for (int y = 60; y < 90; ++y) {
        for (int x = 30; x < 200; ++x) grey += copy.pixel(x, y) == qRgb(0xAA, 0xAA, 0xAA) ? 1 : 0;
    }
    EXPECT_GT(grey, 30);
}

TEST(MeasurePreview, ThreePointRadiusWithoutCentreDrawsOnlyMarkers) {
    QImage copy(100, 100, QImage::Format_RGB555);
    copy.fill(Qt::black);
    const std::vector<Point> placed = {{10, 10}, {10, 50}};
    PreviewRequest request;
    request.kind = Kind::ThreePointRadius;
    request.placed = placed;
    request.cursor = {50, 30};
    request.imageWidth = 100;
    request.imageHeight = 100;
    std::string status;
    {
        Canvas canvas(copy);
        status = PreviewMeasurement(canvas, request, kPixel, OverlayLook{});
    }
    EXPECT_EQ(status, "[1]:(10, 10) - [2]:(10, 50) - [3]:(50, 30)");
    int lit = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) lit += copy.pixel(x, y) != qRgb(0, 0, 0) ? 1 : 0;
    }
    // Two X markers of two 11-pixel strokes each; their shared centre is inverted once.
    EXPECT_EQ(lit, 2 * 21);
}

}  // namespace
