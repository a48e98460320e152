#include "measure/core/ViewMapping.h"

#include "measure/core/NumberText.h"

#include <algorithm>

namespace tessmet {
namespace {

int ToImageAxis(int v, double zoom, int size) {
    const int i = TruncateToInt(v / zoom);
    return std::clamp(i, 0, std::max(size - 1, 0));
}

}  // namespace

Point ToImage(Point view, double zoom, int imageWidth, int imageHeight) {
    if (!(zoom > 0.0)) zoom = 1.0;
    return {ToImageAxis(view.x, zoom, imageWidth), ToImageAxis(view.y, zoom, imageHeight)};
}

Point ToView(Point image, double zoom) {
    return {TruncateToInt(image.x * zoom), TruncateToInt(image.y * zoom)};
}

}  // namespace tessmet
