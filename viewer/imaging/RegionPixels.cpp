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
    --right;
    --bottom;
    const int64_t width = int64_t(right) - left;
    const int64_t height = int64_t(bottom) - top;
    if (width <= 0 || height <= 0) return;
    // Midpoint stepping over a quarter of the ellipse with whole semi-axes; an odd size keeps
    // the extra column or row in the middle, as both sides are inset from the box's edges.
    const int64_t a = width / 2;
    const int64_t b = height / 2;
    const int64_t a2 = a * a;
    const int64_t b2 = b * b;
    std::vector<std::pair<int64_t, int64_t>> rows(size_t(height), {INT64_MAX, INT64_MIN});
    auto mark = [&](int64_t x, int64_t y) {
        const int64_t inset = a - x;
        const int64_t xBegin = left + inset;
        const int64_t xEnd = right - inset;
        if (xBegin >= xEnd) return;
        for (const int64_t row : {b - y, height - 1 - (b - y)}) {
            if (row < 0 || row >= height) continue;
            auto& r = rows[size_t(row)];
            r.first = std::min(r.first, xBegin);
            r.second = std::max(r.second, xEnd);
        }
    };
    int64_t x = 0;
    int64_t y = b;
    int64_t xd = 0;
    int64_t yd = 2 * a2 * b;
    int64_t err = b2 - a2 * b + a2 / 4;
    while (xd < yd) {
        if (err > 0) {
            mark(x, y);
            --y;
            yd -= 2 * a2;
            err -= yd;
        }
        ++x;
        xd += 2 * b2;
        err += b2 + xd;
    }
    err += (3 * (a2 - b2) / 2 - (xd + yd)) / 2;
    while (y >= 0) {
        mark(x, y);
        if (err < 0) {
            ++x;
            xd += 2 * b2;
            err += xd;
        }
        --y;
        yd -= 2 * a2;
        err += a2 - yd;
    }
    for (size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].first < rows[row].second) {
            visit(top + int(row), int(rows[row].first), int(rows[row].second));
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
