#pragma once

#include "measure/processing/Dib.h"
#include "measure/processing/RoiSpans.h"

#include <algorithm>
#include <cstddef>
#include <thread>
#include <vector>

namespace tessmet {

// Runs work(firstSpan, endSpan, part) over the region's runs, split into parts of about equal
// pixel counts that run on their own threads when the region is large enough to pay for them
// (a few hundred thousand pixels). Each part gets its own index so it can keep its own sums;
// parts never share a row, so they never write the same bytes.
template <typename Work>
size_t ForEachSpanPart(const RoiSpans& roi, Work&& work, size_t maxParts = 0) {
    constexpr long long kPixelsPerPart = 1 << 18;
    const std::vector<RoiSpan>& spans = roi.spans();
    size_t parts = maxParts ? maxParts : std::max(1u, std::thread::hardware_concurrency());
    parts = std::min<size_t>(parts, static_cast<size_t>(std::max(1LL, roi.pixelCount() / kPixelsPerPart)));
    parts = std::min(parts, std::max<size_t>(spans.size(), 1));
    if (parts <= 1) {
        work(size_t{0}, spans.size(), size_t{0});
        return 1;
    }
    // Cut where the running pixel count passes each part's share, never inside a row.
    std::vector<size_t> cuts{0};
    const long long share = roi.pixelCount() / static_cast<long long>(parts);
    long long running = 0;
    for (size_t i = 0; i < spans.size() && cuts.size() < parts; ++i) {
        running += spans[i].xEnd - spans[i].xBegin;
        if (running >= share * static_cast<long long>(cuts.size())) {
            size_t cut = i + 1;
            while (cut < spans.size() && spans[cut].y == spans[cut - 1].y) ++cut;
            if (cut > cuts.back() && cut < spans.size()) cuts.push_back(cut);
        }
    }
    cuts.push_back(spans.size());
    std::vector<std::thread> threads;
    for (size_t p = 1; p + 1 < cuts.size(); ++p) threads.emplace_back([&, p] { work(cuts[p], cuts[p + 1], p); });
    work(cuts[0], cuts[1], size_t{0});
    for (std::thread& t : threads) t.join();
    return cuts.size() - 1;
}

// Writes every pixel of the region on the layer from the same pixel of the original:
// pixel(source, destination) gets both pixels' first bytes. The caller has cleared the layer.
template <typename Pixel>
void MapRegionPixels(const Dib& original, Dib& layer, const RoiSpans& roi, Pixel&& pixel) {
    const int bytes = original.bytesPerPixel();
    const std::vector<RoiSpan>& spans = roi.spans();
    ForEachSpanPart(roi, [&](size_t first, size_t end, size_t) {
        for (size_t i = first; i < end; ++i) {
            const RoiSpan& span = spans[i];
            const uint8_t* s = original.pixel(span.xBegin, span.y);
            uint8_t* d = layer.pixel(span.xBegin, span.y);
            for (int x = span.xBegin; x < span.xEnd; ++x, s += bytes, d += bytes) pixel(s, d);
        }
    });
}

}  // namespace tessmet
