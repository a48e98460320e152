#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace platform {

static_assert(std::endian::native == std::endian::little, "Bgr24ToRgb32 packs pixels as little-endian words");

// `count` pixels of blue, green, red bytes (the order of 24-bit bitmaps and camera frames) as
// opaque 32-bit 0xFFRRGGBB words, the form the screen takes. This is the inner loop of every
// picture shown, so four pixels go at a time, from three little-endian words: the bytes B, G, R
// of a pixel read as one word are already 0x00RRGGBB.
inline void Bgr24ToRgb32(const uint8_t* bgr, int count, uint32_t* out) {
    int x = 0;
    for (; x + 4 <= count; x += 4, bgr += 12) {
        uint32_t w0, w1, w2;
        std::memcpy(&w0, bgr, 4);
        std::memcpy(&w1, bgr + 4, 4);
        std::memcpy(&w2, bgr + 8, 4);
        out[x] = 0xFF000000u | (w0 & 0xFFFFFFu);
        out[x + 1] = 0xFF000000u | (w0 >> 24) | ((w1 & 0xFFFFu) << 8);
        out[x + 2] = 0xFF000000u | (w1 >> 16) | ((w2 & 0xFFu) << 16);
        out[x + 3] = 0xFF000000u | (w2 >> 8);
    }
    for (; x < count; ++x, bgr += 3)
        out[x] = 0xFF000000u | uint32_t{bgr[2]} << 16 | uint32_t{bgr[1]} << 8 | bgr[0];
}

}  // namespace platform
