#include "platform/HandOverFile.h"

#include "platform/AtomicFile.h"

#include <cstdio>
#include <fstream>

namespace platform {

bool WriteHandOverFile(const std::string& handOverFile, const std::string& path) {
    return WriteFileAtomically(handOverFile, path);
}

std::string TakeHandOverFile(const std::string& handOverFile, size_t maxLength) {
    std::string line;
    bool tooLong = false;
    {
        std::ifstream in(handOverFile, std::ios::binary);
        char c = 0;
        // Read no further than one byte past the limit, whatever the file's size.
        while (in.get(c) && c != '\n' && c != '\r') {
            if (line.size() == maxLength) {
                tooLong = true;
                break;
            }
            line += c;
        }
    }
    std::remove(handOverFile.c_str());
    return tooLong ? std::string() : line;
}

}  // namespace platform
