#include "measure/workspace/DisplayScaler.h"

#include "measure/core/NumberText.h"
#include "platform/BgrPixels.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

namespace tessmet {
namespace {

constexpr QRgb kBlack = 0xFF000000u;

// Below this many image pixels a shrink is quicker on one thread than the start of another.
constexpr double kPixelsPerThread = 1 << 20;

// A 5-bit channel widened as the pixel access reads it: c * 255 / 31.
constexpr uint32_t Widen5(uint32_t c) { return c * 255u / 31u; }

template <int Bits>
inline void ReadBgr(const uint8_t* row, int x, uint32_t& b, uint32_t& g, uint32_t& r) {
    if constexpr (Bits == 16) {
        const uint32_t v = static_cast<uint32_t>(row[2 * x]) | (static_cast<uint32_t>(row[2 * x + 1]) << 8);
        r = Widen5((v >> 10) & 31u);
        g = Widen5((v >> 5) & 31u);
        b = Widen5(v & 31u);
    } else {
        const uint8_t* p = row + static_cast<size_t>(x) * (Bits / 8);
        b = p[0];
        g = p[1];
        r = p[2];
    }
}

template <int Bits>
inline QRgb ReadRgb(const uint8_t* row, int x) {
    uint32_t b, g, r;
    ReadBgr<Bits>(row, x, b, g, r);
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// The first image index of view position v: trunc(v / zoom). View pixel v shows the block of
// image pixels [Start(v), Start(v + 1)), whose first pixel is the one a click on v selects.
int Start(int v, double zoom) { return v <= 0 ? 0 : TruncateToInt(v / zoom); }

// Pixels first .. first + count - 1 of a row as 32-bit RGB.
template <int Bits>
inline void CopyRow(const uint8_t* row, int first, int count, QRgb* out) {
    if constexpr (Bits == 24) {
        platform::Bgr24ToRgb32(row + static_cast<size_t>(first) * 3, count, out);
    } else if constexpr (Bits == 32) {
        const uint8_t* p = row + static_cast<size_t>(first) * 4;
        for (int x = 0; x < count; ++x, p += 4) {
            uint32_t w;
            std::memcpy(&w, p, 4);
            out[x] = 0xFF000000u | (w & 0xFFFFFFu);
        }
    } else {
        for (int x = 0; x < count; ++x) out[x] = ReadRgb<Bits>(row, first + x);
    }
}

// The rows of a 32-bit target, taken once so that several threads can write their own rows
// (QImage::scanLine may detach and counts detaches, which is not for concurrent callers).
struct TargetRows {
    uchar* bits;
    qsizetype stride;
    QRgb* row(int y) const { return reinterpret_cast<QRgb*>(bits + stride * y); }
};

// One run of view pixels showing the same image column.
struct ColumnRun {
    int column;
    int length;
};

template <int Bits>
void StretchRows(const Dib& display, const std::vector<ColumnRun>& runs, int visibleColumns, bool oneToOne,
                 double zoom, int sy, QImage& target) {
    int previousRow = -1;
    const QRgb* previousOut = nullptr;
    for (int y = 0; y < target.height(); ++y) {
        QRgb* out = reinterpret_cast<QRgb*>(target.scanLine(y));
        const long long vy = static_cast<long long>(sy) + y;
        const int iy = vy < 0 ? -1 : TruncateToInt(static_cast<double>(vy) / zoom);
        if (iy < 0 || iy >= display.height()) {
            std::fill(out, out + target.width(), kBlack);
            continue;
        }
        if (iy == previousRow) {
            // Enlarged: the rows of one image row are the same.
            std::memcpy(out, previousOut, static_cast<size_t>(target.width()) * sizeof(QRgb));
            continue;
        }
        const uint8_t* row = display.row(iy);
        if (oneToOne) {
            const int first = runs.empty() ? 0 : runs.front().column;
            CopyRow<Bits>(row, first, visibleColumns, out);
        } else {
            QRgb* o = out;
            for (const ColumnRun& run : runs) {
                const QRgb value = ReadRgb<Bits>(row, run.column);
                for (int k = 0; k < run.length; ++k) *o++ = value;
            }
        }
        std::fill(out + visibleColumns, out + target.width(), kBlack);
        previousRow = iy;
        previousOut = out;
    }
}

// Shrinking by a whole factor n (zoom 0.5, 0.25): every block is n x n pixels, except at the
// right and bottom edges, and the columns need no table.
template <int Bits>
void ShrinkRowsByFactor(const Dib& display, int n, const TargetRows& target, const QRect& rect) {
    const int left = rect.left(), width = rect.width();
    std::vector<uint32_t> sums(static_cast<size_t>(width) * 3);
    for (int dy = rect.top(); dy <= rect.bottom(); ++dy) {
        const int firstRow = std::min(dy * n, display.height());
        const int endRow = std::min(firstRow + n, display.height());
        std::fill(sums.begin(), sums.end(), 0u);
        for (int j = firstRow; j < endRow; ++j) {
            const uint8_t* row = display.row(j);
            for (int d = 0; d < width; ++d) {
                const int begin = (left + d) * n;
                const int end = std::min(begin + n, display.width());
                uint32_t* s = &sums[static_cast<size_t>(d) * 3];
                uint32_t sb = 0, sg = 0, sr = 0;
                for (int i = begin; i < end; ++i) {
                    uint32_t b, g, r;
                    ReadBgr<Bits>(row, i, b, g, r);
                    sb += b;
                    sg += g;
                    sr += r;
                }
                s[0] += sb;
                s[1] += sg;
                s[2] += sr;
            }
        }
        QRgb* out = target.row(dy) + left;
        const uint32_t rows = static_cast<uint32_t>(std::max(endRow - firstRow, 0));
        for (int d = 0; d < width; ++d) {
            const int begin = (left + d) * n;
            const uint32_t count = rows * static_cast<uint32_t>(std::max(std::min(begin + n, display.width()) - begin, 0));
            if (count == 0) {
                out[d] = kBlack;
                continue;
            }
            const uint32_t* s = &sums[static_cast<size_t>(d) * 3];
            out[d] = 0xFF000000u | ((s[2] / count) << 16) | ((s[1] / count) << 8) | (s[0] / count);
        }
    }
}

// The whole factor 1 / zoom, or 0 when it is not one.
int WholeFactor(double zoom) {
    const double n = 1.0 / zoom;
    const int whole = static_cast<int>(n);
    if (whole < 2 || static_cast<double>(whole) != n) return 0;
    // Every block must start where the view mapping puts it.
    for (int v = 1; v < 64; ++v) {
        if (Start(v, zoom) != v * whole) return 0;
    }
    return whole;
}

template <int Bits>
void ShrinkRows(const Dib& display, double zoom, const TargetRows& target, const QRect& rect) {
    if (const int n = WholeFactor(zoom)) {
        ShrinkRowsByFactor<Bits>(display, n, target, rect);
        return;
    }
    const int left = rect.left(), width = rect.width();
    const int firstColumn = std::min(Start(left, zoom), display.width());
    const int endColumn = std::min(Start(rect.right() + 1, zoom), display.width());
    if (firstColumn >= endColumn) return;

    // Image column -> target column (minus left), and the width of every block.
    std::vector<int> slot(static_cast<size_t>(endColumn - firstColumn));
    std::vector<uint32_t> columnCount(static_cast<size_t>(width), 0);
    for (int d = 0; d < width; ++d) {
        const int begin = std::min(Start(left + d, zoom), display.width());
        const int end = std::min(Start(left + d + 1, zoom), display.width());
        for (int i = begin; i < end; ++i) slot[static_cast<size_t>(i - firstColumn)] = d;
        columnCount[static_cast<size_t>(d)] = static_cast<uint32_t>(std::max(end - begin, 0));
    }
    std::vector<uint32_t> sums(static_cast<size_t>(width) * 3);
    for (int dy = rect.top(); dy <= rect.bottom(); ++dy) {
        const int firstRow = std::min(Start(dy, zoom), display.height());
        const int endRow = std::min(Start(dy + 1, zoom), display.height());
        QRgb* out = target.row(dy) + left;
        if (firstRow >= endRow) {
            std::fill(out, out + width, kBlack);
            continue;
        }
        std::fill(sums.begin(), sums.end(), 0u);
        for (int j = firstRow; j < endRow; ++j) {
            const uint8_t* row = display.row(j);
            for (int i = firstColumn; i < endColumn; ++i) {
                uint32_t b, g, r;
                ReadBgr<Bits>(row, i, b, g, r);
                uint32_t* s = &sums[static_cast<size_t>(slot[static_cast<size_t>(i - firstColumn)]) * 3];
                s[0] += b;
                s[1] += g;
                s[2] += r;
            }
        }
        const uint32_t rows = static_cast<uint32_t>(endRow - firstRow);
        for (int d = 0; d < width; ++d) {
            const uint32_t n = rows * columnCount[static_cast<size_t>(d)];
            if (n == 0) {
                out[d] = kBlack;
                continue;
            }
            const uint32_t* s = &sums[static_cast<size_t>(d) * 3];
            out[d] = 0xFF000000u | ((s[2] / n) << 16) | ((s[1] / n) << 8) | (s[0] / n);
        }
    }
}

}  // namespace

int ZoomedLength(int imageLength, double zoom) {
    if (imageLength <= 0 || !(zoom > 0.0)) return 0;
    int v = std::max(TruncateToInt(std::ceil(imageLength * zoom)), 1);
    while (v > 0 && Start(v - 1, zoom) >= imageLength) --v;
    while (Start(v, zoom) < imageLength) ++v;
    return v;
}

void StretchVisible(const Dib& display, double zoom, QPoint scroll, QImage& target) {
    if (target.isNull()) return;
    if (display.isNull() || !(zoom > 0.0)) {
        target.fill(kBlack);
        return;
    }
    // The visible view columns left of the image are none (scroll positions are not negative
    // unless the client area is larger than the image, and then they are 0).
    std::vector<ColumnRun> runs;
    int visibleColumns = 0;
    for (int x = 0; x < target.width(); ++x) {
        const long long vx = static_cast<long long>(scroll.x()) + x;
        const int ix = vx < 0 ? -1 : TruncateToInt(static_cast<double>(vx) / zoom);
        if (ix < 0 || ix >= display.width()) break;
        if (!runs.empty() && runs.back().column == ix) {
            ++runs.back().length;
        } else {
            runs.push_back({ix, 1});
        }
        visibleColumns = x + 1;
    }
    const bool oneToOne = zoom == 1.0;
    switch (display.bitsPerPixel()) {
        case 16: StretchRows<16>(display, runs, visibleColumns, oneToOne, zoom, scroll.y(), target); break;
        case 24: StretchRows<24>(display, runs, visibleColumns, oneToOne, zoom, scroll.y(), target); break;
        case 32: StretchRows<32>(display, runs, visibleColumns, oneToOne, zoom, scroll.y(), target); break;
        default: target.fill(kBlack); break;
    }
}

void ShrinkAveraged(const Dib& display, double zoom, QImage& target, const QRect& targetRect) {
    const QRect rect = targetRect & target.rect();
    if (rect.isEmpty() || display.isNull() || !(zoom > 0.0)) return;
    const TargetRows rows{target.bits(), target.bytesPerLine()};
    const auto shrink = [&display, zoom, rows](const QRect& part) {
        switch (display.bitsPerPixel()) {
            case 16: ShrinkRows<16>(display, zoom, rows, part); break;
            case 24: ShrinkRows<24>(display, zoom, rows, part); break;
            case 32: ShrinkRows<32>(display, zoom, rows, part); break;
            default: break;
        }
    };
    // Every target row reads its own image rows and writes its own target row, so a large
    // rectangle is shared out between the cores by rows.
    const double imagePixels = static_cast<double>(rect.width()) * rect.height() / (zoom * zoom);
    const unsigned cores = std::min(std::max(std::thread::hardware_concurrency(), 1u), 8u);
    if (cores < 2 || rect.height() < 2 * static_cast<int>(cores) || imagePixels < kPixelsPerThread) {
        shrink(rect);
        return;
    }
    const int parts = static_cast<int>(cores);
    std::vector<std::thread> helpers;
    helpers.reserve(static_cast<size_t>(parts - 1));
    int top = rect.top();
    for (int k = 0; k < parts; ++k) {
        const int bottom = rect.top() + static_cast<int>(static_cast<long long>(rect.height()) * (k + 1) / parts) - 1;
        const QRect part(QPoint(rect.left(), top), QPoint(rect.right(), bottom));
        top = bottom + 1;
        if (k + 1 < parts) {
            helpers.emplace_back(shrink, part);
        } else {
            shrink(part);
        }
    }
    for (std::thread& helper : helpers) helper.join();
}

void DisplayScaler::Invalidate() {
    shrunkValid_ = false;
    dirty_ = QRegion();
}

void DisplayScaler::Invalidate(const QRect& imageRect) {
    if (shrunkValid_) dirty_ |= imageRect;
}

void DisplayScaler::ensureShrunk(const Dib& display, double zoom) {
    const QSize size(ZoomedLength(display.width(), zoom), ZoomedLength(display.height(), zoom));
    if (shrunkValid_ && shrunkZoom_ == zoom && shrunk_.size() == size) {
        if (dirty_.isEmpty()) return;
        // Only the target pixels whose blocks touch the changed image pixels.
        const QRegion changed = dirty_ & QRect(0, 0, display.width(), display.height());
        dirty_ = QRegion();
        for (const QRect& rect : changed) {
            // Block v starts at trunc(v / zoom), so the blocks that hold the changed pixels lie
            // within one pixel of their positions times the zoom.
            const QRect target(QPoint(TruncateToInt(rect.left() * zoom) - 1, TruncateToInt(rect.top() * zoom) - 1),
                               QPoint(TruncateToInt(rect.right() * zoom) + 1, TruncateToInt(rect.bottom() * zoom) + 1));
            ShrinkAveraged(display, zoom, shrunk_, target);
        }
        return;
    }
    if (shrunk_.size() != size) shrunk_ = QImage(size, QImage::Format_RGB32);
    shrunkZoom_ = zoom;
    dirty_ = QRegion();
    shrunkValid_ = !shrunk_.isNull();
    if (shrunkValid_) ShrinkAveraged(display, zoom, shrunk_, shrunk_.rect());
}

QImage& DisplayScaler::Render(const Dib& display, double zoom, QPoint scroll, QSize client) {
    if (frame_.size() != client) frame_ = QImage(client, QImage::Format_RGB32);
    if (frame_.isNull()) return frame_;
    if (display.isNull() || !(zoom > 0.0) || zoom >= 1.0) {
        StretchVisible(display, zoom, scroll, frame_);
        return frame_;
    }
    ensureShrunk(display, zoom);
    if (!shrunkValid_) {
        StretchVisible(display, zoom, scroll, frame_);
        return frame_;
    }
    const int sx = scroll.x(), sy = scroll.y();
    for (int y = 0; y < frame_.height(); ++y) {
        QRgb* out = reinterpret_cast<QRgb*>(frame_.scanLine(y));
        const int vy = sy + y;
        int copied = 0;
        if (vy >= 0 && vy < shrunk_.height() && sx >= 0 && sx < shrunk_.width()) {
            copied = std::min(frame_.width(), shrunk_.width() - sx);
            std::memcpy(out, reinterpret_cast<const QRgb*>(shrunk_.constScanLine(vy)) + sx,
                        static_cast<size_t>(copied) * sizeof(QRgb));
        }
        std::fill(out + copied, out + frame_.width(), kBlack);
    }
    return frame_;
}

}  // namespace tessmet
