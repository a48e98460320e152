#include "viewer/imaging/RegionPixels.h"

#include "viewer/imaging/RegionTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

using namespace lumora;

namespace {

// Every baked polygon: the count and the box of the covered pixels.
TEST(PolygonRegionPixels, MatchesThePlatformsRegionsOnRandomPolygons) {
    ASSERT_GT(region_tables::kPolygons.size(), 250u);
    for (size_t i = 0; i < region_tables::kPolygons.size(); ++i) {
        const auto& c = region_tables::kPolygons[i];
        std::vector<QPoint> outline = c.vertices;
        outline.push_back(c.floating);
        outline.push_back(c.vertices.front());
        const RegionPixels region = PolygonRegionPixels(outline);
        ASSERT_EQ(region.count, c.count) << "polygon " << i;
        EXPECT_EQ(region.box, (PixelBox{c.left, c.top, c.right, c.bottom})) << "polygon " << i;
    }
}

// For thin upright boxes (two pixels wide, or up to six wide and eight or more high, after the
// last column and row are left out) the platform's region varies from run to run and with the
// position, with stray rows near the ends; the tables mark those unsteady and they are not
// compared. The stepped outline gives the steady answer for them.
// Every box up to 48 x 48 at the origin.
TEST(EllipseRegionPixelCount, MatchesThePlatformsRegionsForEveryBoxUpTo48) {
    int compared = 0;
    for (int w = 1; w <= region_tables::kSweep; ++w) {
        for (int h = 1; h <= region_tables::kSweep; ++h) {
            if (region_tables::kEllipseSweep[w - 1][h - 1] < 0) continue;
            ASSERT_EQ(EllipseRegionPixelCount({0, 0}, {w, h}), region_tables::kEllipseSweep[w - 1][h - 1])
                << w << " x " << h;
            ++compared;
        }
    }
    EXPECT_GT(compared, 2000);  // of 2304
}

// Every baked random ellipse, with its corners given either way round and far from the origin.
TEST(EllipseRegionPixelCount, MatchesThePlatformsRegionsOnRandomEllipses) {
    int compared = 0;
    for (size_t i = 0; i < region_tables::kEllipses.size(); ++i) {
        const auto& c = region_tables::kEllipses[i];
        if (!c.steady) continue;
        ASSERT_EQ(EllipseRegionPixelCount(c.corner1, c.corner2), c.count) << "ellipse " << i;
        ASSERT_EQ(EllipseRegionPixelCount(c.corner2, c.corner1), c.count) << "ellipse " << i;
        const QPoint far(1000, 2000);
        ASSERT_EQ(EllipseRegionPixelCount(c.corner1 + far, c.corner2 + far), c.count) << "moved ellipse " << i;
        ++compared;
    }
    EXPECT_GT(compared, 290);  // of 370
}

struct KnownPolygon {
    const char* name;
    std::vector<QPoint> points;
    long long count;
};

class PolygonRegionKnownTest : public ::testing::TestWithParam<KnownPolygon> {};

TEST_P(PolygonRegionKnownTest, Count) {
    EXPECT_EQ(PolygonRegionPixels(GetParam().points).count, GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, PolygonRegionKnownTest,
    ::testing::Values(
        // Right and bottom edges are not the region's: width x height.
        KnownPolygon{"rectangle", {{10, 10}, {30, 10}, {30, 20}, {10, 20}}, 200},
        KnownPolygon{"rectangle_other_way_round", {{10, 10}, {10, 20}, {30, 20}, {30, 10}}, 200},
        KnownPolygon{"lower_left_half_of_a_square", {{0, 0}, {10, 10}, {0, 10}}, 45},
        KnownPolygon{"upper_right_half_of_a_square", {{0, 0}, {10, 0}, {10, 10}}, 55},
        // Both lobes of a bow tie count whichever way they wind.
        KnownPolygon{"bow_tie", {{0, 0}, {10, 10}, {10, 0}, {0, 10}}, 50},
        KnownPolygon{"collinear", {{0, 0}, {5, 5}, {10, 10}}, 0},
        KnownPolygon{"two_points", {{0, 0}, {5, 5}}, 0},
        KnownPolygon{"negative_coordinates", {{-20, -20}, {-10, -20}, {-10, -10}, {-20, -10}}, 100}),
    [](const auto& info) { return std::string(info.param.name); });

// The visited runs cover each inside pixel once, rows in order, runs left to right.
TEST(ForEachPolygonRegionSpan, RunsAreOrderedAndDisjoint) {
    for (const auto& c : region_tables::kPolygons) {
        std::vector<QPoint> outline = c.vertices;
        outline.push_back(c.floating);
        outline.push_back(c.vertices.front());
        int lastRow = INT32_MIN;
        int lastEnd = INT32_MIN;
        long long total = 0;
        ForEachPolygonRegionSpan(outline, [&](int y, int xBegin, int xEnd) {
            ASSERT_GE(y, lastRow);
            if (y == lastRow) {
                ASSERT_GE(xBegin, lastEnd);
            }
            ASSERT_LT(xBegin, xEnd);
            lastRow = y;
            lastEnd = xEnd;
            total += xEnd - xBegin;
        });
        ASSERT_EQ(total, c.count);
    }
}

TEST(EllipseRegionPixelCount, BoxesWithoutInnerWidthOrHeightCoverNothing) {
    const struct {
        QPoint a, b;
    } cases[] = {{{5, 5}, {5, 20}}, {{5, 5}, {20, 5}}, {{5, 5}, {6, 20}}, {{5, 5}, {20, 6}}, {{3, 3}, {3, 3}}};
    for (const auto& c : cases) EXPECT_EQ(EllipseRegionPixelCount(c.a, c.b), 0) << c.a.x() << "," << c.b.x();
}

// Rows of the region lie inside the box without its last column and row, one run each.
TEST(ForEachEllipticRegionSpan, RowsStayInsideTheBox) {
    for (int w = 1; w <= 40; ++w) {
        for (int h = 1; h <= 40; ++h) {
            std::map<int, std::pair<int, int>> rows;
            ForEachEllipticRegionSpan(100, 200, 100 + w, 200 + h, [&](int y, int xBegin, int xEnd) {
                ASSERT_FALSE(rows.count(y)) << "one run per row";
                rows[y] = {xBegin, xEnd};
            });
            for (const auto& [y, run] : rows) {
                ASSERT_GE(y, 200);
                ASSERT_LT(y, 200 + h - 1);
                ASSERT_GE(run.first, 100);
                ASSERT_LE(run.second, 100 + w - 1);
                ASSERT_LT(run.first, run.second);
            }
        }
    }
}

}  // namespace
