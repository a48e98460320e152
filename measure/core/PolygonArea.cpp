#include "measure/core/PolygonArea.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tessmet {
namespace {

bool WithinLimits(std::span<const Point> vertices) {
    return std::all_of(vertices.begin(), vertices.end(), [](Point p) {
        return p.x >= -kMaxPolygonCoordinate && p.x <= kMaxPolygonCoordinate && p.y >= -kMaxPolygonCoordinate &&
               p.y <= kMaxPolygonCoordinate;
    });
}

int64_t FloorDiv(int64_t n, int64_t d) {  // d > 0
    int64_t q = n / d;
    if ((n % d != 0) && (n < 0)) --q;
    return q;
}

int64_t CeilDiv(int64_t n, int64_t d) { return -FloorDiv(-n, d); }  // d > 0

struct Crossing {
    int64_t firstPixel;  // first column whose point lies at or right of the crossing
    int direction;       // +1 edge going down, -1 going up
};

}  // namespace

void ForEachPolygonSpan(std::span<const Point> vertices, const PixelRect& clip,
                        const std::function<void(int y, int xBegin, int xEnd)>& spanFound) {
    if (vertices.size() < 3 || clip.left >= clip.right || clip.top >= clip.bottom || !WithinLimits(vertices)) return;
    int minY = vertices[0].y;
    int maxY = vertices[0].y;
    for (const Point& p : vertices) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    // Each edge owns the rows from its top up to, not including, its bottom.
    const int firstRow = std::max(minY, clip.top);
    const int endRow = std::min(maxY, clip.bottom);
    std::vector<Crossing> crossings;
    crossings.reserve(vertices.size());
    const size_t n = vertices.size();
    for (int j = firstRow; j < endRow; ++j) {
        crossings.clear();
        for (size_t k = 0; k < n; ++k) {
            const Point a = vertices[k];
            const Point b = vertices[(k + 1) % n];
            if (a.y == b.y) continue;
            const bool down = b.y > a.y;
            const int top = down ? a.y : b.y;
            const int bottom = down ? b.y : a.y;
            if (j < top || j >= bottom) continue;
            // The crossing of row j as the fraction num / den: x = a.x + (j - a.y) (b.x - a.x) / (b.y - a.y).
            const int64_t dy = static_cast<int64_t>(b.y) - a.y;
            const int64_t dx = static_cast<int64_t>(b.x) - a.x;
            int64_t num = static_cast<int64_t>(a.x) * dy + (static_cast<int64_t>(j) - a.y) * dx;
            int64_t den = dy;
            if (den < 0) {
                num = -num;
                den = -den;
            }
            crossings.push_back({CeilDiv(num, den), down ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& l, const Crossing& r) { return l.firstPixel < r.firstPixel; });
        // Sweep left to right; runs that touch (a crossing out and one in at the same column)
        // are reported as one.
        int winding = 0;
        int64_t runBegin = 0;
        int64_t pendingBegin = 0;
        int64_t pendingEnd = 0;
        bool pending = false;
        auto emit = [&]() {
            const int64_t begin = std::max<int64_t>(pendingBegin, clip.left);
            const int64_t end = std::min<int64_t>(pendingEnd, clip.right);
            if (begin < end) spanFound(j, static_cast<int>(begin), static_cast<int>(end));
        };
        for (const Crossing& c : crossings) {
            const int before = winding;
            winding += c.direction;
            if (before == 0 && winding != 0) {
                runBegin = c.firstPixel;
            } else if (before != 0 && winding == 0) {
                if (pending && runBegin == pendingEnd) {
                    pendingEnd = c.firstPixel;
                } else {
                    if (pending) emit();
                    pendingBegin = runBegin;
                    pendingEnd = c.firstPixel;
                    pending = true;
                }
            }
        }
        if (pending) emit();
    }
}

long long PolygonPixelCount(std::span<const Point> vertices, int width, int height) {
    long long count = 0;
    ForEachPolygonSpan(vertices, {0, 0, width, height}, [&count](int, int xBegin, int xEnd) { count += xEnd - xBegin; });
    return count;
}

bool PolygonContainsPixel(std::span<const Point> vertices, int i, int j) {
    if (vertices.size() < 3 || !WithinLimits(vertices)) return false;
    const int64_t px = i;
    const int64_t py = j;
    int winding = 0;
    const size_t n = vertices.size();
    for (size_t k = 0; k < n; ++k) {
        const Point a = vertices[k];
        const Point b = vertices[(k + 1) % n];
        const bool down = b.y > a.y;
        if (down ? !(a.y <= py && py < b.y) : !(b.y <= py && py < a.y)) continue;
        // Orientation of the point against the edge; with y downwards a point right of a
        // downward edge gives a negative cross product.
        const int64_t cross = (static_cast<int64_t>(b.x) - a.x) * (py - a.y) - (static_cast<int64_t>(b.y) - a.y) * (px - a.x);
        const bool atOrRight = down ? cross <= 0 : cross >= 0;
        if (atOrRight) winding += down ? 1 : -1;
    }
    return winding != 0;
}

long long PolygonPixelCountPerPixel(std::span<const Point> vertices, int width, int height) {
    long long count = 0;
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) {
            if (PolygonContainsPixel(vertices, i, j)) ++count;
        }
    }
    return count;
}

}  // namespace tessmet
