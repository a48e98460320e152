#include "viewer/imaging/ImageLayout.h"

#include <algorithm>
#include <cstdint>

namespace lumora {
namespace {

int Scaled(int side, int zoomPercent) {
    return static_cast<int>(std::max<int64_t>(1, int64_t{side} * zoomPercent / 100));
}

// The largest percentage p with trunc(source * p / 100) <= available.
int FittingPercent(int available, int source) {
    if (source <= 0) return 100;
    return static_cast<int>(std::max<int64_t>(1, int64_t{std::max(available, 0)} * 100 / source));
}

}  // namespace

QSize ZoomedSize(QSize source, int zoomPercent) {
    if (source.isEmpty()) return {0, 0};
    const int zoom = std::max(zoomPercent, 1);
    return {Scaled(source.width(), zoom), Scaled(source.height(), zoom)};
}

int FitZoomPercent(FitMode mode, QSize source, QSize client, int scrollBarExtent) {
    if (source.isEmpty()) return 100;
    switch (mode) {
        case FitMode::Window:
            return std::min(FittingPercent(client.width(), source.width()),
                            FittingPercent(client.height(), source.height()));
        case FitMode::Width: {
            const int zoom = FittingPercent(client.width(), source.width());
            if (ZoomedSize(source, zoom).height() <= client.height()) return zoom;
            return FittingPercent(client.width() - scrollBarExtent, source.width());
        }
        case FitMode::Height: {
            const int zoom = FittingPercent(client.height(), source.height());
            if (ZoomedSize(source, zoom).width() <= client.width()) return zoom;
            return FittingPercent(client.height() - scrollBarExtent, source.height());
        }
        case FitMode::ActualSize:
            break;
    }
    return 100;
}

ScrollLayout LayOutScrolling(QSize zoomed, QSize client, int scrollBarExtent) {
    ScrollLayout layout;
    layout.horizontalBar = zoomed.width() > client.width();
    layout.verticalBar = zoomed.height() > client.height();
    if (layout.horizontalBar && !layout.verticalBar)
        layout.verticalBar = zoomed.height() > client.height() - scrollBarExtent;
    if (layout.verticalBar && !layout.horizontalBar)
        layout.horizontalBar = zoomed.width() > client.width() - scrollBarExtent;
    layout.viewport = QSize(std::max(0, client.width() - (layout.verticalBar ? scrollBarExtent : 0)),
                            std::max(0, client.height() - (layout.horizontalBar ? scrollBarExtent : 0)));
    layout.range = QSize(std::max(0, zoomed.width() - layout.viewport.width()),
                         std::max(0, zoomed.height() - layout.viewport.height()));
    return layout;
}

QRect DisplayRect(QSize zoomed, QSize viewport, QPoint scroll, bool centred) {
    const auto origin = [centred](int picture, int view, int scrolled) {
        return centred && picture < view ? (view - picture) / 2 : -scrolled;
    };
    return {QPoint(origin(zoomed.width(), viewport.width(), scroll.x()),
                   origin(zoomed.height(), viewport.height(), scroll.y())),
            zoomed};
}

int ScrolledPosition(ScrollAction action, int current, int position, int page, int maximum) {
    const int line = std::max(1, page / 10);
    int next = current;
    switch (action) {
        case ScrollAction::LineBack: next = current - line; break;
        case ScrollAction::LineForward: next = current + line; break;
        case ScrollAction::PageBack: next = current - std::max(page, 1); break;
        case ScrollAction::PageForward: next = current + std::max(page, 1); break;
        case ScrollAction::ToPosition:
        case ScrollAction::Track: next = position; break;
        case ScrollAction::ToStart: next = 0; break;
        case ScrollAction::ToEnd: next = maximum; break;
        case ScrollAction::EndScroll: break;
    }
    return std::clamp(next, 0, std::max(maximum, 0));
}

QRectF MagnifierSource(QPoint at, QSize lens, int factor, QRect display, QRect sourceArea) {
    if (display.isEmpty() || sourceArea.isEmpty()) return {};
    const double f = std::max(factor, 1);
    const double w = lens.width() / f, h = lens.height() / f;
    const double sx = double(sourceArea.width()) / display.width();
    const double sy = double(sourceArea.height()) / display.height();
    return {sourceArea.left() + (at.x() - w / 2 - display.left()) * sx,
            sourceArea.top() + (at.y() - h / 2 - display.top()) * sy, w * sx, h * sy};
}

int ZoomInPercent(int zoomPercent) { return std::min(zoomPercent + 25, 500); }

int ZoomOutPercent(int zoomPercent) { return std::max(zoomPercent - 25, 50); }

}  // namespace lumora
