// Figures for large JPEG pictures (6000 x 4000), each against libjpeg-turbo used directly in
// the same run: our reader against a plain decode, opening a document (decode, three bitmaps,
// calibration) against that decode, and saving the composed image against a plain encode.

#include "bench/Figure.h"
#include "measure/core/Calibration.h"
#include "measure/core/ImageLoader.h"
#include "measure/core/ImageSet.h"
#include "measure/io/ComposedImageSave.h"
#include "codec/JpegReader.h"
#include "codec/JpegWriter.h"
#include "measure/processing/PixelAccess.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include <jpeglib.h>

namespace {

using namespace tessmet;
using namespace codec;

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

// A picture with the structure of a micrograph: smooth shading, edges and fine lines, so the
// encoder and decoder see realistic blocks rather than noise.
Dib MicrographLike() {
    Dib dib(kWidth, kHeight, 24);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int dx = x % 400 - 200, dy = y % 400 - 200;
            const bool cell = dx * dx + dy * dy < 150 * 150;
            const bool tick = x % 50 == 0 && y % 400 < 30;
            const uint8_t base = static_cast<uint8_t>(90 + (x + y) / 80 % 60);
            WritePixel(dib.pixel(x, y), tick ? 20 : static_cast<uint8_t>(cell ? base + 60 : base),
                       static_cast<uint8_t>(cell ? 80 : base), static_cast<uint8_t>(cell ? 150 : base + 20), 24);
        }
    }
    return dib;
}

struct Sample {
    std::string folder;
    std::string jpeg;
    std::string output;
    Dib picture;

    Sample() : picture(MicrographLike()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "bench-jpeg-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        folder = pattern;
        jpeg = folder + "/large.jpg";
        output = folder + "/saved.jpg";
        const std::vector<uint8_t> rgb = ComposedRgbBuffer(picture);
        if (WriteJpegFile(jpeg, rgb.data(), kWidth, kHeight, 50) != 1) std::abort();
    }
    ~Sample() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

const Sample& TheSample() {
    static const Sample sample;
    return sample;
}

// libjpeg-turbo on its own: decode the file into one RGB buffer.
void PlainDecode(benchmark::State& state) {
    const Sample& sample = TheSample();
    for (auto _ : state) {
        FILE* file = std::fopen(sample.jpeg.c_str(), "rb");
        jpeg_decompress_struct cinfo;
        jpeg_error_mgr jerr;
        cinfo.err = jpeg_std_error(&jerr);
        jpeg_create_decompress(&cinfo);
        jpeg_stdio_src(&cinfo, file);
        jpeg_read_header(&cinfo, TRUE);
        jpeg_start_decompress(&cinfo);
        const size_t rowBytes = size_t{cinfo.output_width} * cinfo.output_components;
        std::unique_ptr<uint8_t[]> pixels(new uint8_t[rowBytes * cinfo.output_height]);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = pixels.get() + rowBytes * cinfo.output_scanline;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        std::fclose(file);
        benchmark::DoNotOptimize(pixels.get());
    }
}

void OurReader(benchmark::State& state) {
    const Sample& sample = TheSample();
    for (auto _ : state) {
        Dib picture;
        if (ReadJpegFile(sample.jpeg, picture) != ReadStatus::Ok) std::abort();
        benchmark::DoNotOptimize(picture.bits());
    }
}

void OpenDocument(benchmark::State& state) {
    const Sample& sample = TheSample();
    for (auto _ : state) {
        ImageSet images;
        Calibration calibration;
        if (LoadImage(sample.jpeg, images, calibration) != 0) std::abort();
        benchmark::DoNotOptimize(images.display().bits());
    }
}

// libjpeg-turbo on its own: encode a ready RGB buffer into a file.
void PlainEncode(benchmark::State& state) {
    const Sample& sample = TheSample();
    const std::vector<uint8_t> rgb = ComposedRgbBuffer(sample.picture);
    for (auto _ : state) {
        FILE* file = std::fopen(sample.output.c_str(), "wb");
        jpeg_compress_struct cinfo;
        jpeg_error_mgr jerr;
        cinfo.err = jpeg_std_error(&jerr);
        jpeg_create_compress(&cinfo);
        jpeg_stdio_dest(&cinfo, file);
        cinfo.image_width = kWidth;
        cinfo.image_height = kHeight;
        cinfo.input_components = 3;
        cinfo.in_color_space = JCS_RGB;
        jpeg_set_defaults(&cinfo);
        jpeg_set_quality(&cinfo, 50, TRUE);
        jpeg_start_compress(&cinfo, TRUE);
        while (cinfo.next_scanline < cinfo.image_height) {
            JSAMPROW row = const_cast<uint8_t*>(rgb.data()) + size_t{kWidth} * 3 * cinfo.next_scanline;
            jpeg_write_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_compress(&cinfo);
        jpeg_destroy_compress(&cinfo);
        std::fclose(file);
    }
}

// Save As to a .jpg: the composed bitmap to an RGB buffer, encoded, written beside the target,
// flushed to disk and renamed.
void OurSave(benchmark::State& state) {
    const Sample& sample = TheSample();
    for (auto _ : state) {
        if (!SaveComposedImage(sample.output, sample.picture, 5).saved()) std::abort();
    }
}

}  // namespace

SUITE_FIGURE("JPEG decode 6000x4000", PlainDecode, OurReader);
SUITE_FIGURE("document open 6000x4000 JPEG", PlainDecode, OpenDocument);
SUITE_FIGURE("JPEG save 6000x4000", PlainEncode, OurSave);
