// Regions of interest against the platform's own regions, shape by shape: the tables hold what
// the platform's elliptic and polygon regions cover for fixed-seed random shapes.

#include "measure/core/RegionOfInterest.h"

#include "RegionReferenceTables.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tessmet;

namespace {

struct Coverage {
    long long count = 0;
    uint64_t hash = 1469598103934665603ULL;
};

// The count and FNV-1a hash of the region's pixels in row-major order, as the tables hold them.
Coverage CoverageOf(const RegionOfInterest& roi, int width, int height) {
    Coverage c;
    int lastY = -1, lastEnd = 0;
    const RoiSpans spans = roi.spans(width, height);
    for (const RoiSpan& span : spans.spans()) {
        EXPECT_TRUE(span.y > lastY || (span.y == lastY && span.xBegin >= lastEnd)) << "runs out of order";
        lastY = span.y;
        lastEnd = span.xEnd;
        for (int x = span.xBegin; x < span.xEnd; ++x) {
            c.hash ^= static_cast<uint64_t>(span.y) * static_cast<uint64_t>(width) + static_cast<uint64_t>(x);
            c.hash *= 1099511628211ULL;
            ++c.count;
        }
    }
    return c;
}

TEST(RegionReference, EllipsesMatchThePlatform) {
    int checked = 0;
    for (const regiontables::EllipseCase& e : regiontables::kEllipses) {
        const RegionOfInterest roi = RegionOfInterest::Ellipse({e.x1, e.y1}, {e.x2, e.y2});
        const Coverage c = CoverageOf(roi, e.width, e.height);
        EXPECT_EQ(c.count, e.count) << "ellipse " << e.x1 << "," << e.y1 << " " << e.x2 << "," << e.y2 << " in "
                                    << e.width << "x" << e.height;
        EXPECT_EQ(c.hash, e.hash) << "ellipse " << e.x1 << "," << e.y1 << " " << e.x2 << "," << e.y2 << " in "
                                  << e.width << "x" << e.height;
        EXPECT_EQ(roi.pixelCount(e.width, e.height), e.count);
        ++checked;
    }
    EXPECT_GT(checked, 500);
}

TEST(RegionReference, PolygonsMatchThePlatform) {
    int checked = 0;
    for (const regiontables::PolygonCase& p : regiontables::kPolygons) {
        std::vector<Point> vertices;
        for (auto it = p.xy.begin(); it != p.xy.end(); it += 2) vertices.push_back({*it, *(it + 1)});
        const Coverage c = CoverageOf(RegionOfInterest::Polygon(vertices), p.width, p.height);
        EXPECT_EQ(c.count, p.count) << "polygon #" << checked;
        EXPECT_EQ(c.hash, p.hash) << "polygon #" << checked;
        ++checked;
    }
    EXPECT_GT(checked, 150);
}

// The single-pixel test agrees with the platform too (it is what tests and tools use).
TEST(RegionReference, EllipseContainsAgreesWithTheTable) {
    for (size_t i = 0; i < std::size(regiontables::kEllipses); i += 7) {
        const regiontables::EllipseCase& e = regiontables::kEllipses[i];
        const RegionOfInterest roi = RegionOfInterest::Ellipse({e.x1, e.y1}, {e.x2, e.y2});
        Coverage c;
        for (int y = 0; y < e.height; ++y)
            for (int x = 0; x < e.width; ++x)
                if (roi.contains(x, y, e.width, e.height)) {
                    c.hash ^= static_cast<uint64_t>(y) * static_cast<uint64_t>(e.width) + static_cast<uint64_t>(x);
                    c.hash *= 1099511628211ULL;
                    ++c.count;
                }
        EXPECT_EQ(c.count, e.count) << i;
        EXPECT_EQ(c.hash, e.hash) << i;
    }
}

}  // namespace
