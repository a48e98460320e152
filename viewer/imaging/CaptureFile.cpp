#include "viewer/imaging/CaptureFile.h"

#include "platform/AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace lumora {
namespace {

void Put16(std::string& out, size_t at, uint16_t v) {
    out[at] = static_cast<char>(v & 0xff);
    out[at + 1] = static_cast<char>(v >> 8);
}

void Put32(std::string& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xff);
}

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

// The library's default would end the process; return to the encoder's caller instead.
void JpegErrorExit(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1); }

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Kept apart from EncodeJpeg so that nothing with a destructor lives between setjmp and a jump.
bool CompressRows(const std::vector<uint8_t>& rgb, int width, int height, int quality, unsigned char** out,
                  unsigned long* outSize) {
    jpeg_compress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = JpegErrorExit;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, outSize);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const size_t rowBytes = static_cast<size_t>(width) * 3u;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.data() + info.next_scanline * rowBytes);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

std::string EncodeBmp(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    const uint32_t w = static_cast<uint32_t>(image.width()), h = static_cast<uint32_t>(image.height());
    const uint32_t stride = (w * 3u + 3u) & ~3u;
    const uint32_t pixelBytes = stride * h;
    std::string out(54 + static_cast<size_t>(pixelBytes), '\0');
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, 54 + pixelBytes);
    Put32(out, 10, 54);
    Put32(out, 14, 40);
    Put32(out, 18, w);
    Put32(out, 22, h);
    Put16(out, 26, 1);
    Put16(out, 28, 24);
    Put32(out, 34, pixelBytes);
    for (uint32_t y = 0; y < h; ++y) {
        const uchar* row = image.constScanLine(static_cast<int>(h - 1 - y));
        char* target = out.data() + 54 + static_cast<size_t>(y) * stride;
        for (uint32_t x = 0; x < w; ++x) {
            target[3 * x + 0] = static_cast<char>(row[3 * x + 2]);
            target[3 * x + 1] = static_cast<char>(row[3 * x + 1]);
            target[3 * x + 2] = static_cast<char>(row[3 * x + 0]);
        }
    }
    return out;
}

std::optional<std::string> EncodeJpeg(const QImage& source, int quality) {
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    if (image.isNull()) return std::nullopt;
    const int w = image.width(), h = image.height();
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * static_cast<size_t>(h) * 3u);
    for (int y = 0; y < h; ++y)
        std::copy_n(image.constScanLine(y), static_cast<size_t>(w) * 3u, rgb.data() + static_cast<size_t>(y) * w * 3u);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = CompressRows(rgb, w, h, std::clamp(quality, 1, 100), &buffer, &size);
    std::optional<std::string> result;
    if (ok && buffer) result = std::string(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return result;
}

bool WriteCaptureFile(const std::string& path, const QImage& image, CaptureFileType type) {
    if (image.isNull()) return false;
    if (type == CaptureFileType::Bmp) return platform::WriteFileAtomically(path, EncodeBmp(image));
    const auto jpeg = EncodeJpeg(image, kCaptureJpegQuality);
    return jpeg && platform::WriteFileAtomically(path, *jpeg);
}

std::optional<CaptureFileType> CaptureFileTypeOf(const std::string& path) {
    const std::string lower = Lower(path);
    const auto endsWith = [&lower](const char* suffix) {
        const std::string s = suffix;
        return lower.size() > s.size() && lower.compare(lower.size() - s.size(), s.size(), s) == 0;
    };
    if (endsWith(".bmp")) return CaptureFileType::Bmp;
    if (endsWith(".jpg") || endsWith(".jpeg")) return CaptureFileType::Jpeg;
    return std::nullopt;
}

}  // namespace lumora
