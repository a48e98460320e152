#include "measure/processing/ColourDistribution.h"

#include "measure/processing/PixelAccess.h"
#include "measure/processing/SpanWorkers.h"

#include <cstdio>
#include <thread>
#include <vector>

namespace tessmet {
namespace {

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

double Quotient(long long numerator, long long denominator) {
    return denominator == 0 ? 0.0 : static_cast<double>(numerator) / static_cast<double>(denominator);
}

}  // namespace

ColourTotals ColourSums(const Dib& original, const RoiSpans& roi) {
    ColourTotals totals;
    if (original.isNull()) return totals;
    const int bpp = original.bitsPerPixel();
    const int bytes = original.bytesPerPixel();
    const std::vector<RoiSpan>& spans = roi.spans();
    std::vector<ColourTotals> parts(std::max(1u, std::thread::hardware_concurrency()) + 1);
    ForEachSpanPart(roi, [&](size_t first, size_t end, size_t part) {
        ColourTotals t;
        for (size_t i = first; i < end; ++i) {
            const RoiSpan& span = spans[i];
            const uint8_t* s = original.pixel(span.xBegin, span.y);
            t.count += span.xEnd - span.xBegin;
            for (int x = span.xBegin; x < span.xEnd; ++x, s += bytes) {
                t.red += ReadChannel(s, Channel::Red, bpp);
                t.green += ReadChannel(s, Channel::Green, bpp);
                t.blue += ReadChannel(s, Channel::Blue, bpp);
            }
        }
        parts[part] = t;
    }, parts.size());
    for (const ColourTotals& t : parts) {
        totals.count += t.count;
        totals.red += t.red;
        totals.green += t.green;
        totals.blue += t.blue;
    }
    return totals;
}

void ColourDisplay(const Dib& original, Dib& layer, const RoiSpans& roi, bool red, bool green, bool blue) {
    if (original.isNull() || !original.sameLayout(layer)) return;
    layer.fill(0);
    if (!red && !green && !blue) return;
    const int bpp = original.bitsPerPixel();
    MapRegionPixels(original, layer, roi, [&](const uint8_t* s, uint8_t* d) {
        WritePixel(d, blue ? ReadChannel(s, Channel::Blue, bpp) : 0, green ? ReadChannel(s, Channel::Green, bpp) : 0,
                   red ? ReadChannel(s, Channel::Red, bpp) : 0, bpp);
    });
}

ColourDistributionTexts FormatColourDistribution(const ColourTotals& t) {
    ColourDistributionTexts texts;
    const long long channels[3] = {t.red, t.green, t.blue};
    for (size_t i = 0; i < 3; ++i) {
        texts.totals[i] = std::to_string(channels[i]);
        texts.averages[i] = Format("%.2f", Quotient(channels[i], t.count));
        texts.ratios[i] = Format("%.2f", Quotient(channels[i], t.sum()) * 100);
    }
    texts.area = std::to_string(t.count);
    return texts;
}

std::string ColourDistributionCsvLine(const std::string& picturePath, const ColourTotals& t) {
    const long long sum = t.sum();
    std::string line = picturePath;
    for (const long long c : {t.red, t.green, t.blue}) line += Format(", %.2f", Quotient(c, t.count));
    for (const long long c : {t.red, t.green, t.blue}) line += Format(", %.4f", Quotient(c, sum));
    line += ",\r\n";
    return line;
}

int AppendColourDistributionLine(const std::string& csvPath, const std::string& line) {
    std::FILE* file = std::fopen(csvPath.c_str(), "ab");
    if (!file) return -1;
    const bool written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed ? 0 : -1;
}

}  // namespace tessmet
