// tessmet-cli save IMAGE OUT [--quality 1..10]
// Opens IMAGE as Tessmet does and writes its composed image to OUT exactly as Save As does:
// the format by OUT's last character, JPEG quality 10 times the setting (default 5).

#include "measure/cli/Commands.h"
#include "measure/cli/Json.h"
#include "measure/core/ImageLoader.h"
#include "measure/core/TessmetDoc.h"

#include <cstdio>

namespace tessmet::cli {
namespace {

int ParseQuality(const std::string& text) {
    size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (...) {
        used = 0;
    }
    if (used != text.size() || text.empty() || value < 1 || value > 10)
        throw UsageError{"bad quality '" + text + "', expected 1..10"};
    return value;
}

}  // namespace

int RunSave(const Args& args) {
    std::string image;
    std::string out;
    int quality = 5;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--quality") {
            if (i + 1 >= args.size()) throw UsageError{"--quality needs a value"};
            quality = ParseQuality(args[++i]);
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            throw UsageError{"unknown option '" + args[i] + "'"};
        } else if (image.empty()) {
            image = args[i];
        } else if (out.empty()) {
            out = args[i];
        } else {
            throw UsageError{"more than two files given"};
        }
    }
    if (image.empty() || out.empty()) throw UsageError{"expected IMAGE and OUT"};

    CTessmetDoc document(image);
    ImageSet images;
    if (const int refused = document.LoadImage(images); refused != 0) return PrintError(refused);

    const SaveResult saved = document.SaveAs(out, images, quality, ComposeOriginalOnly);
    if (!saved.saved()) {
        JsonObject json;
        json.add("error", static_cast<int>(saved.status));
        if (!saved.jpegMessage.empty()) json.add("message", saved.jpegMessage);
        std::printf("%s\n", json.str().c_str());
        return kExitFailure;
    }
    JsonObject json;
    if (saved.format == SaveFormat::Jpeg) {
        json.add("format", "jpeg").add("quality", JpegLibraryQuality(quality));
    } else {
        json.add("format", "bmp").add("bitsPerPixel", images.bitsPerPixel());
    }
    json.add("width", images.width()).add("height", images.height());
    std::printf("%s\n", json.str().c_str());
    return kExitOk;
}

}  // namespace tessmet::cli
