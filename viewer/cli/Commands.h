#pragma once

#include <string>
#include <vector>

namespace lumora::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // no camera, a still that timed out, a file that cannot be written
constexpr int kExitUsage = 2;    // the command line was wrong (one line on stderr)

// Thrown by argument parsing; main turns it into the usage exit.
struct UsageError {
    std::string message;
};

using Args = std::vector<std::string>;

// What every subcommand accepts besides its own options.
struct CommonOptions {
    bool simulate = false;       // --simulate-camera
    bool deviceGiven = false;
    std::string device;          // --device NAME; otherwise CAMERA/DEVICE of ./lumora.ini
    std::vector<std::string> positional;
    std::vector<std::string> sets;  // --set NAME=VALUE, in order
};

// Parses the options; `allowDevice` and `allowSet` say which the subcommand takes.
CommonOptions ParseOptions(const Args& args, bool allowDevice, bool allowSet);

// The device to open: --device, or the configured one of the start folder.
std::string DeviceToOpen(const CommonOptions& options);

int RunCameras(const Args& args);
int RunGrab(const Args& args);
int RunProps(const Args& args);
int RunCapture(const Args& args);

}  // namespace lumora::cli
