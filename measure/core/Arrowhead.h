#pragma once

#include "measure/core/Point.h"

#include <vector>

namespace tessmet {

// A straight stroke between two whole pixels.
struct Segment {
    Point from;
    Point to;

    bool operator==(const Segment&) const = default;
};

// Segments up to this length (in pixels) get no arrowheads: the heads would cover them.
constexpr double kArrowMinLength = 24.0;

// The arrowheads of the segment A-B: at each end two strokes that run to the tip from the point
// 12 pixels back along the segment and 4 pixels to either side. With u the unit vector from A
// to B, the offset along the segment is round(12 u) (RoundCoordinate) and the one
// across it is 4 u turned by 90 degrees and truncated. Empty for a segment of kArrowMinLength
// pixels or less, and for points beyond 2^30 pixels from the origin. Order: the two strokes at B, then the two at A.
std::vector<Segment> ArrowheadStrokes(Point a, Point b);

}  // namespace tessmet
