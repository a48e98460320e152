#pragma once

#include <cstdint>

namespace tessmet {

// A whole-pixel position: image coordinates (origin top left, y downwards) or view
// coordinates (scrolled client pixels), depending on who holds it.
struct Point {
    int32_t x = 0;
    int32_t y = 0;

    bool operator==(const Point&) const = default;
};

}  // namespace tessmet
