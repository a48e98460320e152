#pragma once

#include "measure/core/Point.h"

#include <functional>
#include <span>

namespace tessmet {

// Which pixels a polygon covers, for the area measurement and for filling it.
//
// Pixel (i, j) is inside the polygon when its sample point (i + 0.5, j + 0.5) has a non-zero
// winding number (edges going down count +1, edges going up -1), where a sample lying exactly
// on an edge counts as right of it. So a pixel whose sample sits on a left edge is inside and
// one on a right edge is outside, and since vertices are whole pixels no sample ever lies on a
// vertex or a horizontal edge: an axis-parallel rectangle from (x0, y0) to (x1, y1) covers
// (x1 - x0) x (y1 - y0) pixels, its right and bottom edges excluded, as a polygon region of
// the platform does. Self-intersecting polygons follow the winding rule: a pentagram's centre
// is inside.
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

// The same rule for one pixel, straight from the definition: the winding number of its sample
// point by an orientation test against every edge.
bool PolygonContainsPixel(std::span<const Point> vertices, int i, int j);

// PolygonPixelCount by testing every pixel of the image: the definition, for tests and
// benchmarks only.
long long PolygonPixelCountPerPixel(std::span<const Point> vertices, int width, int height);

}  // namespace tessmet
