#include "measure/processing/CentreDetection.h"

#include "measure/processing/PixelAccess.h"
#include "measure/processing/SpanWorkers.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace tessmet {
namespace {

bool Marked(const uint8_t* pixel, int bytes) {
    for (int i = 0; i < bytes; ++i)
        if (pixel[i]) return true;
    return false;
}

struct Sums {
    double weight = 0;
    double x = 0;
    double y = 0;
};

}  // namespace

void DrawCentreMark(Dib& layer, double cx, double cy) {
    const int x = static_cast<int>(cx), y = static_cast<int>(cy);
    const int bpp = layer.bitsPerPixel();
    for (const MarkOffset& o : kCentreMark) {
        const int e = x + o.dx, f = y + o.dy;
        if (e <= 0 || e >= layer.width() || f <= 0 || f >= layer.height()) continue;
        uint8_t* p = layer.pixel(e, f - 1);
        WritePixel(p, static_cast<uint8_t>(255 - ReadChannel(p, Channel::Blue, bpp)),
                   static_cast<uint8_t>(255 - ReadChannel(p, Channel::Green, bpp)),
                   static_cast<uint8_t>(255 - ReadChannel(p, Channel::Red, bpp)), bpp);
    }
}

CentreResult DetectCentre(const Dib& original, Dib& layer, const RoiSpans& roi, int max, int min, int type,
                          uint32_t colour) {
    CentreResult result;
    result.counts = Binarise(original, layer, roi, max, min, colour);
    if (original.isNull() || !original.sameLayout(layer)) return result;
    // Only region pixels can be marked: Binarise cleared the rest of the layer.
    const int bpp = original.bitsPerPixel();
    const int bytes = original.bytesPerPixel();
    const bool weighted = type == DetectType::CentreOfGravity;
    const std::vector<RoiSpan>& spans = roi.spans();
    std::vector<Sums> parts(std::max(1u, std::thread::hardware_concurrency()) + 1);
    ForEachSpanPart(roi, [&](size_t first, size_t end, size_t part) {
        Sums s;
        for (size_t i = first; i < end; ++i) {
            const RoiSpan& span = spans[i];
            // Each row's sums stay exact in integers; the doubles collect whole rows.
            long long rowWeight = 0, rowX = 0;
            const uint8_t* m = layer.pixel(span.xBegin, span.y);
            const uint8_t* o = original.pixel(span.xBegin, span.y);
            for (int x = span.xBegin; x < span.xEnd; ++x, m += bytes, o += bytes) {
                if (!Marked(m, bytes)) continue;
                const long long w = weighted ? GreyLevel(o, bpp) : 1;
                rowWeight += w;
                rowX += w * (x + 1);
            }
            s.weight += static_cast<double>(rowWeight);
            s.x += static_cast<double>(rowX);
            s.y += static_cast<double>(rowWeight) * (span.y + 1);
        }
        parts[part] = s;
    }, parts.size());
    Sums total;
    for (const Sums& s : parts) {
        total.weight += s.weight;
        total.x += s.x;
        total.y += s.y;
    }
    if (total.weight == 0) return result;
    result.cx = total.x / total.weight - 0.5;
    result.cy = total.y / total.weight - 0.5;
    if (result.cx != 0 || result.cy != 0) DrawCentreMark(layer, result.cx, result.cy);
    return result;
}

}  // namespace tessmet
