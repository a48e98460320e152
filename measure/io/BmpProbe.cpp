#include "measure/io/BmpProbe.h"

#include "codec/ByteSource.h"
#include "measure/processing/Dib.h"

namespace tessmet {

int ProbeBmpFile(const std::string& path, BmpHeaderInfo& info) {
    info = BmpHeaderInfo{};
    const auto source = codec::FileByteSource::Open(path);
    if (!source) return ProbeResult::CannotOpen;

    uint8_t header[30];
    if (!source->readAt(0, header, 2) || header[0] != 'B' || header[1] != 'M') return ProbeResult::NotBitmap;
    if (!source->readAt(0, header, sizeof header)) return ProbeResult::NotBitmap;

    const auto u16 = [&](int at) { return header[at] | (header[at + 1] << 8); };
    const auto u32 = [&](int at) {
        return static_cast<uint32_t>(u16(at)) | (static_cast<uint32_t>(u16(at + 2)) << 16);
    };
    info.width = static_cast<int32_t>(u32(18));
    info.height = static_cast<int32_t>(u32(22));
    info.planes = u16(26);
    info.bitsPerPixel = u16(28);
    info.stride = Dib::StrideFor(info.width, info.bitsPerPixel);
    return ProbeResult::Ok;
}

}  // namespace tessmet
