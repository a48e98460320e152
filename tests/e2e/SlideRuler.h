#pragma once

#include "codec/Dib.h"
#include "measure/processing/PixelAccess.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace e2e {

using codec::Dib;
using tessmet::ReadChannel;

// The simulated slide's stage micrometer: ticks 10 slide units apart, every tenth one long
// (22 units tall), standing on a base line 2 units thick.
constexpr int kUnitsBetweenLongTicks = 100;
constexpr double kLongTickHeight = 22.0;

// The ruler's ink is near black; the stained cells keep at least one channel well above 70.
inline bool Dark(const Dib& picture, int x, int y) {
    const uint8_t* p = picture.pixel(x, y);
    const int bpp = picture.bitsPerPixel();
    return ReadChannel(p, 0, bpp) < 70 && ReadChannel(p, 1, bpp) < 70 && ReadChannel(p, 2, bpp) < 70;
}

// The ruler as found in a picture: the top row of its base line and the centres of the long
// ticks, left to right.
struct RulerInPicture {
    int baseRow = -1;
    std::vector<double> longTicks;
};

// A stretch of dark pixels in one row, first and last column included.
struct DarkRun {
    int first = 0;
    int last = 0;
    int width() const { return last - first + 1; }
    double centre() const { return (first + last) / 2.0; }
};

inline std::vector<DarkRun> DarkRuns(const Dib& picture, int y) {
    std::vector<DarkRun> runs;
    int start = -1;
    for (int x = 0; x <= picture.width(); ++x) {
        const bool dark = x < picture.width() && Dark(picture, x, y);
        if (dark && start < 0) start = x;
        if (!dark && start >= 0) {
            runs.push_back({start, x - 1});
            start = -1;
        }
    }
    return runs;
}

// The base line is the row with the most dark pixels (it runs across most of the picture); a
// row 18 units higher crosses the long ticks only, each a short dark run. The ruler's strip
// ends in the middle of its two end ticks, which are drawn half as wide: their centres are not
// where the ticks stand, so ticks at either end of the base line are left out.
inline RulerInPicture FindRuler(const Dib& picture, double pixelsPerUnit) {
    RulerInPicture ruler;
    int best = 0;
    for (int y = 0; y < picture.height(); ++y) {
        int count = 0;
        for (int x = 0; x < picture.width(); ++x) count += Dark(picture, x, y) ? 1 : 0;
        // The first row of the thickest run wins: the base line's top.
        if (count > best) {
            best = count;
            ruler.baseRow = y;
        }
    }
    if (ruler.baseRow < 0) return ruler;
    const int row = ruler.baseRow - static_cast<int>(std::lround((kLongTickHeight - 4.0) * pixelsPerUnit));
    if (row < 0) return ruler;
    const std::vector<DarkRun> line = DarkRuns(picture, ruler.baseRow + 1);
    if (line.empty()) return ruler;
    const DarkRun base = *std::max_element(line.begin(), line.end(),
                                           [](const DarkRun& a, const DarkRun& b) { return a.width() < b.width(); });
    const double endZone = 1.5 * pixelsPerUnit;
    for (const DarkRun& run : DarkRuns(picture, row)) {
        // A tick is under two units wide; wider runs are not ticks.
        if (run.width() > static_cast<int>(2.0 * pixelsPerUnit) + 1) continue;
        if (run.centre() - base.first < endZone || base.last - run.centre() < endZone) continue;
        ruler.longTicks.push_back(run.centre());
    }
    return ruler;
}

}  // namespace e2e
