#include "measure/core/MeasureKinds.h"
#include "measure/core/MeasureText.h"
#include "measure/core/Measurement.h"
#include "measure/core/PointRules.h"
#include "measure/res/StringTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tessmet;

namespace {

constexpr CalibrationValues kPixel{Unit::Pixel, 1.0, 1.0};
constexpr CalibrationValues kAnisotropicMm{Unit::Millimetre, 0.01, 0.02};
constexpr Pen kBlue{PenStyle::Solid, 1, 0xFF0000};

// Builds a measurement from image points (figure points, then the label) on a 640 x 480 image.
int Build(ObjectKind kind, std::vector<Point> clicks, const CalibrationValues& c, Measurement& m) {
    MeasureInput input;
    input.kind = kind;
    const Point label = clicks.back();
    clicks.pop_back();
    input.points = clicks;
    input.label = label;
    input.pen = kBlue;
    input.imageWidth = 640;
    input.imageHeight = 480;
    return BuildMeasurement(input, AspectRatio(c), m);
}

TEST(MeasureKinds, CodesFollowEachOther) {
    int i = 0;
    for (const MeasureKindInfo& info : MeasureKindTable()) {
        ++i;
        EXPECT_EQ(info.kind, 16 * i);
        EXPECT_EQ(info.toolMode, 16 * info.kind);
        EXPECT_EQ(info.command, 32800 + i);
        EXPECT_EQ(FindMeasureKindByName(info.cliName), &info);
        EXPECT_FALSE(LoadString(info.nameId).empty());
        EXPECT_FALSE(LoadString(info.columnId).empty());
    }
    EXPECT_EQ(LoadString(FindMeasureKind(Kind::TwoLinesAngle)->nameId), "2 Lines Angle");
    EXPECT_EQ(LoadString(FindMeasureKind(Kind::Angle)->columnId), "Angle[degree]");
    EXPECT_EQ(FindMeasureKind(Kind::Line), nullptr);
    EXPECT_EQ(FindMeasureKind(0), nullptr);
    EXPECT_EQ(FindMeasureKindByName("Area"), nullptr);
}

struct ResultCase {
    const char* name;
    ObjectKind kind;
    std::vector<Point> clicks;  // figure points, then the label
    CalibrationValues calibration;
    const char* text;
};

class ResultTextTest : public ::testing::TestWithParam<ResultCase> {};

TEST_P(ResultTextTest, TextMatches) {
    const ResultCase& c = GetParam();
    Measurement m;
    ASSERT_EQ(Build(c.kind, c.clicks, c.calibration, m), 0);
    EXPECT_EQ(ResultText(m, c.calibration), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ResultTextTest,
    ::testing::Values(
        ResultCase{"distance", Kind::TwoPointDistance, {{10, 10}, {13, 14}, {0, 0}}, kPixel, "5.00[pixel]"},
        ResultCase{"distance_mm", Kind::TwoPointDistance, {{10, 10}, {20, 10}, {0, 0}}, kAnisotropicMm, "0.1000[mm]"},
        ResultCase{"vertical_distance_to_vertical_line", Kind::VerticalDistance, {{10, 0}, {10, 100}, {50, 40}, {0, 0}}, kPixel, "40.00[pixel]"},
        // The foot (2.4, 0.8) rounds to (2, 1): the distance is from the rounded foot.
        ResultCase{"vertical_distance_from_rounded_foot", Kind::VerticalDistance, {{0, 0}, {3, 1}, {1, 5}, {0, 0}}, kPixel, "4.12[pixel]"},
        ResultCase{"area_square", Kind::Area, {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {50, 50}}, kPixel, "100.00[pixel*pixel]"},
        ResultCase{"area_mm", Kind::Area, {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {50, 50}}, kAnisotropicMm, "0.0200[mm*mm]"},
        ResultCase{"angle_270", Kind::Angle, {{100, 100}, {200, 100}, {100, 0}, {0, 0}}, kPixel, "270.00[degree]"},
        ResultCase{"angle_90", Kind::Angle, {{100, 100}, {100, 0}, {200, 100}, {0, 0}}, kPixel, "90.00[degree]"},
        // 20 pixels right at half the vertical resolution is as long as 10 pixels up.
        ResultCase{"angle_anisotropic", Kind::Angle, {{0, 100}, {20, 90}, {20, 100}, {0, 0}}, kAnisotropicMm, "45.00[degree]"},
        ResultCase{"two_lines_angle", Kind::TwoLinesAngle, {{0, 0}, {10, 10}, {0, 10}, {10, 0}, {50, 50}}, kPixel, "270.00[degree]"},
        ResultCase{"two_lines_meeting_left_of_image", Kind::TwoLinesAngle, {{0, 0}, {10, 0}, {0, 5}, {10, 15}, {50, 50}}, kPixel, "45.00[degree]"},
        ResultCase{"radius_anisotropic", Kind::TwoPointRadius, {{100, 100}, {110, 100}, {0, 0}}, kAnisotropicMm, "0.1000[mm]"},
        ResultCase{"three_point_radius", Kind::ThreePointRadius, {{0, 10}, {10, 0}, {20, 10}, {50, 50}}, kPixel, "10.00[pixel]"},
        ResultCase{"center_distance_uses_integer_midpoint", Kind::CenterDistance, {{0, 0}, {5, 0}, {9, 9}}, kPixel, "2.00[pixel]"},
        ResultCase{"zero_resolution_prints_zero", Kind::TwoPointDistance, {{0, 0}, {30, 40}, {9, 9}}, CalibrationValues{Unit::Millimetre, 0, 0}, "0.0000[mm]"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BuildMeasurement, DerivedPoints) {
    Measurement m;
    ASSERT_EQ(Build(Kind::VerticalDistance, {{10, 0}, {10, 100}, {50, 40}, {0, 0}}, kPixel, m), 0);
    EXPECT_EQ(m.derived, (Point{10, 40}));
    ASSERT_EQ(Build(Kind::CenterDistance, {{0, 0}, {5, 0}, {9, 9}}, kPixel, m), 0);
    EXPECT_EQ(m.derived, (Point{2, 0}));
    ASSERT_EQ(Build(Kind::TwoLinesAngle, {{0, 0}, {10, 10}, {0, 10}, {10, 0}, {50, 50}}, kPixel, m), 0);
    EXPECT_EQ(m.derived, (Point{5, 5}));
    ASSERT_EQ(Build(Kind::TwoPointDistance, {{0, 0}, {5, 0}, {9, 9}}, kPixel, m), 0);
    EXPECT_FALSE(m.derived);
}

TEST(BuildMeasurement, RefusalsRecordNothing) {
    Measurement m;
    m.kind = 7;  // untouched on failure
    // Three-point radius with P1 straight below P0: no centre.
    EXPECT_EQ(Build(Kind::ThreePointRadius, {{10, 10}, {10, 50}, {50, 30}, {0, 0}}, kPixel, m), MeasureError::NoResult);
    EXPECT_EQ(Build(Kind::TwoLinesAngle, {{0, 0}, {10, 5}, {0, 10}, {20, 20}, {50, 50}}, kPixel, m), MeasureError::NoResult);
    // A zero ratio leaves the foot, the intersection and the centre without a result.
    const CalibrationValues zero{Unit::Millimetre, 0.0, 0.01};
    EXPECT_EQ(Build(Kind::VerticalDistance, {{10, 0}, {10, 100}, {50, 40}, {0, 0}}, zero, m), MeasureError::NoResult);
    EXPECT_EQ(Build(Kind::TwoPointDistance, {{0, 0}, {0, 0}}, kPixel, m), MeasureError::WrongPointCount);
    EXPECT_EQ(Build(Kind::Area, {{0, 0}, {5, 0}, {9, 9}}, kPixel, m), MeasureError::WrongPointCount);
    std::vector<Point> many;
    for (int i = 0; i < 32; ++i) many.push_back({i, i * i % 17});
    EXPECT_EQ(Build(Kind::Area, many, kPixel, m), MeasureError::WrongPointCount);
    EXPECT_EQ(Build(Kind::Line, {{0, 0}, {5, 0}, {9, 9}}, kPixel, m), MeasureError::UnknownKind);
    EXPECT_EQ(m.kind, 7);
}

TEST(BuildMeasurement, AreaUsesTheCountTakenWhenThePolygonClosed) {
    const std::vector<Point> square = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    MeasureInput input;
    input.kind = Kind::Area;
    input.points = square;
    input.imageWidth = 5;  // the count covers the image only
    input.imageHeight = 5;
    Measurement m;
    ASSERT_EQ(BuildMeasurement(input, 1.0, m), 0);
    EXPECT_EQ(m.areaCount, 25);
    input.areaCount = 77;
    ASSERT_EQ(BuildMeasurement(input, 1.0, m), 0);
    EXPECT_EQ(m.areaCount, 77);
}

struct RecordCase {
    const char* name;
    ObjectKind kind;
    std::vector<Point> clicks;
    std::vector<int32_t> fields;
};

class RecordTest : public ::testing::TestWithParam<RecordCase> {};

TEST_P(RecordTest, LayoutAndRoundTrip) {
    const RecordCase& c = GetParam();
    Measurement m;
    ASSERT_EQ(Build(c.kind, c.clicks, kPixel, m), 0);
    const std::vector<int32_t> fields = EncodeRecord(m);
    EXPECT_EQ(fields, c.fields);
    EXPECT_EQ(static_cast<int>(fields.size()), FieldCount(c.kind));
    Measurement back;
    ASSERT_EQ(DecodeRecord(c.kind, fields, back), 0);
    EXPECT_EQ(back, m);
    // Through the store and back.
    CGraphicStore store;
    ASSERT_EQ(store.Add(c.kind, fields), 0);
    GraphicRecord record;
    ASSERT_EQ(store.Get(c.kind, 0, record), 0);
    EXPECT_EQ(record.fields, fields);
}

std::vector<int32_t> AreaFields() {
    std::vector<int32_t> f = {0, 0, 10, 0, 10, 10, 0, 10, 20, 30};
    f.resize(62, 0);
    f.insert(f.end(), {5, 10000, 0, 1, 0xFF0000});
    return f;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RecordTest,
    ::testing::Values(
        RecordCase{"distance", Kind::TwoPointDistance, {{1, 2}, {3, 4}, {5, 6}}, {1, 2, 3, 4, 5, 6, 0, 1, 0xFF0000}},
        RecordCase{"vertical_distance", Kind::VerticalDistance, {{10, 0}, {10, 100}, {50, 40}, {7, 8}},
                   {10, 0, 10, 100, 50, 40, 10, 40, 7, 8, 0, 1, 0xFF0000}},
        RecordCase{"area", Kind::Area, {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {20, 30}}, AreaFields()},
        RecordCase{"angle", Kind::Angle, {{1, 1}, {9, 1}, {1, 9}, {4, 4}}, {1, 1, 9, 1, 1, 9, 4, 4, 0, 1, 0xFF0000}},
        RecordCase{"two_lines_angle", Kind::TwoLinesAngle, {{0, 0}, {10, 10}, {0, 10}, {10, 0}, {3, 3}},
                   {0, 0, 10, 10, 0, 10, 10, 0, 5, 5, 3, 3, 0, 1, 0xFF0000}},
        RecordCase{"two_point_radius", Kind::TwoPointRadius, {{1, 2}, {3, 4}, {5, 6}}, {1, 2, 3, 4, 5, 6, 0, 1, 0xFF0000}},
        RecordCase{"three_point_radius", Kind::ThreePointRadius, {{0, 10}, {10, 0}, {20, 10}, {3, 3}},
                   {0, 10, 10, 0, 20, 10, 10, 10, 3, 3, 0, 1, 0xFF0000}},
        RecordCase{"center_distance", Kind::CenterDistance, {{1, 2}, {3, 4}, {5, 6}}, {1, 2, 3, 4, 5, 6, 0, 1, 0xFF0000}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Record, HugeAreaCountSaturatesAtAMultipleOfHundred) {
    Measurement m;
    m.kind = Kind::Area;
    m.points = {{0, 0}, {10, 0}, {10, 10}};
    m.areaCount = 30'000'000;
    const std::vector<int32_t> fields = EncodeRecord(m);
    EXPECT_EQ(fields[63], 2147483600);
    Measurement back;
    ASSERT_EQ(DecodeRecord(Kind::Area, fields, back), 0);
    EXPECT_EQ(back.areaCount, 21474836);
}

TEST(Record, UnreadableRecordsAreRefused) {
    Measurement m;
    EXPECT_EQ(DecodeRecord(Kind::TwoPointDistance, std::vector<int32_t>(8, 0), m), MeasureError::BadRecord);
    EXPECT_EQ(DecodeRecord(Kind::Line, std::vector<int32_t>(7, 0), m), MeasureError::UnknownKind);
    std::vector<int32_t> area = AreaFields();
    area[62] = 3;  // two vertices and the label
    EXPECT_EQ(DecodeRecord(Kind::Area, area, m), MeasureError::BadRecord);
    area[62] = 32;
    EXPECT_EQ(DecodeRecord(Kind::Area, area, m), MeasureError::BadRecord);
}

TEST(RecomputeDerived, FollowsTheCurrentRatioButKeepsTheStoredPointWithoutResult) {
    // Stored with a 1:1 calibration: the foot of (20, 0) on the line (0, 0)-(20, 10).
    Measurement m;
    ASSERT_EQ(Build(Kind::VerticalDistance, {{0, 0}, {20, 10}, {20, 0}, {0, 0}}, kPixel, m), 0);
    EXPECT_EQ(m.derived, (Point{16, 8}));
    Measurement recomputed = m;
    RecomputeDerived(recomputed, 0.5);  // the line now runs at 45 degrees in the isotropic space
    EXPECT_EQ(recomputed.derived, (Point{10, 5}));
    Measurement kept = m;
    RecomputeDerived(kept, 0.0);
    EXPECT_EQ(kept.derived, m.derived);
    // Kind 80 keeps its stored intersection whatever the ratio.
    ASSERT_EQ(Build(Kind::TwoLinesAngle, {{0, 0}, {10, 10}, {0, 10}, {10, 0}, {50, 50}}, kPixel, m), 0);
    Measurement lines = m;
    lines.derived = Point{1, 1};
    RecomputeDerived(lines, 0.5);
    EXPECT_EQ(lines.derived, (Point{1, 1}));
}

TEST(ResultText, CalibrationChangeRelabels) {
    Measurement m;
    ASSERT_EQ(Build(Kind::TwoPointDistance, {{0, 0}, {30, 40}, {9, 9}}, kPixel, m), 0);
    EXPECT_EQ(ResultText(m, kPixel), "50.00[pixel]");
    EXPECT_EQ(ResultText(m, {Unit::Micrometre, 0.01, 0.01}), "500.0000[um]");
    EXPECT_EQ(ResultText(m, {Unit::Micrometre, 0.01, 0.01}, false), "500.0000");  // the result list's value
    Measurement angle;
    ASSERT_EQ(Build(Kind::Angle, {{100, 100}, {200, 100}, {100, 0}, {0, 0}}, kPixel, angle), 0);
    EXPECT_EQ(ResultText(angle, kPixel, false), "270.00");
    m.kind = Kind::VerticalDistance;  // no derived foot: nothing to show
    EXPECT_EQ(ResultText(m, kPixel), "");
}

struct LiveCase {
    const char* name;
    ObjectKind kind;
    std::vector<Point> placed;
    Point cursor;
    bool closed;
    long long areaCount;
    const char* status;
    const char* label;
};

class LiveTextTest : public ::testing::TestWithParam<LiveCase> {};

TEST_P(LiveTextTest, StatusAndLabel) {
    const LiveCase& c = GetParam();
    LivePoints live;
    live.kind = c.kind;
    live.placed = c.placed;
    live.cursor = c.cursor;
    live.polygonClosed = c.closed;
    live.areaCount = c.areaCount;
    const LiveText text = MeasureLiveText(live, kPixel);
    EXPECT_EQ(text.status, c.status);
    EXPECT_EQ(text.label, c.label);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LiveTextTest,
    ::testing::Values(
        LiveCase{"distance_second_point", Kind::TwoPointDistance, {{0, 0}}, {3, 4}, false, 0,
                 "[1]:(0, 0) - [2]:(3, 4) : Distance = 5.00[pixel]", ""},
        LiveCase{"distance_label", Kind::TwoPointDistance, {{0, 0}, {3, 4}}, {50, 60}, false, 0,
                 "[1]:(0, 0) - [2]:(3, 4) - [3]:(50, 60) : Distance = 5.00[pixel]", "5.00[pixel]"},
        LiveCase{"vertical_distance_first_line_point", Kind::VerticalDistance, {{10, 0}}, {10, 100}, false, 0,
                 "[1]:(10, 0) - [2]:(10, 100)", ""},
        LiveCase{"vertical_distance_foot", Kind::VerticalDistance, {{10, 0}, {10, 100}}, {50, 40}, false, 0,
                 "[1]:(10, 0) - [2]:(10, 100) - [3]:(50, 40) - [C](10, 40) : Distance = 40.00[pixel]", ""},
        LiveCase{"area_one_vertex", Kind::Area, {{0, 0}}, {10, 0}, false, 0, "[1]:(0, 0) - [2]:(10, 0)", ""},
        LiveCase{"area_two_vertices", Kind::Area, {{0, 0}, {10, 0}}, {10, 10}, false, 0,
                 "[1]:(0, 0) - [2]:(10, 0) - [3]:(10, 10)  Double click ends selection", ""},
        LiveCase{"area_keeps_last_four", Kind::Area, {{0, 0}, {10, 0}, {20, 5}, {20, 20}, {10, 30}, {0, 20}}, {1, 1}, false, 0,
                 "[4]:(20, 20) - [5]:(10, 30) - [6]:(0, 20) - [7]:(1, 1)  Double click ends selection", ""},
        LiveCase{"area_label", Kind::Area, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {40, 40}, true, 100,
                 "[2]:(10, 0) - [3]:(10, 10) - [4]:(0, 10) - [5]:(40, 40) : Square = 100.00[pixel*pixel]",
                 "100.00[pixel*pixel]"},
        LiveCase{"angle_before_first_arm", Kind::Angle, {{100, 100}}, {200, 100}, false, 0, "[1]:(100, 100) - [2]:(200, 100)", ""},
        LiveCase{"angle_second_arm", Kind::Angle, {{100, 100}, {200, 100}}, {100, 0}, false, 0,
                 "[1]:(100, 100) - [2]:(200, 100) - [3]:(100, 0) : Angle = 270.00[degree]", ""},
        LiveCase{"two_lines_angle", Kind::TwoLinesAngle, {{0, 0}, {10, 10}, {0, 10}}, {10, 0}, false, 0,
                 "[1]:(0, 0) - [2]:(10, 10) - [3]:(0, 10) - [4]:(10, 0) - [C]:(5, 5) : Angle = 270.00[degree]", ""},
        LiveCase{"two_lines_parallel", Kind::TwoLinesAngle, {{0, 0}, {10, 10}, {0, 10}}, {10, 20}, false, 0,
                 "[1]:(0, 0) - [2]:(10, 10) - [3]:(0, 10) - [4]:(10, 20)  Two specified straight lines are parallel", ""},
        LiveCase{"radius", Kind::TwoPointRadius, {{0, 0}}, {6, 8}, false, 0, "[1]:(0, 0) - [2]:(6, 8) : Radius = 10.00[pixel]", ""},
        LiveCase{"three_point_radius", Kind::ThreePointRadius, {{0, 10}, {10, 0}}, {20, 10}, false, 0,
                 "[1]:(0, 10) - [2]:(10, 0) - [3]:(20, 10) - [C]:(10, 10) : Radius = 10.00[pixel]", ""},
        LiveCase{"three_point_radius_without_centre", Kind::ThreePointRadius, {{10, 10}, {10, 50}}, {50, 30}, false, 0,
                 "[1]:(10, 10) - [2]:(10, 50) - [3]:(50, 30)", ""},
        LiveCase{"center_distance", Kind::CenterDistance, {{0, 0}}, {5, 0}, false, 0,
                 "[1]:(0, 0) - [2]:(5, 0) : Center = 2.00[pixel]", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CheckNextPoint, RefusalsAsTheToolsApplyThem) {
    struct Row {
        ObjectKind kind;
        std::vector<Point> placed;
        Point next;
        PointCheck expected;
    };
    const Row rows[] = {
        {Kind::TwoPointDistance, {{5, 5}}, {5, 5}, PointCheck::Duplicate},
        {Kind::TwoPointDistance, {{5, 5}, {9, 9}}, {5, 5}, PointCheck::Duplicate},  // the label too
        {Kind::TwoPointDistance, {{5, 5}}, {5, 6}, PointCheck::Accept},
        {Kind::TwoLinesAngle, {{0, 0}, {10, 5}, {0, 10}}, {20, 20}, PointCheck::Parallel},
        {Kind::TwoLinesAngle, {{0, 0}, {10, 5}, {0, 10}}, {20, 21}, PointCheck::Accept},
        {Kind::TwoLinesAngle, {{0, 0}, {10, 5}}, {20, 10}, PointCheck::Accept},  // only the fourth point is tested
        {Kind::ThreePointRadius, {{10, 10}, {10, 50}}, {10, 30}, PointCheck::OnOneAxis},
        {Kind::ThreePointRadius, {{10, 10}, {50, 10}}, {30, 10}, PointCheck::OnOneAxis},
        // Below P0 but not on one axis with both: taken, and the construction then has no centre.
        {Kind::ThreePointRadius, {{10, 10}, {10, 50}}, {50, 30}, PointCheck::Accept},
        {Kind::ThreePointRadius, {{10, 10}, {20, 50}}, {10, 30}, PointCheck::Accept},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(CheckNextPoint(r.kind, r.placed, r.next), r.expected) << r.kind << " next " << r.next.x << "," << r.next.y;
    }
}

}  // namespace
