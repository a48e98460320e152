#include "measure/processing/Binarisation.h"

#include "measure/processing/PixelAccess.h"
#include "measure/processing/SpanWorkers.h"

#include <algorithm>
#include <vector>

namespace tessmet {

BinariseCounts Binarise(const Dib& original, Dib& layer, const RoiSpans& roi, int max, int min, uint32_t colour) {
    if (original.isNull() || !original.sameLayout(layer)) return {};
    layer.fill(0);
    BinariseCounts counts;
    counts.roi = roi.pixelCount();
    const long long lowest = 3LL * min, highest = 3LL * max;
    if (lowest > highest || highest < 0 || lowest > 765) return counts;
    // Sums are 0..765, so the bounds fit an int once clipped to that range.
    const int lo = static_cast<int>(std::max(lowest, 0LL)), hi = static_cast<int>(std::min(highest, 765LL));
    const ColourBytes c = SplitColour(colour);
    const int bpp = original.bitsPerPixel();
    const int step = original.bytesPerPixel();
    const std::vector<RoiSpan>& spans = roi.spans();
    std::vector<long long> marked(std::max(1u, std::thread::hardware_concurrency()) + 1, 0);
    ForEachSpanPart(roi, [&](size_t first, size_t end, size_t part) {
        long long count = 0;
        for (size_t i = first; i < end; ++i) {
            const RoiSpan& span = spans[i];
            const uint8_t* s = original.pixel(span.xBegin, span.y);
            uint8_t* d = layer.pixel(span.xBegin, span.y);
            const int n = span.xEnd - span.xBegin;
            if (bpp == 24 || bpp == 32) {
                for (int x = 0; x < n; ++x, s += step, d += step) {
                    const int sum = s[0] + s[1] + s[2];
                    if (sum >= lo && sum <= hi) {
                        d[0] = c.blue;
                        d[1] = c.green;
                        d[2] = c.red;
                        ++count;
                    }
                }
            } else {
                for (int x = 0; x < n; ++x, s += step, d += step) {
                    const int sum = ReadChannel(s, Channel::Blue, bpp) + ReadChannel(s, Channel::Green, bpp) +
                                    ReadChannel(s, Channel::Red, bpp);
                    if (sum >= lo && sum <= hi) {
                        WritePixel(d, c.blue, c.green, c.red, bpp);
                        ++count;
                    }
                }
            }
        }
        marked[part] = count;
    }, marked.size());
    for (const long long m : marked) counts.marked += m;
    return counts;
}

}  // namespace tessmet
