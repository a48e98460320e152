#pragma once

#include "measure/core/Point.h"
#include "measure/workspace/ToolMode.h"

#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace tessmet {

// The clicks placed so far with the current tool of one view, in view coordinates (scrolled
// client pixels), and when they complete a figure. The view checks a click (duplicates,
// refused points) before it places it here.
//
// Fixed tools complete at PointsToComplete clicks. The polygon region and the area complete
// when the count reaches the polygon limit: 31 clicks, or after a double click the number of
// vertices (region) or vertices + 1 (area, whose last click is the label).
class ClickSequence {
public:
    // Forgets every point and starts over for `tool`.
    void Reset(ToolMode tool = Tool::None);

    ToolMode tool() const { return tool_; }
    std::span<const Point> points() const { return points_; }
    int count() const { return static_cast<int>(points_.size()); }
    bool empty() const { return points_.empty(); }
    int polygonLimit() const { return polygonLimit_; }
    // The area: the pixel count of its polygon, taken when a double click closed it.
    std::optional<long long> areaCount() const { return areaCount_; }

    // True when the next click is a measurement's label, which is never snapped.
    bool WaitingForLabel() const;
    bool Contains(Point p) const;

    // Counts the click; true when it completes the figure. The points stay until Reset, so the
    // caller can finish the figure from them.
    bool Place(Point p);

    // The double click of a polygon tool with more than two points placed (n, the first release
    // of the double click included): the last point is taken back, since the second release
    // places it again, and the limit makes that release complete the polygon region with n
    // vertices, or close the area with n vertices so the next click is its label. For the area
    // `countArea` gets the n vertices and returns their pixel count. False when nothing happens.
    bool DoubleClick(const std::function<long long(std::span<const Point>)>& countArea);

    // The right button: takes the last point back and reopens a closed polygon. False when no
    // point was placed.
    bool StepBack();

private:
    ToolMode tool_ = Tool::None;
    std::vector<Point> points_;
    int polygonLimit_ = kPolygonClickLimit;
    std::optional<long long> areaCount_;
};

}  // namespace tessmet
