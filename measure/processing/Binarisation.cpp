#include "measure/processing/Binarisation.h"

#include "measure/processing/PixelAccess.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <thread>
#include <vector>

namespace tessmet {
namespace {

// The sum bounds and the marking colour as one depth stores them.
struct Marking {
    int lo = 0;
    unsigned width = 0;  // hi - lo: a sum s is in range when unsigned(s - lo) <= width
    uint32_t pixel = 0;  // the colour's stored bytes, little-endian (the 32-bit fourth byte 0)
    std::array<uint16_t, 32> fiveBits{};  // 16-bit pixels: a 5-bit channel as it reads in 8 bits
};

inline uint32_t Load32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
inline void Store32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }
inline uint16_t Load16(const uint8_t* p) {
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}
inline void Store16(uint8_t* p, uint16_t v) { std::memcpy(p, &v, 2); }

// One run of n pixels of each depth, without branches: on a camera picture the test goes either
// way from one pixel to the next, and a mispredicted branch costs more than writing the pixel.
// Each returns the number of pixels marked.

long long Run24(const uint8_t* s, uint8_t* d, int n, const Marking& m) {
    long long count = 0;
    int x = 0;
    // Four bytes are read and written per pixel; the fourth belongs to the next pixel, which is
    // written after, so the last pixel of the run goes byte by byte to stay inside it.
    for (; x + 1 < n; ++x, s += 3, d += 3) {
        const uint32_t v = Load32(s);
        const unsigned sum = (v & 0xFFu) + ((v >> 8) & 0xFFu) + ((v >> 16) & 0xFFu);
        const unsigned in = static_cast<unsigned>(static_cast<int>(sum) - m.lo) <= m.width;
        Store32(d, m.pixel & (0u - in));
        count += in;
    }
    if (x < n) {
        const unsigned in = static_cast<unsigned>(s[0] + s[1] + s[2] - m.lo) <= m.width;
        const uint32_t out = m.pixel & (0u - in);
        d[0] = static_cast<uint8_t>(out);
        d[1] = static_cast<uint8_t>(out >> 8);
        d[2] = static_cast<uint8_t>(out >> 16);
        count += in;
    }
    return count;
}

long long Run32(const uint8_t* s, uint8_t* d, int n, const Marking& m) {
    unsigned count = 0;  // a run is at most one row, far below 2^32 pixels
    for (int x = 0; x < n; ++x) {
        const uint32_t v = Load32(s + 4 * x);
        const uint32_t sum = (v & 0xFFu) + ((v >> 8) & 0xFFu) + ((v >> 16) & 0xFFu);
        const uint32_t in = (sum - static_cast<uint32_t>(m.lo)) <= m.width ? 1u : 0u;
        Store32(d + 4 * x, m.pixel & (0u - in));
        count += in;
    }
    return count;
}

long long Run16(const uint8_t* s, uint8_t* d, int n, const Marking& m) {
    long long count = 0;
    const uint16_t colour = static_cast<uint16_t>(m.pixel);
    for (int x = 0; x < n; ++x) {
        const unsigned v = Load16(s + 2 * x);
        const int sum = m.fiveBits[v & 0x1Fu] + m.fiveBits[(v >> 5) & 0x1Fu] + m.fiveBits[(v >> 10) & 0x1Fu];
        const unsigned in = static_cast<unsigned>(sum - m.lo) <= m.width;
        Store16(d + 2 * x, static_cast<uint16_t>(colour & (0u - in)));
        count += in;
    }
    return count;
}

// Writes layer rows [rowBegin, rowEnd) whole, each byte once: the region's runs through `run`,
// everything between and around them (row padding included) as 0. `first` is the index of the
// first run on or below rowBegin.
template <typename RunFn>
long long Rows(const Dib& original, Dib& layer, const std::vector<RoiSpan>& spans, size_t first, int rowBegin, int rowEnd,
               RunFn run, const Marking& m) {
    const int step = original.bytesPerPixel();
    const size_t stride = static_cast<size_t>(layer.stride());
    long long count = 0;
    size_t i = first;
    for (int y = rowBegin; y < rowEnd; ++y) {
        uint8_t* d = layer.row(y);
        const uint8_t* s = original.row(y);
        size_t done = 0;  // bytes of the row written so far
        for (; i < spans.size() && spans[i].y == y; ++i) {
            const size_t begin = static_cast<size_t>(spans[i].xBegin) * static_cast<size_t>(step);
            const size_t end = static_cast<size_t>(spans[i].xEnd) * static_cast<size_t>(step);
            if (begin > done) std::memset(d + done, 0, begin - done);
            count += run(s + begin, d + begin, spans[i].xEnd - spans[i].xBegin, m);
            done = std::max(done, end);
        }
        if (stride > done) std::memset(d + done, 0, stride - done);
    }
    return count;
}

// Regions below this many pixels are not worth a second thread.
constexpr long long kPixelsPerThread = 1 << 20;

template <typename RunFn>
long long AllRows(const Dib& original, Dib& layer, const RoiSpans& roi, RunFn run, const Marking& m) {
    const std::vector<RoiSpan>& spans = roi.spans();
    const int height = layer.height();
    const long long hardware = std::max(1u, std::thread::hardware_concurrency());
    const int parts = static_cast<int>(std::clamp(roi.pixelCount() / kPixelsPerThread, 1LL, std::min(hardware, 2LL)));
    if (parts == 1) return Rows(original, layer, spans, 0, 0, height, run, m);
    // Two halves of the rows; the region's pixels decide where to cut so both get equal work.
    const long long half = roi.pixelCount() / 2;
    long long running = 0;
    size_t cut = 0;
    while (cut < spans.size() && running < half) running += spans[cut].xEnd - spans[cut].xBegin, ++cut;
    const int cutRow = cut < spans.size() ? spans[cut].y : height;
    while (cut > 0 && spans[cut - 1].y >= cutRow) --cut;
    long long second = 0;
    std::thread helper([&] { second = Rows(original, layer, spans, cut, cutRow, height, run, m); });
    const long long firstCount = Rows(original, layer, spans, 0, 0, cutRow, run, m);
    helper.join();
    return firstCount + second;
}

}  // namespace

