#include "fuzz/FuzzFile.h"
#include "measure/core/CalibrationFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = FuzzScratchFile(".inf");
    WriteFuzzInput(path, data, size);
    const tessmet::CalibrationFileData d = tessmet::ReadCalibrationFile(path);
    (void)tessmet::StoredResolution(d.hResolution);
    return 0;
}
