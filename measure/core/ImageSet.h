#pragma once

#include "measure/processing/Dib.h"

#include <functional>

namespace tessmet {

// The three same-sized bitmaps of one open image, owned by its view:
// - display: what is shown and what is saved, recomposed from the layers;
// - original: the pixels as loaded, never changed;
// - processing: the image-processing layer, cleared to 0 at load.
// All three have the image's width, height, stride and depth (a JPEG loads as 24 bits).
class ImageSet {
public:
    ImageSet() = default;

    // The set for one decoded picture: the original keeps it, the display starts as a copy (the
    // original layer alone) and the processing layer is cleared. The file is decoded once; the
    // copies are what decoding it three times would give. May throw std::bad_alloc.
    static ImageSet FromPicture(Dib picture);

    // Null unless all three bitmaps exist (a copy can fail for want of memory).
    bool isNull() const { return original_.isNull() || display_.isNull() || processing_.isNull(); }
    int width() const { return original_.width(); }
    int height() const { return original_.height(); }
    int bitsPerPixel() const { return original_.bitsPerPixel(); }

    Dib& display() { return display_; }
    const Dib& display() const { return display_; }
    const Dib& original() const { return original_; }
    Dib& processing() { return processing_; }
    const Dib& processing() const { return processing_; }

private:
    Dib display_;
    Dib original_;
    Dib processing_;
};

// The view's "rebuild the layers" step, which recomposes the display bitmap from the layers.
// Save calls it after writing a JPEG.
using RebuildHook = std::function<void(ImageSet&)>;

// The composition with every layer but the original picture empty, as right after loading:
// the display becomes a copy of the original. Stands in for the view's composition where no
// view exists (the command line).
void ComposeOriginalOnly(ImageSet& images);

}  // namespace tessmet
