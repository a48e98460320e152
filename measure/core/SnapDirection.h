#pragma once

#include "measure/core/Point.h"

namespace tessmet {

// The SHIFT constraint: turns the vector v (cursor minus previous point, in view pixels) to the
// nearest multiple of 15 degrees, keeping its length. Directions are tried as the measurement
// tools always have: horizontal when the cosine is at least 0.9914 in size, then 15, 30, ...,
// 345 degrees (screen y axis, cosines and sines to four decimals) by half-open cosine bands and
// the sign of the sine. Components are rounded half up (RoundCoordinate), so opposite directions snap to mirror images. A zero
// vector, or one that matches no band, comes back unchanged.
Point SnapDirection(Point v);

}  // namespace tessmet
