// tessmet-cli probe FILE
// The BMP header fields Tessmet checks before it opens a file named .bmp.

#include "measure/cli/Commands.h"
#include "measure/cli/Json.h"
#include "measure/io/BmpProbe.h"

#include <cstdio>

namespace tessmet::cli {

int RunProbe(const Args& args) {
    if (args.empty()) throw UsageError{"no file given"};
    if (args.size() > 1) throw UsageError{"more than one file given"};
    const std::string& file = args[0];
    if (file.size() > 1 && file[0] == '-') throw UsageError{"unknown option '" + file + "'"};

    BmpHeaderInfo info;
    if (const int result = ProbeBmpFile(file, info); result != ProbeResult::Ok) return PrintError(result);

    JsonObject json;
    json.add("width", info.width)
        .add("height", info.height)
        .add("planes", info.planes)
        .add("bitsPerPixel", info.bitsPerPixel)
        .add("stride", info.stride);
    std::printf("%s\n", json.str().c_str());
    return kExitOk;
}

}  // namespace tessmet::cli
