#include "measure/core/PolygonArea.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace tessmet;

namespace {

struct KnownArea {
    const char* name;
    std::vector<Point> vertices;
    long long count;
};

class PolygonPixelCountTest : public ::testing::TestWithParam<KnownArea> {};

TEST_P(PolygonPixelCountTest, Count) {
    const KnownArea& c = GetParam();
    EXPECT_EQ(PolygonPixelCount(c.vertices, 64, 48), c.count);
    EXPECT_EQ(PolygonPixelCountPerPixel(c.vertices, 64, 48), c.count);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, PolygonPixelCountTest,
    ::testing::Values(
        // Right and bottom edges excluded: a 10 x 10 square covers 100 pixels.
        KnownArea{"square", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 100},
        KnownArea{"square_other_way_round", {{0, 0}, {0, 10}, {10, 10}, {10, 0}}, 100},
        KnownArea{"clipped_by_the_image", {{-5, -5}, {10, -5}, {10, 10}, {-5, 10}}, 100},
        KnownArea{"beyond_the_right_and_bottom", {{60, 40}, {80, 40}, {80, 60}, {60, 60}}, 32},
        // Halves of a 10 x 10 square. Points on the diagonal are outside where it is the right
        // edge and inside where it is the left edge; the bottom row is never the polygon's.
        KnownArea{"right_triangle", {{0, 0}, {10, 10}, {0, 10}}, 45},
        KnownArea{"right_triangle_mirrored", {{10, 0}, {10, 10}, {0, 10}}, 45},
        KnownArea{"upper_left_triangle", {{0, 0}, {10, 0}, {0, 10}}, 55},
        KnownArea{"upper_right_triangle", {{0, 0}, {10, 0}, {10, 10}}, 55},
        // A slanted edge takes the pixels whose point lies on or right of it: x >= 2.5 gives
        // columns 3 .. 9 of row 1.
        KnownArea{"slanted_left_edge", {{2, 0}, {10, 0}, {10, 2}, {3, 2}}, 8 + 7},
        KnownArea{"degenerate_line", {{0, 0}, {10, 10}, {20, 20}}, 0},
        KnownArea{"too_few_vertices", {{0, 0}, {10, 10}}, 0},
        // Two lobes winding in opposite directions both count.
        KnownArea{"bow_tie", {{0, 0}, {10, 10}, {10, 0}, {0, 10}}, 50},
        // A square traversed twice winds twice: still one cover.
        KnownArea{"square_twice", {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 10}, {0, 10}}, 100}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PolygonPixelCount, PentagramCentreIsInsideByTheWindingRule) {
    const std::vector<Point> star = {{30, 2}, {42, 40}, {10, 16}, {50, 16}, {18, 40}};
    EXPECT_TRUE(PolygonContainsPixel(star, 30, 24));  // the centre winds twice
    EXPECT_TRUE(PolygonContainsPixel(star, 30, 5));   // a tip winds once
    EXPECT_FALSE(PolygonContainsPixel(star, 5, 5));
    EXPECT_EQ(PolygonPixelCount(star, 64, 48), PolygonPixelCountPerPixel(star, 64, 48));
}

TEST(PolygonPixelCount, CoordinatesBeyondTheLimitCoverNothing) {
    const std::vector<Point> huge = {{0, 0}, {kMaxPolygonCoordinate + 1, 0}, {0, 10}};
    EXPECT_EQ(PolygonPixelCount(huge, 64, 48), 0);
    EXPECT_FALSE(PolygonContainsPixel(huge, 1, 1));
}

// The scanline count against the per-pixel definition on random polygons: convex or not,
// self-intersecting, with repeated vertices and horizontal and vertical edges, partly outside
// the image.
TEST(PolygonPixelCount, ScanlineMatchesPerPixelDefinitionOnRandomPolygons) {
    std::mt19937 random(20240531);
    constexpr int kWidth = 61;
    constexpr int kHeight = 47;
    std::uniform_int_distribution<int> vertexCount(3, 30);
    std::uniform_int_distribution<int> xs(-12, kWidth + 12);
    std::uniform_int_distribution<int> ys(-12, kHeight + 12);
    std::uniform_int_distribution<int> choice(0, 9);
    long long total = 0;
    for (int polygon = 0; polygon < 400; ++polygon) {
        std::vector<Point> vertices;
        const int n = vertexCount(random);
        for (int k = 0; k < n; ++k) {
            Point p{xs(random), ys(random)};
            const int twist = choice(random);
            if (!vertices.empty() && twist == 0) p.y = vertices.back().y;  // horizontal edge
            if (!vertices.empty() && twist == 1) p.x = vertices.back().x;  // vertical edge
            if (!vertices.empty() && twist == 2) p = vertices.back();      // repeated vertex
            vertices.push_back(p);
        }
        const long long expected = PolygonPixelCountPerPixel(vertices, kWidth, kHeight);
        ASSERT_EQ(PolygonPixelCount(vertices, kWidth, kHeight), expected) << "polygon " << polygon;
        total += expected;

        // The spans cover exactly the inside pixels, each once, in order, within the clip.
        std::vector<int> covered(kWidth * kHeight, 0);
        int lastRow = -1;
        int lastEnd = 0;
        ForEachPolygonSpan(vertices, {0, 0, kWidth, kHeight}, [&](int y, int xBegin, int xEnd) {
            ASSERT_GE(y, lastRow);
            if (y == lastRow) {
                ASSERT_GT(xBegin, lastEnd) << "touching spans are merged";
            }
            ASSERT_LT(xBegin, xEnd);
            ASSERT_GE(xBegin, 0);
            ASSERT_LE(xEnd, kWidth);
            for (int x = xBegin; x < xEnd; ++x) ++covered[static_cast<size_t>(y * kWidth + x)];
            lastRow = y;
            lastEnd = xEnd;
        });
        for (int j = 0; j < kHeight; ++j) {
            for (int i = 0; i < kWidth; ++i) {
                ASSERT_EQ(covered[static_cast<size_t>(j * kWidth + i)], PolygonContainsPixel(vertices, i, j) ? 1 : 0)
                    << "polygon " << polygon << " pixel " << i << "," << j;
            }
        }
    }
    EXPECT_GT(total, 0);  // the polygons were not all empty
}

TEST(ForEachPolygonSpan, ClipWithAnOffsetOrigin) {
    const std::vector<Point> square = {{100, 200}, {110, 200}, {110, 210}, {100, 210}};
    long long count = 0;
    ForEachPolygonSpan(square, {105, 195, 200, 205}, [&](int y, int xBegin, int xEnd) {
        EXPECT_GE(y, 200);
        EXPECT_LT(y, 205);
        EXPECT_EQ(xBegin, 105);
        EXPECT_EQ(xEnd, 110);
        count += xEnd - xBegin;
    });
    EXPECT_EQ(count, 25);
}

}  // namespace
