#pragma once

#include "measure/processing/Dib.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>

namespace tessmet {

// The view's off-screen copy: the visible part of the display bitmap at the zoom, in 32-bit
// RGB, as large as the client area. View pixel (x, y) shows the image pixel
// (trunc((sx + x) / zoom), trunc((sy + y) / zoom)), the same pixel a click there selects;
// whatever lies beyond the image is black.
//
// Enlarging shows every image pixel as a block, which is what the half-tone stretch does when
// it enlarges and what a measuring user needs to see. Shrinking averages each block of image
// pixels (the half-tone stretch's smoothing); since that reads the whole image, the shrunken
// image is kept between paints and made again only after the display changed (Invalidate) or
// the zoom did. Every paint then copies only the visible part.
class DisplayScaler {
public:
    // The display bitmap changed: everywhere, or within one rectangle of image pixels.
    void Invalidate();
    void Invalidate(const QRect& imageRect);

    // The off-screen copy for this scroll position and client size. The image stays valid (and
    // may be drawn on) until the next call.
    QImage& Render(const Dib& display, double zoom, QPoint scroll, QSize client);

    // Whether a shrunken image is kept for this zoom (tests and benchmarks).
    bool holdsShrunkImage(double zoom) const { return shrunkValid_ && shrunkZoom_ == zoom; }

private:
    void ensureShrunk(const Dib& display, double zoom);

    QImage frame_;
    QImage shrunk_;
    double shrunkZoom_ = 0.0;
    bool shrunkValid_ = false;
    QRegion dirty_;  // image pixels changed since the shrunken image was made
};

// The number of view pixels per axis that show part of an image of `imageLength` pixels: those v
// with v / zoom < imageLength.
int ZoomedLength(int imageLength, double zoom);

// Writes the client area (the size of `target`, Format_RGB32) from the display bitmap, one
// image pixel per view pixel block.
void StretchVisible(const Dib& display, double zoom, QPoint scroll, QImage& target);

// The shrunken image (ZoomedLength on both axes, Format_RGB32) for zoom < 1, within
// `targetRect`: target pixel (u, v) is the average of the image block from
// (trunc(u / zoom), trunc(v / zoom)) up to, not including, (trunc((u + 1) / zoom),
// trunc((v + 1) / zoom)), so its first pixel is the one a click there selects.
void ShrinkAveraged(const Dib& display, double zoom, QImage& target, const QRect& targetRect);

}  // namespace tessmet
