#pragma once

#include <cstdint>
#include <string>

namespace tessmet {

// The header fields of a BMP file that the document checks before it opens one.
struct BmpHeaderInfo {
    int32_t width = 0;         // bytes 18..21
    int32_t height = 0;        // bytes 22..25 (negative for a top-down file)
    int planes = 0;            // bytes 26..27
    int bitsPerPixel = 0;      // bytes 28..29
    int stride = 0;            // width * bitsPerPixel / 8 rounded up to whole bytes, then to a
                               // multiple of 4; 0 when the width is not positive or too large
};

namespace ProbeResult {
constexpr int Ok = 0;
constexpr int CannotOpen = -1;  // missing, unreadable, or not a regular file
constexpr int NotBitmap = -2;   // does not start with "BM", or ends inside the header fields
}  // namespace ProbeResult

// Reads only the first 30 bytes of the file: the header fields never justify reading more, and
// the file size stored in the header is not trusted for anything.
int ProbeBmpFile(const std::string& path, BmpHeaderInfo& info);

}  // namespace tessmet
