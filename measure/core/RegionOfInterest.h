#pragma once

#include "measure/core/Point.h"

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

// The part of an image that image processing works on. A rectangle or ellipse is given by two
// corners in image pixels and includes its right and bottom edge (the pixels of both corners
// belong to it); a polygon covers the pixels of its winding-rule inside, exactly as the area
// measurement counts them. With no region the whole image is the region.
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

    bool operator==(const RegionOfInterest&) const = default;

private:
    RegionOfInterest(int type, std::vector<Point> points) : type_(type), points_(std::move(points)) {}
    // The ellipse's inside pixels [xBegin, xEnd) on row y; empty when the row misses it.
    void ellipseRow(int y, int& xBegin, int& xEnd) const;

    int type_ = RoiType::None;
    std::vector<Point> points_;
};

}  // namespace tessmet
