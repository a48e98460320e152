#include "measure/draw/RowSpans.h"

#include <algorithm>
#include <cmath>

namespace tessmet {

void RowSpans::Reset(int height) {
    const size_t rows = static_cast<size_t>(std::max(height, 0));
    left_.assign(rows, INT_MAX);
    right_.assign(rows, INT_MIN);
    top_ = INT_MAX;
    bottom_ = INT_MIN;
}

void RowSpans::Add(int y, int left, int right) {
    if (y < 0 || y >= static_cast<int>(left_.size()) || left > right) return;
    int& l = left_[static_cast<size_t>(y)];
    int& r = right_[static_cast<size_t>(y)];
    l = std::min(l, left);
    r = std::max(r, right);
    top_ = std::min(top_, y);
    bottom_ = std::max(bottom_, y);
}

void RowSpans::Add(const QRect& rect) {
    if (rect.isEmpty()) return;
    const int first = std::max(rect.top(), 0);
    const int last = std::min(rect.bottom(), static_cast<int>(left_.size()) - 1);
    for (int y = first; y <= last; ++y) Add(y, rect.left(), rect.right());
}

void RowSpans::AddLine(const QLineF& line, double margin) {
    const double x1 = line.x1(), y1 = line.y1(), x2 = line.x2(), y2 = line.y2();
    const double low = std::min(y1, y2), high = std::max(y1, y2);
    const int rows = static_cast<int>(left_.size());
    const int first = std::max(static_cast<int>(std::floor(low - margin)), 0);
    const int last = std::min(static_cast<int>(std::ceil(high + margin)), rows - 1);
    for (int y = first; y <= last; ++y) {
        // The part of the segment within `margin` rows of y, widened by the margin.
        double xa = x1, xb = x2;
        if (y1 != y2) {
            const double from = std::clamp(y - margin, low, high);
            const double to = std::clamp(y + margin, low, high);
            const double slope = (x2 - x1) / (y2 - y1);
            xa = x1 + (from - y1) * slope;
            xb = x1 + (to - y1) * slope;
        }
        Add(y, static_cast<int>(std::floor(std::min(xa, xb) - margin)), static_cast<int>(std::ceil(std::max(xa, xb) + margin)));
    }
}

void RowSpans::Merge(const RowSpans& other) {
    other.ForEach([this](int y, int left, int right) { Add(y, left, right); });
}

void RowSpans::Clear() {
    for (int y = top_; y <= bottom_; ++y) {
        left_[static_cast<size_t>(y)] = INT_MAX;
        right_[static_cast<size_t>(y)] = INT_MIN;
    }
    top_ = INT_MAX;
    bottom_ = INT_MIN;
}

QRect RowSpans::bounds() const {
    if (empty()) return {};
    int left = INT_MAX, right = INT_MIN;
    ForEach([&](int, int l, int r) {
        left = std::min(left, l);
        right = std::max(right, r);
    });
    return QRect(QPoint(left, top_), QPoint(right, bottom_));
}

}  // namespace tessmet
