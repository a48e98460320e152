#include "measure/processing/GreyImage.h"

#include "measure/processing/PixelAccess.h"
#include "measure/processing/SpanWorkers.h"

namespace tessmet {

void GreyImage(const Dib& original, Dib& layer, const RoiSpans& roi) {
    if (original.isNull() || !original.sameLayout(layer)) return;
    layer.fill(0);
    const int bpp = original.bitsPerPixel();
    MapRegionPixels(original, layer, roi, [bpp](const uint8_t* s, uint8_t* d) {
        const uint8_t g = GreyLevel(s, bpp);
        WritePixel(d, g, g, g, bpp);
    });
}

}  // namespace tessmet
