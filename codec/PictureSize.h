#pragma once

namespace codec {

// Width and height of a picture as its file states them, in pixels.
struct PictureSize {
    int width = 0;
    int height = 0;
};

}  // namespace codec
