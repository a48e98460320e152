#pragma once

#include <cstddef>
#include <vector>

namespace tessmet {

// One run of region pixels [xBegin, xEnd) on row y (counted from the top).
struct RoiSpan {
    int y = 0;
    int xBegin = 0;
    int xEnd = 0;
};

// The region of interest of one image as the image-processing operations walk it: its runs of
// pixels, rows top to bottom, already clipped to the image. Computed once when the region
// changes, so an operation never tests a pixel against the region.
class RoiSpans {
public:
    RoiSpans() = default;

    // The whole image.
    static RoiSpans WholeImage(int width, int height) {
        RoiSpans spans;
        for (int y = 0; y < height; ++y) spans.add(y, 0, width);
        return spans;
    }

    // Runs must come row by row, top to bottom; empty runs are dropped.
    void add(int y, int xBegin, int xEnd) {
        if (xEnd <= xBegin) return;
        spans_.push_back({y, xBegin, xEnd});
        count_ += xEnd - xBegin;
    }

    const std::vector<RoiSpan>& spans() const { return spans_; }
    size_t size() const { return spans_.size(); }
    bool empty() const { return spans_.empty(); }
    // The number of region pixels.
    long long pixelCount() const { return count_; }

private:
    std::vector<RoiSpan> spans_;
    long long count_ = 0;
};

}  // namespace tessmet
