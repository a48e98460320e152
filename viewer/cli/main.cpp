// lumora-cli: Lumora's camera from the command line; see README.md for the subcommands.

#include "viewer/cli/Commands.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: lumora-cli <command> [arguments] [--simulate-camera]\n"
    "commands:\n"
    "  cameras                                    one line per camera: its name\n"
    "  grab [--device NAME] [--size WxH] OUT.bmp|OUT.jpg\n"
    "                                             takes a still as Lumora does and writes it\n"
    "  props [--device NAME] [--set NAME=VALUE ...]\n"
    "                                             sets, then prints the eight values and the zoom\n"
    "  capture [--device NAME] [--size WxH] [--type bmp|jpg] [--magnification M]\n"
    "          [--overlays scale,grid,center,magbar,magdata] [--every SECONDS --count N] GALLERY_FOLDER\n"
    "                                             stores stills as Lumora's capture to the gallery\n";

struct Command {
    const char* name;
    int (*run)(const lumora::cli::Args&);
};

constexpr Command kCommands[] = {
    {"cameras", lumora::cli::RunCameras},
    {"grab", lumora::cli::RunGrab},
    {"props", lumora::cli::RunProps},
    {"capture", lumora::cli::RunCapture},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        // A usage error is one line, so scripts can log it; the whole usage is one --help away.
        std::fputs("lumora-cli: missing command (see lumora-cli --help)\n", stderr);
        return lumora::cli::kExitUsage;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, stdout);
        return lumora::cli::kExitOk;
    }
    const std::string name = argv[1];
    // Captures make their own GUI application once their arguments are read (see RunCapture).
    std::unique_ptr<QCoreApplication> app;
    if (name != "capture") app = std::make_unique<QCoreApplication>(argc, argv);
    const lumora::cli::Args args(argv + 2, argv + argc);
    for (const Command& command : kCommands) {
        if (name != command.name) continue;
        try {
            return command.run(args);
        } catch (const lumora::cli::UsageError& error) {
            std::fprintf(stderr, "lumora-cli %s: %s\n", command.name, error.message.c_str());
            return lumora::cli::kExitUsage;
        }
    }
    std::fprintf(stderr, "lumora-cli: unknown command '%s'\n", name.c_str());
    return lumora::cli::kExitUsage;
}
