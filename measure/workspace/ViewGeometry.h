#pragma once

#include <QPoint>
#include <QSize>

namespace tessmet {

// Display magnification of an image window: 1.0 at load, stepped by 0.25 within 0.25..8.0 by
// the zoom commands, or set to any value by the zoom dialog.
namespace Zoom {
constexpr double Step = 0.25;
constexpr double Min = 0.25;
constexpr double Max = 8.0;
constexpr bool CanZoomUp(double zoom) { return zoom <= Max - Step; }
constexpr bool CanZoomDown(double zoom) { return zoom >= Min + Step; }
}  // namespace Zoom

// View (scrolled client) and image coordinates for one image window, in Qt's types, over the
// engine's ToImage / ToView: view to image truncates v / zoom and clamps to the image.
class ViewMapping {
public:
    ViewMapping(QSize imageSize, double zoom) : image_(imageSize), zoom_(zoom) {}

    QPoint toImage(QPoint view) const;
    int toImageX(int viewX) const;
    int toImageY(int viewY) const;
    QPoint toView(QPoint image) const;

    // Scroll range at this zoom: the zoomed image size, truncated.
    QSize scrollRange() const;
    double zoom() const { return zoom_; }
    QSize imageSize() const { return image_; }
    // True while a client point lies on the zoomed image (edges included).
    bool onImage(QPoint view) const;

private:
    QSize image_;
    double zoom_;
};

// Scroll position after a zoom change that keeps the image point at the centre of the client
// area where it was: trunc(new * (old centre / old)) - half the client, per axis, then limited
// to the new scroll range.
QPoint ScrollAfterZoom(QPoint oldScroll, QSize client, double oldZoom, double newZoom, QSize newRange);

// Scroll position that brings a scrolled point to the centre of the client area, as far as the
// scroll range allows.
QPoint ScrollToCentre(QPoint scrolledPoint, QSize client, QSize range);

// The range-limited scroll position.
QPoint ClampScroll(QPoint scroll, QSize client, QSize range);

}  // namespace tessmet
