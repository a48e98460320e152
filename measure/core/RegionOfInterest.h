#pragma once

#include "measure/core/Point.h"
#include "measure/processing/RoiSpans.h"

#include <functional>
#include <vector>

namespace tessmet {

// Region of interest types as the view stores them.
namespace RoiType {
constexpr int None = 0;  // the whole image
constexpr int Rectangle = 1;
constexpr int Ellipse = 2;
constexpr int Polygon = 3;
}  // namespace RoiType

// The part of an image that image processing works on, pixel for pixel the platform's region of
// the same shape. A rectangle is given by two corners in image pixels and includes its right and
// bottom edge (the pixels of both corners belong to it). An ellipse from (x1, y1) to (x2, y2) is
// the platform's elliptic region of the box (x1, y1, x2 + 1, y2 + 1), which leaves out the box's
// last column and row: it covers x1..x2 - 1 and y1..y2 - 1, so an ellipse one pixel wide or high
// is empty (see EllipseRowInsets). A polygon covers the pixels of its winding-rule inside, exactly
// as the area measurement counts them. With no region the whole image is the region.
class RegionOfInterest {
public:
    RegionOfInterest() = default;  // the whole image

    static RegionOfInterest Rectangle(Point a, Point b);
    static RegionOfInterest Ellipse(Point a, Point b);
    static RegionOfInterest Polygon(std::vector<Point> vertices);

    int type() const { return type_; }
    bool isWholeImage() const { return type_ == RoiType::None; }
    // The ordered corners (rectangle, ellipse: top-left, bottom-right) or the vertices.
    const std::vector<Point>& points() const { return points_; }

    // Calls span(y, xBegin, xEnd) for every run of region pixels [xBegin, xEnd) of row y inside
    // a width x height image, rows top to bottom. The cost follows the region's rows, not the
    // image's pixels.
    void forEachSpan(int width, int height, const std::function<void(int y, int xBegin, int xEnd)>& span) const;

    // Whether pixel (x, y) of a width x height image belongs to the region.
    bool contains(int x, int y, int width, int height) const;

    long long pixelCount(int width, int height) const;

    // The region's runs inside a width x height image, for the image-processing operations.
    RoiSpans spans(int width, int height) const;

    bool operator==(const RegionOfInterest&) const = default;

private:
    RegionOfInterest(int type, std::vector<Point> points) : type_(type), points_(std::move(points)) {}
    int type_ = RoiType::None;
    std::vector<Point> points_;
};

// The rows of the platform's elliptic region in a box of `width` x `height` pixels: for each row
// of the box, how many pixels the region leaves out at either end, or -1 when the row is empty.
// Row r then covers columns inset..width - 1 - inset of the box.
//
// The outline is traced with an integer midpoint walk from the middle rows outwards (the error
// of each step decides between moving to the next row and moving in a column), and a row takes
// the outermost column the walk reaches on it. A box one pixel wide is a full column.
//
// Limitation: a walk that reaches the middle column before the top row (boxes two pixels wide,
// and boxes many times taller than wide) never reaches the remaining rows. Here they are empty;
// the platform's own result for them changes from call to call (rows appear, vanish or show
// single pixels), so nothing can reproduce it and we keep the tips empty.
std::vector<int> EllipseRowInsets(int width, int height);

}  // namespace tessmet
