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

std::vector<int> EllipseRowInsets(int width, int height) {
    std::vector<int> insets(static_cast<size_t>(std::max(height, 0)), -1);
    if (width <= 0 || height <= 0) return insets;
    if (width == 1) {
        std::fill(insets.begin(), insets.end(), 0);
        return insets;
    }
    // The walk works on the distances between the extreme pixel centres, a = width - 1 and
    // b = height - 1. Its error terms grow with a^2 * b^2, beyond 64 bits for boxes of some
    // hundred thousand pixels, hence 128-bit arithmetic.
    using Wide = __int128;
    const Wide a = width - 1, b = height - 1;
    const Wide odd = b & 1;
    Wide dx = 4 * (1 - a) * b * b;        // error change of the next step in x
    Wide dy = 4 * (odd + 1) * a * a;      // error change of the next step in y
    Wide err = dx + dy + odd * a * a;     // error of the first step
    const Wide stepX = 8 * b * b, stepY = 8 * a * a;
    int inset = 0;                        // columns left out on either side
    int lower = static_cast<int>((b + 1) / 2);  // the two rows the walk is on, moving apart
    int upper = lower - static_cast<int>(odd);
    const int last = width - 1;
    while (inset <= last - inset) {
        // The walk moves outwards from the middle rows while the inset grows, so the first
        // visit of a row is its outermost column.
        if (lower < height && insets[static_cast<size_t>(lower)] < 0) insets[static_cast<size_t>(lower)] = inset;
        if (upper >= 0 && insets[static_cast<size_t>(upper)] < 0) insets[static_cast<size_t>(upper)] = inset;
        const Wide e2 = 2 * err;
        if (e2 <= dy) {
            ++lower;
            --upper;
            dy += stepY;
            err += dy;
        }
        if (e2 >= dx) {
            ++inset;
            dx += stepX;
            err += dx;
        }
    }
    return insets;
}

void RegionOfInterest::forEachSpan(int width, int height,
                                   const std::function<void(int y, int xBegin, int xEnd)>& span) const {
    if (width <= 0 || height <= 0) return;
    switch (type_) {
        case RoiType::Rectangle: {
            const int top = std::max(points_[0].y, 0);
            const int bottom = std::min(points_[1].y, height - 1);
            const int x0 = std::max(points_[0].x, 0), x1 = std::min(points_[1].x + 1, width);
            if (x0 < x1)
                for (int y = top; y <= bottom; ++y) span(y, x0, x1);
            return;
        }
        case RoiType::Ellipse: {
            const Point corner = points_[0];
            const int boxWidth = points_[1].x - corner.x;
            const int top = std::max(corner.y, 0);
            const int bottom = std::min(points_[1].y, height);  // exclusive: the box's last row is out
            if (top >= bottom || boxWidth <= 0) return;
            const std::vector<int> insets = EllipseRowInsets(boxWidth, points_[1].y - corner.y);
            for (int y = top; y < bottom; ++y) {
                const int inset = insets[static_cast<size_t>(y - corner.y)];
                if (inset < 0) continue;
                const int x0 = std::max(corner.x + inset, 0);
                const int x1 = std::min(corner.x + boxWidth - inset, width);
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
            if (y < points_[0].y || y >= points_[1].y) return false;
            const int boxWidth = points_[1].x - points_[0].x;
            const int inset = EllipseRowInsets(boxWidth, points_[1].y - points_[0].y)[static_cast<size_t>(y - points_[0].y)];
            return inset >= 0 && x >= points_[0].x + inset && x < points_[0].x + boxWidth - inset;
        }
        case RoiType::Polygon: return PolygonContainsPixel(points_, x, y);
        default: return true;
    }
}

RoiSpans RegionOfInterest::spans(int width, int height) const {
    RoiSpans result;
    forEachSpan(width, height, [&](int y, int x0, int x1) { result.add(y, x0, x1); });
    return result;
}

long long RegionOfInterest::pixelCount(int width, int height) const {
    long long count = 0;
    forEachSpan(width, height, [&](int, int x0, int x1) { count += x1 - x0; });
    return count;
}

}  // namespace tessmet