BinariseCounts Binarise(const Dib& original, Dib& layer, const RoiSpans& roi, int max, int min, uint32_t colour) {
    if (original.isNull() || !original.sameLayout(layer)) return {};
    BinariseCounts counts;
    counts.roi = roi.pixelCount();
    const long long lowest = 3LL * min, highest = 3LL * max;
    const int bpp = original.bitsPerPixel();
    if (lowest > highest || highest < 0 || lowest > 765 || (bpp != 16 && bpp != 24 && bpp != 32)) {
        layer.fill(0);
        // Other depths read every channel as 0 and store nothing: a pixel counts when 0 is in range.
        if (bpp != 16 && bpp != 24 && bpp != 32 && lowest <= 0 && highest >= 0) counts.marked = counts.roi;
        return counts;
    }
    // Sums are 0..765, so the bounds fit an int once clipped to that range.
    Marking m;
    m.lo = static_cast<int>(std::max(lowest, 0LL));
    m.width = static_cast<unsigned>(std::min(highest, 765LL) - m.lo);
    const ColourBytes c = SplitColour(colour);
    uint8_t stored[4] = {};
    WritePixel(stored, c.blue, c.green, c.red, bpp);
    m.pixel = Load32(stored);
    for (unsigned k = 0; k < 32; ++k) m.fiveBits[k] = static_cast<uint16_t>(k * 255u / 31u);
    if (bpp == 16) counts.marked = AllRows(original, layer, roi, Run16, m);
    else if (bpp == 24) counts.marked = AllRows(original, layer, roi, Run24, m);
    else counts.marked = AllRows(original, layer, roi, Run32, m);
    return counts;
}

}  // namespace tessmet
