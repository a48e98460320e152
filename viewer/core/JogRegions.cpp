#include "viewer/core/JogRegions.h"

#include <cmath>
#include <cstdint>

namespace lumora {

std::span<const JogPoint> JogSegment(int region) {
    switch (region) {
    case 0: return kJogTop;
    case 1: return kJogRight;
    case 2: return kJogBottom;
    case 3: return kJogLeft;
    default: return {};
    }
}

bool WindingPolygonContains(std::span<const JogPoint> polygon, int x, int y) {
    if (polygon.size() < 3) return false;
    int winding = 0;
    const size_t n = polygon.size();
    for (size_t k = 0; k < n; ++k) {
        const JogPoint a = polygon[k];
        const JogPoint b = polygon[(k + 1) % n];
        // Each edge covers the rows from its upper end up to, not including, its lower end.
        const bool down = b.y > a.y;
        const int top = down ? a.y : b.y;
        const int bottom = down ? b.y : a.y;
        if (y < top || y >= bottom) continue;
        // With y downwards, a point right of a downward edge gives a negative cross product;
        // a point on the edge counts as right of it (left edges belong to the region).
        const int64_t cross = int64_t(b.x - a.x) * (y - a.y) - int64_t(b.y - a.y) * (x - a.x);
        if (down ? cross <= 0 : cross >= 0) winding += down ? 1 : -1;
    }
    return winding != 0;
}

bool EllipseRegionContains(int left, int top, int right, int bottom, int x, int y) {
    // The region covers the pixel columns left ... right - 2 and rows top ... bottom - 2
    // around their middle. The semi-axes are a tenth of a pixel short of half that span, which
    // reproduces the system's row widths on the dial's centre button pixel for pixel.
    const double spanX = right - left - 1;
    const double spanY = bottom - top - 1;
    if (spanX <= 0 || spanY <= 0) return false;
    const double a = spanX / 2.0 - 0.1;
    const double b = spanY / 2.0 - 0.1;
    const double dx = x - (left + (spanX - 1) / 2.0);
    const double dy = y - (top + (spanY - 1) / 2.0);
    return (dx * dx) / (a * a) + (dy * dy) / (b * b) <= 1.0;
}

bool JogRegionContains(int region, int x, int y) {
    if (region == 4) return EllipseRegionContains(kJogCentreLeft, kJogCentreTop, kJogCentreRight, kJogCentreBottom, x, y);
    return WindingPolygonContains(JogSegment(region), x, y);
}

int JogRegionAt(int x, int y, int jogMode) {
    for (int region = 0; region < kJogRegionCount; ++region) {
        if (region == 4 && jogMode != 0 && jogMode != 1) break;
        if (JogRegionContains(region, x, y)) return region;
    }
    return kJogNoRegion;
}

int JogModeAfterRelease(int region, int jogMode) {
    if (region == 1) return 0;
    if (region == 3) return 1;
    return jogMode;
}

std::string JogRegionImageName(int jogMode, int region) {
    return "btn" + std::to_string(jogMode + 1) + "_" + std::to_string(region) + ".bmp";
}

std::string JogImageName(int jogMode, int hoveredRegion) {
    if (hoveredRegion >= 0 && hoveredRegion < kJogRegionCount) return JogRegionImageName(jogMode, hoveredRegion);
    if (jogMode == 0) return JogRegionImageName(0, 1);
    if (jogMode == 1) return JogRegionImageName(1, 3);
    return kJogIdleImage;
}

}  // namespace lumora
