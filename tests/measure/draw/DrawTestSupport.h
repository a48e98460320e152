#pragma once

#include "measure/core/Pen.h"
#include "measure/processing/Dib.h"

#include <cstdint>
#include <random>
#include <vector>

namespace drawtest {

// The raw bytes of a pixel as one number, little-endian.
inline uint32_t Raw(const tessmet::Dib& dib, int x, int y) {
    const uint8_t* p = dib.pixel(x, y);
    uint32_t v = 0;
    for (int i = dib.bytesPerPixel() - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

// What a pixel holds after painting `color` over `before`: the top bit of a 16-bit pixel and
// the fourth byte of a 32-bit one keep their value.
inline uint32_t Painted(tessmet::ColorRef color, int bitsPerPixel, uint32_t before) {
    const uint32_t r = tessmet::RedOf(color), g = tessmet::GreenOf(color), b = tessmet::BlueOf(color);
    if (bitsPerPixel == 16) return (before & 0x8000u) | ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
    const uint32_t bgr = b | (g << 8) | (r << 16);
    return bitsPerPixel == 32 ? (before & 0xFF000000u) | bgr : bgr;
}

inline uint32_t Inverted(int bitsPerPixel, uint32_t before) {
    return before ^ (bitsPerPixel == 16 ? 0x7FFFu : 0xFFFFFFu);
}

// A bitmap of random bytes (spare bits included), the same for every run.
inline tessmet::Dib Noise(int width, int height, int bitsPerPixel, unsigned seed = 7) {
    tessmet::Dib dib(width, height, bitsPerPixel);
    std::mt19937 random(seed);
    for (size_t i = 0; i < dib.sizeBytes(); ++i) dib.bits()[i] = static_cast<uint8_t>(random());
    return dib;
}

// A bitmap of one grey with the spare bits set, so a write that clears them shows.
inline tessmet::Dib Plain(int width, int height, int bitsPerPixel) {
    tessmet::Dib dib(width, height, bitsPerPixel);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = dib.pixel(x, y);
            if (bitsPerPixel == 16) {
                p[0] = 0x10;
                p[1] = 0xC2;  // grey 16-16-16 with bit 15 set
            } else {
                p[0] = p[1] = p[2] = 0x40;
                if (bitsPerPixel == 32) p[3] = 0x5A;
            }
        }
    }
    return dib;
}

inline std::vector<uint8_t> Bytes(const tessmet::Dib& dib) { return {dib.bits(), dib.bits() + dib.sizeBytes()}; }

}  // namespace drawtest
