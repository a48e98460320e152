#include "measure/core/MeasureResultTable.h"

#include "measure/core/Measurement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace tessmet;

namespace {

constexpr CalibrationValues kPixel{Unit::Pixel, 1.0, 1.0};
constexpr CalibrationValues kMillimetre{Unit::Millimetre, 0.01, 0.01};

// Stores a measurement as the tools do: built from its points, encoded, appended.
void AddMeasurement(CGraphicStore& store, ObjectKind kind, std::vector<Point> points, Point label,
                    std::optional<long long> areaCount = std::nullopt) {
    MeasureInput input;
    input.kind = kind;
    input.points = points;
    input.label = label;
    input.imageWidth = 640;
    input.imageHeight = 480;
    input.areaCount = areaCount;
    Measurement m;
    ASSERT_EQ(BuildMeasurement(input, 1.0, m), 0);
    ASSERT_EQ(store.Add(kind, EncodeRecord(m)), 0);
}

TEST(MeasureResultCsv, TwoPointDistanceLineIsByteExact) {
    CGraphicStore store;
    AddMeasurement(store, Kind::TwoPointDistance, {{10, 20}, {40, 60}}, {50, 50});
    EXPECT_EQ(MeasureResultCsv(store, kPixel), "2 Point Distance[1], 50.00, x1, 10, y1, 20, x2, 40, y2, 60, \r");
}

TEST(MeasureResultCsv, AreaListsItsVerticesButNotTheLabel) {
    CGraphicStore store;
    AddMeasurement(store, Kind::Area, {{0, 0}, {10, 0}, {0, 10}}, {30, 30}, 50);
    EXPECT_EQ(MeasureResultCsv(store, kPixel), "Area[1], 50.00, x1, 0, y1, 0, x2, 10, y2, 0, x3, 0, y3, 10, \r");
    EXPECT_EQ(MeasureResultCsv(store, kMillimetre), "Area[1], 0.0050, x1, 0, y1, 0, x2, 10, y2, 0, x3, 0, y3, 10, \r");
}

TEST(MeasureResultCsv, EmptyStoreGivesEmptyText) {
    CGraphicStore store;
    EXPECT_EQ(MeasureResultCsv(store, kPixel), "");
    // Draw objects are not measurements.
    const int32_t line[] = {0, 0, 5, 5, 0, 1, 0};
    ASSERT_EQ(store.Add(Kind::Line, line), 0);
    EXPECT_EQ(MeasureResultCsv(store, kPixel), "");
}

// Kinds come out in list order whatever order they were made in; each kind numbers its own
// records from 1; the derived point follows as xc, yc for 32, 80 and 112 only.
TEST(MeasureResultCsv, KindsInListOrderWithDerivedPoints) {
    CGraphicStore store;
    AddMeasurement(store, Kind::CenterDistance, {{0, 0}, {11, 0}}, {5, 5});
    AddMeasurement(store, Kind::ThreePointRadius, {{0, 10}, {10, 0}, {20, 10}}, {40, 40});
    AddMeasurement(store, Kind::VerticalDistance, {{10, 0}, {10, 100}, {50, 40}}, {60, 60});
    AddMeasurement(store, Kind::TwoPointDistance, {{0, 0}, {3, 4}}, {9, 9});
    AddMeasurement(store, Kind::TwoPointDistance, {{0, 0}, {6, 8}}, {9, 19});
    AddMeasurement(store, Kind::Angle, {{100, 100}, {200, 100}, {100, 0}}, {150, 150});
    AddMeasurement(store, Kind::TwoLinesAngle, {{0, 0}, {10, 0}, {5, -5}, {5, 5}}, {30, 30});
    AddMeasurement(store, Kind::TwoPointRadius, {{0, 0}, {0, 7}}, {20, 20});
    const std::string expected =
        "2 Point Distance[1], 5.00, x1, 0, y1, 0, x2, 3, y2, 4, \r"
        "2 Point Distance[2], 10.00, x1, 0, y1, 0, x2, 6, y2, 8, \r"
        "Vertical Distance[1], 40.00, x1, 10, y1, 0, x2, 10, y2, 100, x3, 50, y3, 40, xc, 10, yc, 40, \r"
        "Angle[1], 270.00, x1, 100, y1, 100, x2, 200, y2, 100, x3, 100, y3, 0, \r"
        "2 Lines Angle[1], 90.00, x1, 0, y1, 0, x2, 10, y2, 0, x3, 5, y3, -5, x4, 5, y4, 5, xc, 5, yc, 0, \r"
        "2 Point Radius[1], 7.00, x1, 0, y1, 0, x2, 0, y2, 7, \r"
        "3 Point Radius[1], 10.00, x1, 0, y1, 10, x2, 10, y2, 0, x3, 20, y3, 10, xc, 10, yc, 10, \r"
        "Center Distance[1], 5.00, x1, 0, y1, 0, x2, 11, y2, 0, \r";
    EXPECT_EQ(MeasureResultCsv(store, kPixel), expected);
    EXPECT_EQ(expected.find('\n'), std::string::npos);
}

TEST(MeasureResultCsv, AtMostSixtyFourRecordsOfAKind) {
    CGraphicStore store(100);
    for (int i = 0; i < 70; ++i) AddMeasurement(store, Kind::TwoPointDistance, {{0, 0}, {i + 1, 0}}, {0, 5});
    const std::string csv = MeasureResultCsv(store, kPixel);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\r'), kMaxResultRows);
    EXPECT_NE(csv.find("[64], 64.00"), std::string::npos);
    EXPECT_EQ(csv.find("[65]"), std::string::npos);
}

struct TitleCase {
    int index;
    UnitType unit;
    const char* title;
    size_t columns;
    const char* last;
};

TEST(ResultColumnTitles, TitleCarriesTheUnitAndCoordinateColumnsFollow) {
    const TitleCase cases[] = {
        {0, Unit::Pixel, "Distance[pixel]", 5, "y2"},
        {1, Unit::Millimetre, "Distance[mm]", 9, "yc"},
        {2, Unit::Micrometre, "Area[um*um]", 61, "y30"},
        {3, Unit::Millimetre, "Angle[degree]", 7, "y3"},
        {4, Unit::Inch, "Angle[degree]", 11, "yc"},
        {5, Unit::Inch, "Radius[inch]", 5, "y2"},
        {6, Unit::Pixel, "Radius[pixel]", 9, "yc"},
        {7, Unit::Micrometre, "Distance[um]", 5, "y2"},
    };
    for (const TitleCase& c : cases) {
        SCOPED_TRACE(c.index);
        const std::vector<std::string> titles = ResultColumnTitles(c.index, c.unit);
        ASSERT_EQ(titles.size(), c.columns);
        EXPECT_EQ(titles.front(), c.title);
        EXPECT_EQ(titles[1], "x1");
        EXPECT_EQ(titles.back(), c.last);
    }
    EXPECT_TRUE(ResultColumnTitles(8, Unit::Pixel).empty());
    EXPECT_TRUE(ResultColumnTitles(-1, Unit::Pixel).empty());
}

TEST(ResultRows, ValueFollowsTheCalibrationAndMissingRowsAreRefused) {
    CGraphicStore store;
    AddMeasurement(store, Kind::TwoPointRadius, {{0, 0}, {30, 40}}, {60, 60});
    ResultRow row;
    ASSERT_TRUE(ResultRowAt(store, 5, 0, kMillimetre, row));
    EXPECT_EQ(row.value, "0.5000");
    EXPECT_EQ(row.coordinates, (std::vector<int32_t>{0, 0, 30, 40}));
    EXPECT_FALSE(row.hasDerived);
    EXPECT_FALSE(ResultRowAt(store, 5, 1, kMillimetre, row));
    EXPECT_FALSE(ResultRowAt(store, 0, 0, kMillimetre, row));
    EXPECT_FALSE(ResultRowAt(store, 9, 0, kMillimetre, row));
}

}  // namespace
