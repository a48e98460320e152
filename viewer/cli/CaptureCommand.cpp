#include "viewer/cli/Commands.h"

#include "viewer/core/CameraSystems.h"
#include "viewer/core/CaptureDevice.h"
#include "viewer/core/DirectSettings.h"
#include "viewer/core/ViewerPaths.h"
#include "viewer/core/ViewerSettings.h"
#include "viewer/imaging/CaptureOutput.h"
#include "viewer/imaging/PaneFrameBuffer.h"
#include "viewer/imaging/ScaleCalibration.h"

#include <QGuiApplication>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <optional>
#include <sstream>
#include <thread>

namespace lumora::cli {
namespace {

std::atomic<bool> g_stop{false};

extern "C" void OnInterrupt(int) { g_stop = true; }

std::optional<long long> ParseNumber(const std::string& text) {
    try {
        size_t used = 0;
        const long long value = std::stoll(text, &used);
        if (used == text.size()) return value;
    } catch (...) {
    }
    return std::nullopt;
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

struct CaptureOptions {
    CommonOptions common;
    int width = 640, height = 480;
    bool jpeg = true;
    std::optional<int> magnification;
    std::optional<std::string> overlays;
    double every = 0.0;
    std::optional<long long> count;
    std::string folder;
};

// The PRINT_IMAGE keys as --overlays names them: the listed ones on, the others off.
void ApplyOverlayList(const std::string& list, ViewerSettings& s) {
    s.printScale = s.printGridLine = s.printCenterLine = s.printMagBar = s.printMagData = 0;
    std::stringstream stream(list);
    std::string name;
    while (std::getline(stream, name, ',')) {
        if (name == "scale") s.printScale = 1;
        else if (name == "grid") s.printGridLine = 1;
        else if (name == "center") s.printCenterLine = 1;
        else if (name == "magbar") s.printMagBar = 1;
        else if (name == "magdata") s.printMagData = 1;
        else if (!name.empty()) throw UsageError{"unknown overlay '" + name + "'"};
    }
}

CaptureOptions ParseCapture(const Args& args) {
    CaptureOptions o;
    Args rest;
    bool everyGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
            return args[++i];
        };
        if (a == "--size") {
            const std::string text = value();
            const size_t x = text.find_first_of("xX");
            const auto w = x == std::string::npos ? std::nullopt : ParseNumber(text.substr(0, x));
            const auto h = x == std::string::npos ? std::nullopt : ParseNumber(text.substr(x + 1));
            if (!w || !h) throw UsageError{"bad size '" + text + "', expected WxH"};
            o.width = static_cast<int>(*w);
            o.height = static_cast<int>(*h);
            const int index = ResolutionIndexOfWidth(o.width);
            if (index < 0 || ResolutionFrameSize(index).height() != o.height || *w != o.width || *h != o.height)
                throw UsageError{"stills are 640x480, 800x600, 1280x960 or 1600x1200"};
        } else if (a == "--type") {
            const std::string type = value();
            if (type != "bmp" && type != "jpg") throw UsageError{"--type is bmp or jpg"};
            o.jpeg = type == "jpg";
        } else if (a == "--magnification") {
            const auto m = ParseNumber(value());
            if (!m || *m < -1000000 || *m > 1000000) throw UsageError{"--magnification needs a whole number"};
            o.magnification = static_cast<int>(*m);
        } else if (a == "--overlays") {
            o.overlays = value();
        } else if (a == "--every") {
            everyGiven = true;
            const std::string text = value();
            try {
                size_t used = 0;
                o.every = std::stod(text, &used);
                if (used != text.size() || !(o.every >= 0) || o.every > 86400 * 365) throw 0;
            } catch (...) {
                throw UsageError{"--every needs a number of seconds"};
            }
        } else if (a == "--count") {
            const auto n = ParseNumber(value());
            if (!n || *n < 1) throw UsageError{"--count needs a number above 0"};
            o.count = *n;
        } else {
            rest.push_back(a);
        }
    }
    o.common = ParseOptions(rest, true, false);
    if (o.common.positional.size() != 1) throw UsageError{"expected one gallery folder"};
    o.folder = o.common.positional.front();
    // One capture unless a time-lapse is asked for; --every alone runs until interrupted.
    if (!o.count && !everyGiven) o.count = 1;
    if (o.overlays) {
        ViewerSettings probe;  // a wrong name is a usage error before anything starts
        ApplyOverlayList(*o.overlays, probe);
    }
    return o;
}

// Waits `seconds`, returning early when Ctrl+C arrives.
void Pause(double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!g_stop && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

}  // namespace

int RunCapture(const Args& args) {
    CaptureOptions o = ParseCapture(args);
    // The overlays' texts take fonts: a GUI application, on the offscreen platform when no
    // display is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "lumora-cli";
    static char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    ViewerSettings settings = LoadViewerSettings(StartFolder(), "");
    if (o.overlays) ApplyOverlayList(*o.overlays, settings);

    CCaptureDevice camera(MakeCameraSystem(o.common.simulate));
    camera.SetMessageHandler([](CaptureMessage m) { std::fprintf(stderr, "%s\n", CaptureMessageText(m)); });
    if (camera.Open(DeviceToOpen(o.common), nullptr, 640, 480, 3) < 0) {
        std::fputs("Cannot find camera device\n", stderr);
        return kExitFailure;
    }
    camera.SetProperties(ReadCameraProperties(StartFolder()));
    // As the pane takes it: the camera's zoom unless one is given, and never below 1.
    const int asked = o.magnification ? *o.magnification : camera.GetZoom();
    const int magnification = asked > 0 ? asked : 1;
    const int index = ResolutionIndexOfWidth(o.width);
    CaptureContent content;
    content.style = StyleFromSettings(settings, OverlayStyle{});
    content.style.scale.text = MagnificationScale(magnification, settings).scaleText;
    content.magnification = magnification;
    content.resolutionIndex = index;

    g_stop = false;
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    PaneFrameBuffer frame;
    int status = kExitOk;
    for (long long n = 0; !o.count || n < *o.count; ++n) {
        if (n > 0) {
            Pause(o.every);
            if (g_stop) break;
        }
        camera.SetLive(0, o.width, o.height);
        if (!camera.StillValid()) {
            status = kExitFailure;
            break;
        }
        const StillBuffer& still = camera.Still();
        frame.ShowFrame(still.pixels(), static_cast<size_t>(still.width()) * static_cast<size_t>(still.height()) * 3u);
        if (o.width == 640) frame.ReduceTo640x480();
        const QImage picture = ComposeCapture(frame, content, settings);
        const std::string sidecar = MagnificationFileText(magnification, frame.Width(), settings);
        CaptureOutcome outcome;
        // A picture that appears under the chosen name meanwhile is never replaced: the next
        // number is taken instead.
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string stem = o.folder + "/" + PictureBaseName(NextPictureNumber(o.folder));
            outcome = StoreCapture(picture, stem, o.jpeg, sidecar, nullptr);
            if (outcome.result != CaptureResult::Refused) break;
        }
        if (outcome.result != CaptureResult::Written) {
            std::fprintf(stderr, "lumora-cli capture: cannot write '%s'\n", outcome.imagePath.c_str());
            status = kExitFailure;
            break;
        }
        std::printf("{\"file\":%s,\"sidecar\":%s}\n", JsonString(outcome.imagePath).c_str(),
                    outcome.sidecarWritten ? JsonString(outcome.sidecarPath).c_str() : "null");
        std::fflush(stdout);
        if (g_stop) break;
    }
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    camera.Close();
    return status;
}

}  // namespace lumora::cli
