#pragma once

#include "measure/processing/Dib.h"
#include "measure/processing/RoiSpans.h"

#include <cstdint>

namespace tessmet {

// Counts of one binarisation: the pixels marked and the pixels of the region of interest.
struct BinariseCounts {
    long long marked = 0;
    long long roi = 0;
};

// Marks on the processing layer every region pixel of the original picture whose channel sum
// b + g + r lies in [3 * min, 3 * max] with `colour` (0x00BBGGRR); everything else on the layer
// becomes 0. Only the sum is compared, so (99, 100, 101) passes min = max = 100. A min above
// max marks nothing. The layer must have the original's size, stride and depth; otherwise
// nothing is written and both counts are 0.
BinariseCounts Binarise(const Dib& original, Dib& layer, const RoiSpans& roi, int max, int min, uint32_t colour);

// The three channels of a 0x00BBGGRR colour.
struct ColourBytes {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
};
constexpr ColourBytes SplitColour(uint32_t colour) {
    return {static_cast<uint8_t>((colour >> 16) & 0xFF), static_cast<uint8_t>((colour >> 8) & 0xFF),
            static_cast<uint8_t>(colour & 0xFF)};
}

}  // namespace tessmet
