#pragma once

#include <cstdint>

namespace tessmet {

// Channel selectors of ReadChannel. Any other value reads the grey level (the program uses 15).
namespace Channel {
constexpr int Blue = 1;
constexpr int Green = 2;
constexpr int Red = 4;
constexpr int Grey = 15;
}  // namespace Channel

// One 8-bit channel of the pixel at `pixel` in a bitmap of `bitsPerPixel` (16, 24 or 32; any
// other depth reads 0). A 5-bit channel c of a 16-bit pixel reads as c * 255 / 31, truncated.
uint8_t ReadChannel(const uint8_t* pixel, int channel, int bitsPerPixel);

// The root mean square of blue, green and red (not a luminance weighting), truncated:
// (0, 0, 255) gives 147.
uint8_t GreyLevel(const uint8_t* pixel, int bitsPerPixel);

// Stores blue, green and red. 16-bit pixels keep 5 bits of each (c * 31 / 255, truncated) and
// bit 15 clear; 32-bit pixels keep their fourth byte; other depths store nothing.
void WritePixel(uint8_t* pixel, uint8_t blue, uint8_t green, uint8_t red, int bitsPerPixel);

}  // namespace tessmet
