#include "measure/io/DibSection.h"

#include <new>

namespace tessmet {

std::optional<DibSection> CreateDibSection24(int width, int height, int bitsPerPixel,
                                             const std::vector<uint32_t>& palette) {
    switch (bitsPerPixel) {
        case 1: case 4: case 8: case 16: case 24: case 32: break;
        default: return std::nullopt;
    }
    const size_t maxEntries = bitsPerPixel <= 8 ? (size_t{1} << bitsPerPixel) : 256;
    if (palette.size() > maxEntries) return std::nullopt;

    DibSection section;
    try {
        section.bitmap = Dib(width, height, bitsPerPixel);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (section.bitmap.isNull()) return std::nullopt;
    section.colourTable.reserve(palette.size());
    for (const uint32_t colour : palette) {
        section.colourTable.push_back({static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8),
                                       static_cast<uint8_t>(colour), 0});
    }
    return section;
}

}  // namespace tessmet
