#pragma once

#include "measure/processing/Dib.h"

#include <QImage>

namespace tessmet {

// A QImage over the bitmap's own pixels, no copy: RGB555 for 16 bits, BGR888 for 24 bits,
// RGB32 for 32 bits (rows are top-down in both). Valid while the bitmap lives unchanged in
// size; a null image for a null bitmap or another depth.
QImage DibImage(Dib& dib);

// Read-only view of the same kind, for scaling the display bitmap onto the screen.
QImage DibImage(const Dib& dib);

}  // namespace tessmet
