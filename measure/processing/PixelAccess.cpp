#include "measure/processing/PixelAccess.h"

#include <cmath>

namespace tessmet {
namespace {

uint8_t To5Bits(uint8_t c) {
    const int value = static_cast<int>(c * 0.12156862745098039);
    return static_cast<uint8_t>(value > 31 ? 31 : value);
}

}  // namespace

uint8_t ReadChannel(const uint8_t* pixel, int channel, int bitsPerPixel) {
    unsigned blue, green, red;
    if (bitsPerPixel == 16) {
        const unsigned v = static_cast<unsigned>(pixel[0]) | (static_cast<unsigned>(pixel[1]) << 8);
        red = (v & 0x7C00u) * 255u / 31u / 1024u;
        green = (v & 0x03E0u) * 255u / 31u / 32u;
        blue = (v & 0x001Fu) * 255u / 31u;
    } else if (bitsPerPixel == 24 || bitsPerPixel == 32) {
        blue = pixel[0];
        green = pixel[1];
        red = pixel[2];
    } else {
        return 0;
    }
    switch (channel) {
        case Channel::Blue: return static_cast<uint8_t>(blue);
        case Channel::Green: return static_cast<uint8_t>(green);
        case Channel::Red: return static_cast<uint8_t>(red);
        default: {
            const unsigned sumOfSquares = blue * blue + green * green + red * red;
            return static_cast<uint8_t>(std::sqrt(static_cast<double>(sumOfSquares) * 0.3333333333333333));
        }
    }
}

uint8_t GreyLevel(const uint8_t* pixel, int bitsPerPixel) {
    return ReadChannel(pixel, Channel::Grey, bitsPerPixel);
}

void WritePixel(uint8_t* pixel, uint8_t blue, uint8_t green, uint8_t red, int bitsPerPixel) {
    if (bitsPerPixel == 16) {
        const unsigned word = (static_cast<unsigned>(To5Bits(red)) << 10) |
                              (static_cast<unsigned>(To5Bits(green)) << 5) | To5Bits(blue);
        pixel[0] = static_cast<uint8_t>(word & 0xFF);
        pixel[1] = static_cast<uint8_t>(word >> 8);
    } else if (bitsPerPixel == 24 || bitsPerPixel == 32) {
        pixel[0] = blue;
        pixel[1] = green;
        pixel[2] = red;
    }
}

}  // namespace tessmet
