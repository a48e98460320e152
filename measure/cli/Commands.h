#pragma once

#include <string>
#include <vector>

namespace tessmet::cli {

// Exit codes shared by every subcommand.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // the operation ran and refused or failed (JSON on stdout)
constexpr int kExitUsage = 2;    // the command line was wrong (one line on stderr)

// Thrown by argument parsing; main turns it into the usage exit.
struct UsageError {
    std::string message;
};

using Args = std::vector<std::string>;

// "WxH" -> width and height, both positive.
void ParseSize(const std::string& text, int& width, int& height);

// Prints {"error":code} and returns the failure exit.
int PrintError(int code);

int RunBinarise(const Args& args);
int RunCalibration(const Args& args);
int RunCentre(const Args& args);
int RunColour(const Args& args);
int RunGrey(const Args& args);
int RunMeasure(const Args& args);
int RunOpen(const Args& args);
int RunProbe(const Args& args);
int RunSave(const Args& args);

}  // namespace tessmet::cli
