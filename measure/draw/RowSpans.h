#pragma once

#include <QLineF>
#include <QRect>

#include <climits>
#include <vector>

namespace tessmet {

// For each row of a bitmap, the range of columns a figure may have touched: what the canvas
// must look at when it writes a figure's pixels. A line across a large image covers a handful
// of pixels per row, while its bounding box can be the whole image.
class RowSpans {
public:
    // Empty, for a bitmap of `height` rows.
    void Reset(int height);
    bool empty() const { return top_ > bottom_; }

    // Columns left..right (inclusive) of row y; rows outside the bitmap are ignored, columns are
    // not clipped.
    void Add(int y, int left, int right);
    void Add(const QRect& rect);
    // The pixels within `margin` of the segment, row by row.
    void AddLine(const QLineF& line, double margin);
    void Merge(const RowSpans& other);
    void Clear();

    // The rectangle around every span (empty when there is none).
    QRect bounds() const;

    // Calls visit(y, left, right) for every row with a span, top to bottom.
    template <typename Visit>
    void ForEach(Visit&& visit) const {
        for (int y = top_; y <= bottom_; ++y) {
            if (left_[static_cast<size_t>(y)] <= right_[static_cast<size_t>(y)]) {
                visit(y, left_[static_cast<size_t>(y)], right_[static_cast<size_t>(y)]);
            }
        }
    }

private:
    std::vector<int> left_;
    std::vector<int> right_;
    int top_ = INT_MAX;
    int bottom_ = INT_MIN;
};

}  // namespace tessmet
