#include "measure/io/RgbBuffer.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace tessmet {

void FlipRows(uint8_t* buffer, int width, int height) {
    if (!buffer || width <= 0 || height <= 1) return;
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    for (int i = 0; i < height / 2; ++i) {
        uint8_t* top = buffer + static_cast<size_t>(i) * rowBytes;
        uint8_t* bottom = buffer + static_cast<size_t>(height - 1 - i) * rowBytes;
        std::swap_ranges(top, top + rowBytes, bottom);
    }
}

int SwapRedBlue(uint8_t* buffer, int width, int height) {
    if (!buffer) return 0;
    if (width <= 0 || height <= 0) return 1;
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    for (size_t i = 0; i < pixels; ++i) std::swap(buffer[3 * i], buffer[3 * i + 2]);
    return 1;
}

}  // namespace tessmet
