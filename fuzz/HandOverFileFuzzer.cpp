// Tessmet.tmp is written by another process, possibly half-way or with anything in it: the
// running program must take at most one bounded line from it and always remove it.
#include "fuzz/FuzzFile.h"
#include "platform/FileProbe.h"
#include "platform/HandOverFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = FuzzScratchFile(".tmp");
    WriteFuzzInput(path, data, size);
    const std::string taken = platform::TakeHandOverFile(path);
    if (taken.size() > 255 || taken.find('\n') != std::string::npos || taken.find('\r') != std::string::npos)
        std::abort();
    if (platform::PathExists(path)) std::abort();  // the file is gone in every case
    return 0;
}
