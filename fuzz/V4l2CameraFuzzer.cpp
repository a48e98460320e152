// The camera trusts nothing a video4linux driver answers: capabilities, formats, sizes, frame
// intervals, buffer counts and lengths, control ranges, errors at any call, frame flags, byte
// counts and pixel bytes all come from the input here. No crash, no hang, only whole frames of
// the format, and every mapping, handle and wake-up channel given back.
#include "support/RandomCameraRun.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const testsupport::RandomRunResult result = testsupport::RunRandomCamera(data, size);
    if (!result.framesWellFormed || result.mappings != 0 || result.handles != 0 || result.events != 0 ||
        result.streaming)
        std::abort();
    return 0;
}
