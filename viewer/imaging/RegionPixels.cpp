#include "viewer/imaging/RegionPixels.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

namespace lumora {
namespace {

// Smallest whole number >= num / den, den > 0.
int64_t CeilDiv(int64_t num, int64_t den) {
    const int64_t q = num / den;
    return (num % den != 0 && num > 0) ? q + 1 : q;
}

struct EdgeCrossing {
    int64_t firstInside;  // first column whose point lies at or right of the crossing
    int winding;          // +1 edge going down, -1 going up
};

}  // namespace

void ForEachPolygonRegionSpan(std::span<const QPoint> points, const SpanVisitor& visit) {
    const size_t n = points.size();
    if (n < 3) return;
    const auto [minIt, maxIt] =
        std::minmax_element(points.begin(), points.end(), [](QPoint a, QPoint b) { return a.y() < b.y(); });
    const int firstRow = minIt->y();
    const int endRow = maxIt->y();
    std::vector<EdgeCrossing> crossings;
    crossings.reserve(n);
    for (int j = firstRow; j < endRow; ++j) {
        crossings.clear();
        for (size_t k = 0; k < n; ++k) {
            const QPoint a = points[k];
            const QPoint b = points[(k + 1) % n];
            if (a.y() == b.y()) continue;
            const bool down = b.y() > a.y();
            const QPoint upper = down ? a : b;
            const QPoint lower = down ? b : a;
            if (j < upper.y() || j >= lower.y()) continue;
            // x of the edge on row j is upper.x + (j - upper.y) * dx / dy, dy > 0.
            const int64_t dy = int64_t(lower.y()) - upper.y();
            const int64_t dx = int64_t(lower.x()) - upper.x();
            const int64_t num = int64_t(upper.x()) * dy + (int64_t(j) - upper.y()) * dx;
            crossings.push_back({CeilDiv(num, dy), down ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const EdgeCrossing& l, const EdgeCrossing& r) { return l.firstInside < r.firstInside; });
        int winding = 0;
        int64_t runBegin = 0;
        for (const EdgeCrossing& c : crossings) {
            const int before = winding;
            winding += c.winding;
            if (before == 0 && winding != 0) {
                runBegin = c.firstInside;
            } else if (before != 0 && winding == 0 && runBegin < c.firstInside) {
                visit(j, static_cast<int>(std::clamp<int64_t>(runBegin, INT_MIN, INT_MAX)),
                      static_cast<int>(std::clamp<int64_t>(c.firstInside, INT_MIN, INT_MAX)));
            }
        }
    }
}

RegionPixels PolygonRegionPixels(std::span<const QPoint> points) {
    RegionPixels result;
    bool any = false;
    PixelBox& box = result.box;
    ForEachPolygonRegionSpan(points, [&](int y, int xBegin, int xEnd) {
        result.count += static_cast<long long>(xEnd) - xBegin;
        if (!any) {
            box = {xBegin, y, xEnd, y + 1};
            any = true;
        } else {
            box.left = std::min(box.left, xBegin);
            box.right = std::max(box.right, xEnd);
            box.bottom = y + 1;
        }
    });
    return result;
}

}  // namespace lumora

namespace lumora {

void ForEachEllipticRegionSpan(int left, int top, int right, int bottom, const SpanVisitor& visit) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    // The region never takes the box's last column and row.
    const int64_t width = int64_t(right) - left - 1;
    const int64_t height = int64_t(bottom) - top - 1;
    if (width <= 0 || height <= 0 || width > kMaxEllipseSide || height > kMaxEllipseSide) return;
    if (width < 2 || height < 2) {
        for (int64_t row = 0; row < height; ++row) visit(int(top + row), left, int(left + width));
        return;
    }
    // A midpoint walk along a quarter of the outline of the width x height pixel box, from the
    // middle of its right side down to the bottom, in whole numbers (all terms scaled by 4).
    // Each outline pixel (x, y) makes row y, and the row mirrored about the middle, run from the
    // mirrored column width - 1 - x to x inclusive; rows the walk never reaches stay empty.
    std::vector<std::pair<int64_t, int64_t>> rows(size_t(height), {INT64_MAX, INT64_MIN});
    auto mark = [&](int64_t x, int64_t y) {
        for (const int64_t row : {y, height - 1 - y}) {
            if (row < 0 || row >= height) continue;
            auto& run = rows[size_t(row)];
            run.first = std::min(run.first, width - 1 - x);
            run.second = std::max(run.second, x + 1);
        }
    };
    const int64_t a = width - 1;
    const int64_t b = height - 1;
    const int64_t stepX = 8 * b * b;
    const int64_t stepY = 8 * a * a;
    int64_t dx = 4 * b * b * (1 - a);
    int64_t dy = 4 * a * a * (1 + b % 2);
    int64_t err = dx + dy + a * a * (b % 2);
    int64_t x = a;
    int64_t y = height / 2;
    while (x >= width / 2) {
        const int64_t e2 = 2 * err;
        mark(x, y);
        if (e2 >= dx) {
            --x;
            dx += stepX;
            err += dx;
        }
        if (e2 <= dy) {
            ++y;
            dy += stepY;
            err += dy;
        }
    }
    for (size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].first < rows[row].second) {
            visit(top + int(row), int(left + rows[row].first), int(left + rows[row].second));
        }
    }
}

long long EllipseRegionPixelCount(QPoint corner1, QPoint corner2) {
    const int left = std::min(corner1.x(), corner2.x());
    const int top = std::min(corner1.y(), corner2.y());
    const int right = std::max(corner1.x(), corner2.x());
    const int bottom = std::max(corner1.y(), corner2.y());
    long long count = 0;
    // The region lies within the counted box [left, right) x [top, bottom).
    ForEachEllipticRegionSpan(left, top, right, bottom,
                              [&count](int, int xBegin, int xEnd) { count += xEnd - xBegin; });
    return count;
}

}  // namespace lumora
