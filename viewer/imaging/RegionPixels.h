#pragma once

#include <QPoint>

#include <functional>
#include <span>

namespace lumora {

// Which pixels the platform's regions cover, for the area of the ellipse and polygon
// annotations and for filling a polygon. Pixel (i, j) is the whole point (i, j).

// A box [left, right) x [top, bottom).
struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

using SpanVisitor = std::function<void(int y, int xBegin, int xEnd)>;

// Polygon region with the winding fill rule. A pixel is inside when its winding number is
// non-zero, counting for row j each edge whose top row <= j < its bottom row and that crosses
// row j at or left of the pixel's point (+1 going down, -1 going up). So a point on a left edge
// is inside and on a right edge outside, the bottom row of an edge is not its own, and an
// axis-parallel rectangle covers width x height pixels. Visits the runs row by row, top to
// bottom and left to right; fewer than three points visit nothing.
void ForEachPolygonRegionSpan(std::span<const QPoint> points, const SpanVisitor& visit);

// The pixels a polygon region covers and the box around them; an empty region gives 0 and
// the box (0, 0, 0, 0).
struct RegionPixels {
    long long count = 0;
    PixelBox box;
};
RegionPixels PolygonRegionPixels(std::span<const QPoint> points);

// Elliptic region of the box (left, top, right, bottom), corners in any order. As the
// platform builds it, the region leaves out the box's last column and last row and follows a
// stepwise outline (thin boxes give ragged and even gappy rows); boxes without inner width or
// height cover nothing. Visits rows top to bottom, one run each.
void ForEachEllipticRegionSpan(int left, int top, int right, int bottom, const SpanVisitor& visit);

// Pixels of the elliptic region bounded by the two corners, counted over
// [min x, min x + |dx|) x [min y, min y + |dy|).
long long EllipseRegionPixelCount(QPoint corner1, QPoint corner2);

}  // namespace lumora
