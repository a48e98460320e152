#pragma once

#include <QLineF>
#include <QRectF>

#include <optional>

namespace tessmet {

// A segment clipped to a rectangle, with how far along the original its visible part starts
// (so a dash pattern keeps its phase).
struct ClippedLine {
    QLineF line;
    double startDistance = 0.0;
};

// The part of the segment inside `rect`, or nothing.
std::optional<ClippedLine> ClipSegment(const QLineF& segment, const QRectF& rect);

// The part of the infinite line through the segment's two points that lies inside `rect`,
// running in the segment's direction; startDistance is measured from the segment's first point
// (negative when the visible part starts before it). Nothing for a degenerate segment.
std::optional<ClippedLine> ClipInfiniteLine(const QLineF& through, const QRectF& rect);

}  // namespace tessmet
