#pragma once

#include "viewer/core/CameraProperties.h"
#include "viewer/core/CaptureFrame.h"

namespace lumora {

// What the simulated camera looks at: a stained tissue section with round cells and a stage
// micrometer ruler (a tick every 10 units, longer ones every 50 and 100), seen through a
// microscope whose stage drifts slowly. One world unit is one pixel of a 640 x 480 frame at
// zoom 100, so every frame size shows the same field and a larger zoom magnifies it.
struct SpecimenView {
    double centreX = 0.0;  // world point in the middle of the frame
    double centreY = 0.0;
    int zoom = 100;        // 100 = no magnification
};

// The view of the drifting stage at a frame number (25 frames a second).
SpecimenView DriftingView(uint64_t frameNumber, int zoom);

// Draws the specimen into `frame` (its width, height and bytes set) as bottom-up BGR, with the
// processing values applied: brightness, contrast, gamma and backlight compensation to the
// levels, hue and saturation to the colours, white balance as a red-blue tint (neutral at
// 10000). Sharpness is kept by the camera but not simulated.
void RenderSpecimen(Frame& frame, const SpecimenView& view, const CameraProperties& properties);

}  // namespace lumora
