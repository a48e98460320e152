#include "measure/core/RegionOfInterest.h"

#include "measure/core/PolygonArea.h"

#include <algorithm>
#include <cmath>

namespace tessmet {
namespace {

std::vector<Point> OrderedCorners(Point a, Point b) {
    return {{std::min(a.x, b.x), std::min(a.y, b.y)}, {std::max(a.x, b.x), std::max(a.y, b.y)}};
}

}  // namespace

RegionOfInterest RegionOfInterest::Rectangle(Point a, Point b) { return {RoiType::Rectangle, OrderedCorners(a, b)}; }

RegionOfInterest RegionOfInterest::Ellipse(Point a, Point b) { return {RoiType::Ellipse, OrderedCorners(a, b)}; }

RegionOfInterest RegionOfInterest::Polygon(std::vector<Point> vertices) {
    return {RoiType::Polygon, std::move(vertices)};
}

void RegionOfInterest::ellipseRow(int y, int& xBegin, int& xEnd) const {
    // The ellipse inscribed in the box [left, right + 1) x [top, bottom + 1); a pixel belongs to
    // it when its centre does.
    const double left = points_[0].x, top = points_[0].y;
    const double right = points_[1].x + 1.0, bottom = points_[1].y + 1.0;
    const double cx = (left + right) / 2, cy = (top + bottom) / 2;
    const double rx = (right - left) / 2, ry = (bottom - top) / 2;
    const double dy = (y + 0.5 - cy) / ry;
    const double rest = 1.0 - dy * dy;
    xBegin = xEnd = 0;
    if (rest < 0) return;
    const double half = rx * std::sqrt(rest);
    // Pixels whose centre x + 0.5 lies in [cx - half, cx + half].
    xBegin = static_cast<int>(std::ceil(cx - half - 0.5));
    xEnd = static_cast<int>(std::floor(cx + half - 0.5)) + 1;
    if (xEnd < xBegin) xEnd = xBegin;
}

void RegionOfInterest::forEachSpan(int width, int height,
                                   const std::function<void(int y, int xBegin, int xEnd)>& span) const {
    if (width <= 0 || height <= 0) return;
    switch (type_) {
        case RoiType::Rectangle:
        case RoiType::Ellipse: {
            const int top = std::max(points_[0].y, 0);
            const int bottom = std::min(points_[1].y, height - 1);
            for (int y = top; y <= bottom; ++y) {
                int x0 = points_[0].x, x1 = points_[1].x + 1;
                if (type_ == RoiType::Ellipse) ellipseRow(y, x0, x1);
                x0 = std::max(x0, 0);
                x1 = std::min(x1, width);
                if (x0 < x1) span(y, x0, x1);
            }
            return;
        }
        case RoiType::Polygon:
            ForEachPolygonSpan(points_, PixelRect{0, 0, width, height}, span);
            return;
        default:
            for (int y = 0; y < height; ++y) span(y, 0, width);
            return;
    }
}

bool RegionOfInterest::contains(int x, int y, int width, int height) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    switch (type_) {
        case RoiType::Rectangle:
            return x >= points_[0].x && x <= points_[1].x && y >= points_[0].y && y <= points_[1].y;
        case RoiType::Ellipse: {
            if (y < points_[0].y || y > points_[1].y) return false;
            int x0 = 0, x1 = 0;
            ellipseRow(y, x0, x1);
            return x >= x0 && x < x1;
        }
        case RoiType::Polygon: return PolygonContainsPixel(points_, x, y);
        default: return true;
    }
}

long long RegionOfInterest::pixelCount(int width, int height) const {
    long long count = 0;
    forEachSpan(width, height, [&](int, int x0, int x1) { count += x1 - x0; });
    return count;
}

}  // namespace tessmet
