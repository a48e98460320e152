#include "fuzz/FuzzFile.h"
#include "measure/core/MagnificationFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = FuzzScratchFile(".mag");
    WriteFuzzInput(path, data, size);
    (void)tessmet::ResolutionFromMagnification(path, 640, 480);
    (void)tessmet::ResolutionFromMagnification(path, 0, 480);
    return 0;
}
