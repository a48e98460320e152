#pragma once

#include "measure/core/Point.h"
#include "measure/workspace/ToolMode.h"

#include <string>

namespace tessmet {

// The running value a draw tool shows after its point list while the second point is being
// chosen, from the first point and the cursor in view coordinates: " : Distance = %.2f" (line,
// screen length / zoom), " : Square = %d" (rectangle, (x1 - x2)(y1 - y2) / zoom^2 truncated and
// signed), " : Radius = %.2f" (circle). Empty for the text tool and every other tool.
std::string DrawToolSuffix(ToolMode tool, Point first, Point cursor, double zoom);

}  // namespace tessmet
