#pragma once

#include "measure/processing/Dib.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace tessmet {

// An empty bitmap together with the colour table a palette depth needs.
struct DibSection {
    Dib bitmap;                                        // pixel rows, cleared to 0
    std::vector<std::array<uint8_t, 4>> colourTable;   // blue, green, red, 0 per palette entry
};

// A new bitmap of the given size and depth (1, 4, 8, 16, 24 or 32), rows padded to a multiple
// of four bytes, with the palette's colours (0x00BBGGRR values, at most 256 and at most
// 2^depth entries for palette depths) converted to its colour table. None when the size is not
// positive, the depth or palette is not allowed, or the bitmap would exceed the size limit.
// The zoom window uses it for its 240 x 240, 24-bit picture.
std::optional<DibSection> CreateDibSection24(int width, int height, int bitsPerPixel,
                                             const std::vector<uint32_t>& palette = {});

}  // namespace tessmet
