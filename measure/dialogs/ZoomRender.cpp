#include "measure/dialogs/ZoomRender.h"

#include "measure/processing/PixelAccess.h"

#include <algorithm>

namespace tessmet {

int MagnifiedSourceColumn(int x, int c, int m, int pictureWidth) {
    m = std::max(m, 1);
    return x - (pictureWidth / 2) / m + c / m;
}

int MagnifiedSourceRowFromBottom(int sourceHeight, int y, int i, int m, int pictureHeight) {
    m = std::max(m, 1);
    return sourceHeight - y - (pictureHeight / 2) / m + i / m;
}

void RenderMagnified(Dib& picture, const Dib& source, int x, int y, int m) {
    if (picture.isNull() || picture.bitsPerPixel() != 24) return;
    const int w = picture.width(), h = picture.height();
    const int bits = source.bitsPerPixel();
    for (int i = 0; i < h; ++i) {
        // Rows are counted from the bottom in both bitmaps; Dib rows are top-down in memory.
        uint8_t* out = picture.row(h - 1 - i);
        const int fromBottom = MagnifiedSourceRowFromBottom(source.height(), y, i, m, h);
        const int sy = source.height() - 1 - fromBottom;
        const bool rowInside = !source.isNull() && sy >= 0 && sy < source.height();
        for (int c = 0; c < w; ++c, out += 3) {
            const int sx = MagnifiedSourceColumn(x, c, m, w);
            if (!rowInside || sx < 0 || sx >= source.width()) {
                out[0] = out[1] = out[2] = 0;
                continue;
            }
            const uint8_t* p = source.pixel(sx, sy);
            out[0] = ReadChannel(p, Channel::Blue, bits);
            out[1] = ReadChannel(p, Channel::Green, bits);
            out[2] = ReadChannel(p, Channel::Red, bits);
        }
    }
}

}  // namespace tessmet
