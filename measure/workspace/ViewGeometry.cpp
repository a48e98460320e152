#include "measure/workspace/ViewGeometry.h"

#include "measure/core/NumberText.h"
#include "measure/core/ViewMapping.h"

#include <algorithm>

namespace tessmet {

int ViewMapping::toImageX(int viewX) const { return toImage(QPoint(viewX, 0)).x(); }

int ViewMapping::toImageY(int viewY) const { return toImage(QPoint(0, viewY)).y(); }

QPoint ViewMapping::toImage(QPoint view) const {
    const Point p = ToImage(Point{view.x(), view.y()}, zoom_, image_.width(), image_.height());
    return {p.x, p.y};
}

QPoint ViewMapping::toView(QPoint image) const {
    const Point p = ToView(Point{image.x(), image.y()}, zoom_);
    return {p.x, p.y};
}

QSize ViewMapping::scrollRange() const {
    return {TruncateToInt(image_.width() * zoom_), TruncateToInt(image_.height() * zoom_)};
}

bool ViewMapping::onImage(QPoint view) const {
    return view.x() >= 0 && view.y() >= 0 && view.x() <= zoom_ * image_.width() &&
           view.y() <= zoom_ * image_.height();
}

QPoint ClampScroll(QPoint scroll, QSize client, QSize range) {
    const int maxX = std::max(range.width() - client.width(), 0);
    const int maxY = std::max(range.height() - client.height(), 0);
    return {std::clamp(scroll.x(), 0, maxX), std::clamp(scroll.y(), 0, maxY)};
}

QPoint ScrollAfterZoom(QPoint oldScroll, QSize client, double oldZoom, double newZoom, QSize newRange) {
    const int halfW = client.width() / 2;
    const int halfH = client.height() / 2;
    const double centreX = oldScroll.x() + halfW;
    const double centreY = oldScroll.y() + halfH;
    const QPoint wanted(TruncateToInt(newZoom * (centreX / oldZoom)) - halfW,
                        TruncateToInt(newZoom * (centreY / oldZoom)) - halfH);
    return ClampScroll(wanted, client, newRange);
}

QPoint ScrollToCentre(QPoint scrolledPoint, QSize client, QSize range) {
    return ClampScroll(scrolledPoint - QPoint(client.width() / 2, client.height() / 2), client, range);
}

}  // namespace tessmet
