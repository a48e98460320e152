#pragma once

#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>

namespace lumora {

// The numbers behind showing a picture in a window at a zoom percentage: pure functions, so the
// imaging library and its tests share them. Sizes are in window pixels unless they say image.

// How a fit chooses the zoom; the values are the ones the image pane passes.
enum class FitMode { Window = 0, Width = 1, Height = 2, ActualSize = 3 };

// Each side of `source` times percent / 100, truncated, and never below 1 pixel.
QSize ZoomedSize(QSize source, int zoomPercent);

// The zoom percentage (at least 1, truncated so the fitted sides never exceed the client) that
// fits `source` into a client area of `client`:
// - Window: the whole picture, no scroll bar;
// - Width: the picture's width fills the client width; when the height then overflows, the
//   vertical scroll bar's `scrollBarExtent` is taken off the width first, so no horizontal bar
//   appears;
// - Height: likewise with the height and the horizontal scroll bar;
// - ActualSize: 100.
int FitZoomPercent(FitMode mode, QSize source, QSize client, int scrollBarExtent);

// Which scroll bars a zoomed picture needs in a client area, and what is left to show it in.
struct ScrollLayout {
    bool horizontalBar = false;
    bool verticalBar = false;
    QSize viewport;    // the client area less the bars shown
    QSize range;       // the largest scroll position on each axis (0 without a bar)
};

// A bar appears when the picture is wider (taller) than the area; one bar can make the other
// necessary, as it takes `scrollBarExtent` pixels of the area.
ScrollLayout LayOutScrolling(QSize zoomed, QSize client, int scrollBarExtent);

// Where the zoomed picture lies in the viewport: scrolled by `scroll`, or, with `centred`, in
// the middle of each axis on which it is smaller than the viewport.
QRect DisplayRect(QSize zoomed, QSize viewport, QPoint scroll, bool centred);

// What one scroll request does to a position (0..maximum): the action codes are those of the
// window system's scroll messages, which the image pane hands on unchanged.
enum class ScrollAction {
    LineBack = 0,
    LineForward = 1,
    PageBack = 2,
    PageForward = 3,
    ToPosition = 4,  // the thumb was released at `position`
    Track = 5,       // the thumb is being dragged, now at `position`
    ToStart = 6,
    ToEnd = 7,
    EndScroll = 8,   // the end of a series of requests: no movement
};
// A line is a tenth of the page (at least one pixel).
int ScrolledPosition(ScrollAction action, int current, int position, int page, int maximum);

// The part of the picture (image pixels) that a magnifier lens of `lens` pixels at `factor`
// shows when it stands at window point `at`: the window area of lens / factor around the point,
// mapped through the display rectangle back onto the picture's `sourceArea`.
QRectF MagnifierSource(QPoint at, QSize lens, int factor, QRect display, QRect sourceArea);

// The image pane's zoom steps: in adds 25 and stops at 500; out takes 25 away and stops at 50.
// A fit may leave any percentage; the next step starts from it (37: in 62, out 50).
int ZoomInPercent(int zoomPercent);
int ZoomOutPercent(int zoomPercent);

}  // namespace lumora
