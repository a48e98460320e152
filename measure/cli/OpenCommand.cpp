// tessmet-cli open IMAGE
// Opens IMAGE as Tessmet does (header check for names ending in bmp, one decode into the
// image set) and prints its size and depth, or the message Tessmet would show first.

#include "measure/cli/Commands.h"
#include "measure/cli/Json.h"
#include "measure/core/ImageLoader.h"

#include <cstdio>

namespace tessmet::cli {

int PrintError(int code) {
    std::printf("%s\n", JsonObject().add("error", code).str().c_str());
    return kExitFailure;
}

int RunOpen(const Args& args) {
    if (args.empty()) throw UsageError{"no image given"};
    if (args.size() > 1) throw UsageError{"more than one image given"};
    const std::string& image = args[0];
    if (image.size() > 1 && image[0] == '-') throw UsageError{"unknown option '" + image + "'"};

    ImageSet images;
    Calibration calibration;
    if (const int refused = LoadImage(image, images, calibration); refused != 0) return PrintError(refused);

    JsonObject json;
    json.add("width", images.width()).add("height", images.height()).add("bitsPerPixel", images.bitsPerPixel());
    std::printf("%s\n", json.str().c_str());
    return kExitOk;
}

}  // namespace tessmet::cli
