#pragma once

#include <string>

namespace tessmet {

// What the numeric entries typed last, for the program run only. Each entry changes only when
// its dialog ends with OK (a region only once it was accepted); line and rectangle, rectangular
// and elliptic region each keep their own.
struct RoiEntry {
    int startX = 0, startY = 0, endX = 0, endY = 0;
    bool sameForAll = false;
    bool operator==(const RoiEntry&) const = default;
};

struct TwoPointEntry {
    int startX = 0, startY = 0, endX = 0, endY = 0;
    bool operator==(const TwoPointEntry&) const = default;
};

struct CircleEntry {
    int centreX = 0, centreY = 0, radius = 0;
    bool operator==(const CircleEntry&) const = default;
};

struct TextPositionEntry {
    int x = 0, y = 0;
    std::string text;
    bool operator==(const TextPositionEntry&) const = default;
};

struct CoordinateMemory {
    RoiEntry roiRectangle;
    RoiEntry roiEllipse;
    TwoPointEntry line;
    TwoPointEntry rectangle;
    CircleEntry circle;
    TextPositionEntry text;
};

}  // namespace tessmet
