#pragma once

#include <QImage>

#include <cstdint>

namespace lumora {

class StillBuffer;

// Camera pixels (bottom-up rows of blue, green, red, width * 3 bytes each) into a picture the
// screen can paint directly (32-bit RGB, top-down). The image keeps its storage when the size
// is unchanged, so a live stream converts frame after frame without allocating.
void FrameToImage(const uint8_t* bottomUpBgr, int width, int height, QImage& image);

// The picture in the still buffer as its header describes it; a null image when the header
// holds no usable size.
QImage StillToImage(const StillBuffer& still);

// A still brought to 640 x 480 (the camera takes the smallest still at 800 x 600).
QImage ReduceStill(const QImage& still);

}  // namespace lumora
