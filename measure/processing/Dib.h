#pragma once

#include "codec/Dib.h"

namespace tessmet {

// Tessmet's bitmaps are the picture codec's: the readers fill them, the writers take them, and
// the pixel access and the drawing layer work on their rows.
using codec::Dib;

}  // namespace tessmet
