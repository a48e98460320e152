#include "measure/workspace/DrawToolText.h"

#include "measure/core/NumberText.h"

#include <cmath>

namespace tessmet {

std::string DrawToolSuffix(ToolMode tool, Point first, Point cursor, double zoom) {
    if (zoom <= 0.0) zoom = 1.0;
    const double dx = static_cast<double>(first.x) - cursor.x;
    const double dy = static_cast<double>(first.y) - cursor.y;
    switch (tool) {
        case Tool::DrawLine: return " : Distance = " + FixedText(std::hypot(dx, dy) / zoom, 2);
        case Tool::DrawRectangle: return " : Square = " + std::to_string(TruncateToInt(dx * dy / (zoom * zoom)));
        case Tool::DrawCircle: return " : Radius = " + FixedText(std::hypot(dx, dy) / zoom, 2);
        default: return {};
    }
}

}  // namespace tessmet
