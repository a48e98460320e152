#include "viewer/cli/Commands.h"

#include "viewer/core/CameraSystems.h"
#include "viewer/core/CaptureDevice.h"
#include "viewer/core/DirectSettings.h"
#include "viewer/core/ViewerPaths.h"
#include "viewer/imaging/CaptureFile.h"
#include "viewer/imaging/FrameImage.h"

#include <cstdio>
#include <optional>

namespace lumora::cli {
namespace {

// Property names on the command line and in the JSON: the CAMERA_PROP keys in lower case.
std::string LowerKey(CameraProperty p) {
    std::string key(CameraPropertyKey(p));
    for (char& c : key)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return key;
}

std::optional<int> ParseInt(const std::string& text) {
    try {
        size_t used = 0;
        const int value = std::stoi(text, &used);
        if (used == text.size()) return value;
    } catch (...) {
    }
    return std::nullopt;
}

void ParseSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find_first_of("xX");
    const auto w = x == std::string::npos ? std::nullopt : ParseInt(text.substr(0, x));
    const auto h = x == std::string::npos ? std::nullopt : ParseInt(text.substr(x + 1));
    if (!w || !h) throw UsageError{"bad size '" + text + "', expected WxH"};
    width = *w;
    height = *h;
}

int CannotFindCamera() {
    std::fputs("Cannot find camera device\n", stderr);
    return kExitFailure;
}

void PrintMessage(CaptureMessage message) { std::fprintf(stderr, "%s\n", CaptureMessageText(message)); }

}  // namespace

int RunCameras(const Args& args) {
    const CommonOptions options = ParseOptions(args, false, false);
    if (!options.positional.empty()) throw UsageError{"takes no arguments"};
    const std::vector<std::string> names = MakeCameraSystem(options.simulate)->DeviceNames();
    if (names.empty()) return CannotFindCamera();
    for (const std::string& name : names) std::printf("%s\n", name.c_str());
    return kExitOk;
}

int RunGrab(const Args& args) {
    CommonOptions options;
    std::string sizeText = "640x480";
    Args rest;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--size") {
            if (i + 1 >= args.size()) throw UsageError{"--size needs a value"};
            sizeText = args[++i];
        } else {
            rest.push_back(args[i]);
        }
    }
    options = ParseOptions(rest, true, false);
    if (options.positional.size() != 1) throw UsageError{"expected one output file, OUT.bmp or OUT.jpg"};
    const std::string out = options.positional.front();
    const auto type = CaptureFileTypeOf(out);
    if (!type) throw UsageError{"the output file must end in .bmp or .jpg"};
    int width = 0, height = 0;
    ParseSize(sizeText, width, height);
    const bool stillSize = (width == 640 && height == 480) || (width == 800 && height == 600) ||
                           (width == 1280 && height == 960) || (width == 1600 && height == 1200);
    if (!stillSize) throw UsageError{"stills are 640x480, 800x600, 1280x960 or 1600x1200"};

    CCaptureDevice camera(MakeCameraSystem(options.simulate));
    camera.SetMessageHandler(PrintMessage);
    if (camera.Open(DeviceToOpen(options), nullptr, 640, 480, 3) < 0) return CannotFindCamera();
    // As Lumora does once the camera delivers: the stored processing values first.
    camera.SetProperties(ReadCameraProperties(StartFolder()));
    camera.SetLive(0, width, height);
    if (!camera.StillValid()) return kExitFailure;
    QImage picture = StillToImage(camera.Still());
    camera.Close();
    if (width == 640) picture = ReduceStill(picture);
    if (!WriteCaptureFile(out, picture, *type)) {
        std::fprintf(stderr, "lumora-cli grab: cannot write '%s'\n", out.c_str());
        return kExitFailure;
    }
    return kExitOk;
}

int RunProps(const Args& args) {
    const CommonOptions options = ParseOptions(args, true, true);
    if (!options.positional.empty()) throw UsageError{"unexpected argument '" + options.positional.front() + "'"};
    struct Change {
        std::optional<CameraProperty> property;  // none: the zoom
        int value;
    };
    std::vector<Change> changes;
    for (const std::string& set : options.sets) {
        const size_t eq = set.find('=');
        const std::string name = set.substr(0, eq);
        const auto value = eq == std::string::npos ? std::nullopt : ParseInt(set.substr(eq + 1));
        if (!value) throw UsageError{"bad setting '" + set + "', expected NAME=VALUE"};
        if (name == "zoom") {
            changes.push_back({std::nullopt, *value});
            continue;
        }
        std::optional<CameraProperty> property;
        for (CameraProperty p : kAllCameraProperties)
            if (LowerKey(p) == name) property = p;
        if (!property) throw UsageError{"unknown property '" + name + "'"};
        changes.push_back({property, *value});
    }

    CCaptureDevice camera(MakeCameraSystem(options.simulate));
    camera.SetMessageHandler(PrintMessage);
    if (camera.Open(DeviceToOpen(options), nullptr, 640, 480, 3) < 0) return CannotFindCamera();
    for (const Change& change : changes) {
        const bool done = change.property ? camera.SetProperty(*change.property, change.value)
                                          : camera.SetZoom(change.value);
        if (!done)
            std::fprintf(stderr, "lumora-cli props: the camera did not take %s=%d\n",
                         change.property ? LowerKey(*change.property).c_str() : "zoom", change.value);
    }
    std::string json = "{";
    for (CameraProperty p : kAllCameraProperties) {
        const auto value = camera.GetProperty(p);
        json += "\"" + LowerKey(p) + "\":" + (value ? std::to_string(*value) : std::string("null")) + ",";
    }
    json += "\"zoom\":" + std::to_string(camera.GetZoom()) + "}";
    std::printf("%s\n", json.c_str());
    return kExitOk;
}

}  // namespace lumora::cli
