#pragma once

#include <cstdint>

namespace tessmet {

// Helpers for RGB buffers of width * height pixels of 3 bytes, rows without padding.

// Reverses the order of the rows in place; with an odd height the middle row stays.
void FlipRows(uint8_t* buffer, int width, int height);

// Exchanges the first and third byte of every pixel in place (blue-green-red to red-green-blue
// and back). Returns 0 for a null buffer, 1 otherwise.
int SwapRedBlue(uint8_t* buffer, int width, int height);

}  // namespace tessmet
