#pragma once

// JPEG files encoded in memory with libjpeg for tests: colour, grey, CMYK and YCCK, baseline,
// progressive and arithmetic coded.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace testsupport {

struct JpegLayout {
    int width = 32;
    int height = 16;
    J_COLOR_SPACE input = JCS_RGB;        // JCS_RGB, JCS_GRAYSCALE or JCS_CMYK
    J_COLOR_SPACE stored = JCS_UNKNOWN;   // JCS_YCCK, JCS_CMYK ...; JCS_UNKNOWN keeps libjpeg's choice
    bool adobeMarker = true;              // for CMYK: written by default, the mark of inverted ink
    bool progressive = false;
    bool arithmetic = false;
    int quality = 95;
};

inline int Components(J_COLOR_SPACE space) {
    return space == JCS_GRAYSCALE ? 1 : space == JCS_CMYK ? 4 : 3;
}

// `pixels`: width * height * components bytes, rows top-down. Aborts on a libjpeg error (tests
// only hand it sound input).
inline std::vector<uint8_t> EncodeJpeg(const JpegLayout& layout, const std::vector<uint8_t>& pixels) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    err.error_exit = [](j_common_ptr) { std::abort(); };
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(layout.width);
    cinfo.image_height = static_cast<JDIMENSION>(layout.height);
    cinfo.input_components = Components(layout.input);
    cinfo.in_color_space = layout.input;
    jpeg_set_defaults(&cinfo);
    if (layout.stored != JCS_UNKNOWN) jpeg_set_colorspace(&cinfo, layout.stored);
    cinfo.write_Adobe_marker = layout.adobeMarker && (layout.input == JCS_CMYK);
    jpeg_set_quality(&cinfo, layout.quality, TRUE);
    if (layout.progressive) jpeg_simple_progression(&cinfo);
    cinfo.arith_code = layout.arithmetic ? TRUE : FALSE;
    jpeg_start_compress(&cinfo, TRUE);
    const size_t rowBytes = static_cast<size_t>(layout.width) * cinfo.input_components;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels.data() + cinfo.next_scanline * rowBytes);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

// Blocks of 16 x 16 pixels of one colour each, aligned to the coding units, so that a decoded
// picture matches the colour of every block closely at high quality.
inline std::vector<uint8_t> BlockPixels(int width, int height, int components,
                                        const std::vector<std::vector<uint8_t>>& colours) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * components);
    const int blocksPerRow = (width + 15) / 16;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto& colour = colours[static_cast<size_t>((y / 16) * blocksPerRow + x / 16) % colours.size()];
            for (int c = 0; c < components; ++c)
                pixels[(static_cast<size_t>(y) * width + x) * components + c] = colour[c];
        }
    return pixels;
}

// Offset of the first start-of-frame marker's segment (FF Cn), or -1; walks the marker segments.
inline long FindStartOfFrame(const std::vector<uint8_t>& jpeg, int* markerOut = nullptr) {
    size_t pos = 2;
    while (pos + 4 <= jpeg.size()) {
        if (jpeg[pos] != 0xFF) return -1;
        const int marker = jpeg[pos + 1];
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            if (markerOut) *markerOut = marker;
            return static_cast<long>(pos);
        }
        pos += 2 + (static_cast<size_t>(jpeg[pos + 2]) << 8 | jpeg[pos + 3]);
    }
    return -1;
}

}  // namespace testsupport
