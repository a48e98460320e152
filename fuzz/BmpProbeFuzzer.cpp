// The header fields Tessmet checks before it opens a file named .bmp: any bytes must give the
// fields or a refusal, reading no more than the header.
#include "fuzz/FuzzFile.h"
#include "measure/io/BmpProbe.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = FuzzScratchFile(".bmp");
    WriteFuzzInput(path, data, size);
    tessmet::BmpHeaderInfo info;
    const int result = tessmet::ProbeBmpFile(path, info);
    if (result == tessmet::ProbeResult::Ok && size < 30) std::abort();
    return 0;
}
