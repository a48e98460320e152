#include "fuzz/FuzzFile.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <unistd.h>

const std::string& FuzzScratchFile(const char* extension) {
    static std::map<std::string, std::string> paths;
    auto& path = paths[extension];
    if (path.empty()) {
        const char* tmp = std::getenv("TMPDIR");
        path = std::string(tmp && *tmp ? tmp : "/tmp") + "/fuzz-input-" + std::to_string(::getpid()) + extension;
    }
    return path;
}

void WriteFuzzInput(const std::string& path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
}
