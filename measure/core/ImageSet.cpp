#include "measure/core/ImageSet.h"

#include <algorithm>
#include <utility>

namespace tessmet {

ImageSet ImageSet::FromPicture(Dib picture) {
    ImageSet set;
    if (picture.isNull()) return set;
    set.display_ = picture;
    set.processing_ = Dib(picture.width(), picture.height(), picture.bitsPerPixel());
    set.original_ = std::move(picture);
    return set;
}

void ComposeOriginalOnly(ImageSet& images) {
    if (images.isNull() || !images.display().sameLayout(images.original())) return;
    const Dib& original = images.original();
    std::copy(original.bits(), original.bits() + original.sizeBytes(), images.display().bits());
}

}  // namespace tessmet
