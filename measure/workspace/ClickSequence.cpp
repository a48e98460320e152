#include "measure/workspace/ClickSequence.h"

#include <algorithm>

namespace tessmet {

void ClickSequence::Reset(ToolMode tool) {
    tool_ = tool;
    points_.clear();
    polygonLimit_ = kPolygonClickLimit;
    areaCount_.reset();
}

bool ClickSequence::WaitingForLabel() const {
    if (!IsMeasureTool(tool_)) return false;
    const int needed = tool_ == Tool::Area ? polygonLimit_ : PointsToComplete(tool_);
    return count() == needed - 1;
}

bool ClickSequence::Contains(Point p) const { return std::find(points_.begin(), points_.end(), p) != points_.end(); }

bool ClickSequence::Place(Point p) {
    points_.push_back(p);
    const int needed = IsPolygonTool(tool_) ? polygonLimit_ : PointsToComplete(tool_);
    if (needed <= 0 || count() < needed) return false;
    polygonLimit_ = kPolygonClickLimit;
    return true;
}

bool ClickSequence::DoubleClick(const std::function<long long(std::span<const Point>)>& countArea) {
    if (!IsPolygonTool(tool_) || count() <= 2) return false;
    // A closed area waits for its label; a second double click there is only a click.
    if (areaCount_) return false;
    const int n = count();
    if (tool_ == Tool::Area) {
        areaCount_ = countArea ? countArea(points_) : 0;
        polygonLimit_ = n + 1;
    } else {
        polygonLimit_ = n;
    }
    points_.pop_back();
    return true;
}

bool ClickSequence::StepBack() {
    if (points_.empty()) return false;
    points_.pop_back();
    polygonLimit_ = kPolygonClickLimit;
    areaCount_.reset();
    return true;
}

}  // namespace tessmet
