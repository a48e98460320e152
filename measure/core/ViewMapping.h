#pragma once

#include "measure/core/Point.h"

namespace tessmet {

// View (scrolled client) coordinates to image coordinates: trunc(v / zoom), clamped to the
// image's last column and row. Negative results (a release outside the window while the mouse
// is captured) clamp to 0; a zoom that is not positive reads as 1.
Point ToImage(Point view, double zoom, int imageWidth, int imageHeight);

// Image coordinates to view coordinates: i * zoom, truncated.
Point ToView(Point image, double zoom);

}  // namespace tessmet
