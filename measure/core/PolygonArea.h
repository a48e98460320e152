#pragma once

#include "measure/core/Point.h"

#include <functional>
#include <span>

namespace tessmet {

// Which pixels a polygon covers, for the area measurement and for filling it: the pixels of a
// polygon region of the platform with the winding fill rule.
//
// Pixel (i, j) is the whole point (i, j). It is inside when its winding number is non-zero, where
// an edge from (ax, ay) to (bx, by) with ay != by counts for the rows top <= j < bottom between its
// ends (+1 going down, -1 going up) when it crosses row j at or left of i. A point lying exactly on
// an edge is thus inside for a left edge and outside for a right one, the top row of an edge is
// its own and the bottom row is not: an axis-parallel rectangle from (x0, y0) to (x1, y1) covers
// (x1 - x0) x (y1 - y0) pixels, its right and bottom edges excluded, and a slanted edge takes
// every pixel whose point lies on or right of it. Horizontal edges count for nothing.
// Self-intersecting polygons follow the winding rule: a pentagram's centre is inside.
//
// Vertices further than kMaxPolygonCoordinate from the origin cover nothing; image points
// never come near it, and the exact integer arithmetic below relies on it.
constexpr int kMaxPolygonCoordinate = 1 << 24;

// A clip rectangle [left, right) x [top, bottom).
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Calls spanFound(y, xBegin, xEnd) for each run of inside pixels [xBegin, xEnd) of row y
// within the clip, rows in increasing order, runs left to right. Works row by row over the
// polygon's bounding box only: the cost grows with its height and vertex count, not with the
// image.
void ForEachPolygonSpan(std::span<const Point> vertices, const PixelRect& clip,
                        const std::function<void(int y, int xBegin, int xEnd)>& spanFound);

// Number of pixels (i, j), 0 <= i < width and 0 <= j < height, inside the polygon.
long long PolygonPixelCount(std::span<const Point> vertices, int width, int height);

// The same rule for one pixel, straight from the definition: the winding number of its point by
// an orientation test against every edge.
bool PolygonContainsPixel(std::span<const Point> vertices, int i, int j);

// PolygonPixelCount by testing every pixel of the image: the definition, for tests and
// benchmarks only.
long long PolygonPixelCountPerPixel(std::span<const Point> vertices, int width, int height);

}  // namespace tessmet
