// tessmet-cli: Tessmet's measurement core for scripts. Each subcommand prints one JSON object
// on one line; see README.md for the subcommands and their output.

#include "measure/cli/Commands.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: tessmet-cli <command> [arguments]\n"
    "commands:\n"
    "  binarise IMAGE --min N --max N [--roi SHAPE] [--out LAYER.bmp]\n"
    "                                   marks the region's pixels whose channel sum is in range\n"
    "  calibration IMAGE [--size WxH]   calibration of IMAGE as Tessmet sets it up on opening\n"
    "  centre IMAGE --min N --max N [--type 0|1] [--roi SHAPE] [--out LAYER.bmp]\n"
    "                                   binarises, then finds the centre of the marked pixels\n"
    "  colour IMAGE [--roi SHAPE] [--channels rgb] [--csv FILE] [--out LAYER.bmp]\n"
    "                                   channel sums, means and shares over the region\n"
    "  grey IMAGE [--roi SHAPE] --out LAYER.bmp\n"
    "                                   the region's grey image as the processing layer\n"
    "  measure KIND X,Y X,Y ... [--size WxH] [--unit U --h H --v V]\n"
    "                                   one measurement from image points, the label point last\n"
    "  open IMAGE                       size and depth of IMAGE opened as Tessmet opens it\n"
    "  probe FILE                       the BMP header fields Tessmet checks\n"
    "  save IMAGE OUT [--quality 1..10] IMAGE written to OUT as Save As writes it\n"
    "SHAPE: rect:X1,Y1,X2,Y2 | ellipse:X1,Y1,X2,Y2 | polygon:X,Y,X,Y,... (image pixels)\n";

struct Command {
    const char* name;
    int (*run)(const tessmet::cli::Args&);
};

constexpr Command kCommands[] = {
    {"binarise", tessmet::cli::RunBinarise},
    {"calibration", tessmet::cli::RunCalibration},
    {"centre", tessmet::cli::RunCentre},
    {"colour", tessmet::cli::RunColour},
    {"grey", tessmet::cli::RunGrey},
    {"measure", tessmet::cli::RunMeasure},
    {"open", tessmet::cli::RunOpen},
    {"probe", tessmet::cli::RunProbe},
    {"save", tessmet::cli::RunSave},
};

}  // namespace

namespace tessmet::cli {

void ParseSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find_first_of("xX");
    try {
        if (x == std::string::npos) throw 0;
        size_t used = 0;
        width = std::stoi(text.substr(0, x), &used);
        if (used != x) throw 0;
        height = std::stoi(text.substr(x + 1), &used);
        if (used != text.size() - x - 1) throw 0;
    } catch (...) {
        throw UsageError{"bad size '" + text + "', expected WxH"};
    }
    if (width <= 0 || height <= 0) throw UsageError{"bad size '" + text + "', expected WxH"};
}

}  // namespace tessmet::cli

int main(int argc, char** argv) {
    if (argc < 2) {
        // A usage error is one line, so scripts can log it; the whole usage is one --help away.
        std::fputs("tessmet-cli: missing command (see tessmet-cli --help)\n", stderr);
        return tessmet::cli::kExitUsage;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, stdout);
        return tessmet::cli::kExitOk;
    }
    const std::string name = argv[1];
    const tessmet::cli::Args args(argv + 2, argv + argc);
    for (const Command& command : kCommands) {
        if (name != command.name) continue;
        try {
            return command.run(args);
        } catch (const tessmet::cli::UsageError& error) {
            std::fprintf(stderr, "tessmet-cli %s: %s\n", command.name, error.message.c_str());
            return tessmet::cli::kExitUsage;
        }
    }
    std::fprintf(stderr, "tessmet-cli: unknown command '%s'\n", name.c_str());
    return tessmet::cli::kExitUsage;
}
