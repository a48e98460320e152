#include "measure/processing/GreyImage.h"

#include "measure/processing/PixelAccess.h"
#include "measure/processing/SpanWorkers.h"

namespace tessmet {

void GreyImage(const Dib& original, Dib& layer, const RoiSpans& roi) {
    if (original.isNull() || !original.sameLayout(layer)) return;
    layer.fill(0);
    const int bpp = original.bitsPerPixel();
    const int bytes = original.bytesPerPixel();
    const std::vector<RoiSpan>& spans = roi.spans();
    ForEachSpanPart(roi, [&](size_t first, size_t end, size_t) {
        for (size_t i = first; i < end; ++i) {
            const RoiSpan& span = spans[i];
            const uint8_t* s = original.pixel(span.xBegin, span.y);
            uint8_t* d = layer.pixel(span.xBegin, span.y);
            for (int x = span.xBegin; x < span.xEnd; ++x, s += bytes, d += bytes) {
                const uint8_t g = GreyLevel(s, bpp);
                WritePixel(d, g, g, g, bpp);
            }
        }
    });
}

}  // namespace tessmet
