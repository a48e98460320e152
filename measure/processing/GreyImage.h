#pragma once

#include "measure/processing/Dib.h"
#include "measure/processing/RoiSpans.h"

namespace tessmet {

// Writes the grey level (GreyLevel, the root mean square of the channels) of every region pixel
// of the original picture into the processing layer as (g, g, g); the rest of the layer becomes
// 0. Pure red reads 147. Nothing happens unless the layer has the original's layout.
void GreyImage(const Dib& original, Dib& layer, const RoiSpans& roi);

}  // namespace tessmet
