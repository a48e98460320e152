// tessmet-cli calibration IMAGE [--size WxH]
// Sets up the calibration of IMAGE exactly as Tessmet does when it opens the image: the
// calibration file first, then the magnification sidecar. The image size comes from the
// picture, opened as Tessmet opens it; --size overrides it (and then the picture is not read).

#include "measure/cli/Commands.h"
#include "measure/cli/Json.h"
#include "measure/core/CalibrationLoader.h"
#include "measure/core/ImageLoader.h"
#include "measure/core/UnitFormat.h"

#include <cstdio>

namespace tessmet::cli {

int RunCalibration(const Args& args) {
    std::string image;
    int width = 0;
    int height = 0;
    bool haveSize = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--size") {
            if (i + 1 >= args.size()) throw UsageError{"--size needs a value"};
            ParseSize(args[++i], width, height);
            haveSize = true;
        } else if (!args[i].empty() && args[i][0] == '-' && args[i] != "-") {
            throw UsageError{"unknown option '" + args[i] + "'"};
        } else if (image.empty()) {
            image = args[i];
        } else {
            throw UsageError{"more than one image given"};
        }
    }
    if (image.empty()) throw UsageError{"no image given"};
    if (!haveSize) {
        ImageSet images;
        Calibration loaded;
        if (const int refused = LoadImage(image, images, loaded); refused != 0) return PrintError(refused);
        width = images.width();
        height = images.height();
    }

    Calibration calibration;
    const CalibrationSource source = InitialiseCalibration(calibration, image, width, height);
    const char* sourceName = source == CalibrationSource::Inf ? "inf" : source == CalibrationSource::Mag ? "mag" : "none";

    JsonObject json;
    json.add("unit", calibration.unit)
        .add("hResolution", calibration.hResolution)
        .add("vResolution", calibration.vResolution)
        .add("source", sourceName)
        .add("infPath", calibration.infPath)
        .add("magPath", calibration.magPath)
        .add("resolutionText", ResolutionText(calibration.values()));
    std::printf("%s\n", json.str().c_str());
    return kExitOk;
}

}  // namespace tessmet::cli
