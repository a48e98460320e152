// Figures for picture files: building an image set from one decode against decoding the file
// once per bitmap, and the JPEG writer's RGB buffer built in one pass against the three passes
// of fill bottom-up, flip and swap.

#include "bench/Figure.h"
#include "measure/core/ImageLoader.h"
#include "codec/BmpWriter.h"
#include "measure/io/ComposedImageSave.h"
#include "codec/JpegWriter.h"
#include "codec/PictureLoader.h"
#include "measure/io/RgbBuffer.h"
#include "measure/processing/PixelAccess.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using namespace tessmet;
using namespace codec;

constexpr int kWidth = 1600;
constexpr int kHeight = 1200;

Dib SamplePicture() {
    Dib dib(kWidth, kHeight, 24);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            WritePixel(dib.pixel(x, y), static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                       static_cast<uint8_t>(x ^ y), 24);
    return dib;
}

// The sample files, written once per run into a folder of their own.
struct SampleFiles {
    std::string folder;
    std::string bmp;
    std::string jpeg;

    SampleFiles() {
        std::string pattern = (std::filesystem::temp_directory_path() / "bench-files-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        folder = pattern;
        bmp = folder + "/sample.bmp";
        jpeg = folder + "/sample.jpg";
        const Dib picture = SamplePicture();
        if (WriteBmpFile(bmp, picture) != 0) std::abort();
        const std::vector<uint8_t> rgb = ComposedRgbBuffer(picture);
        if (WriteJpegFile(jpeg, rgb.data(), kWidth, kHeight, 80) != 1) std::abort();
    }
    ~SampleFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

const SampleFiles& Files() {
    static const SampleFiles files;
    return files;
}

// The set as three separate loads of the same file would build it.
void LoadThreeTimes(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        Dib display, original, processing;
        LoadPicture(path, display);
        LoadPicture(path, original);
        LoadPicture(path, processing);
        processing.fill(0);
        benchmark::DoNotOptimize(processing.bits());
    }
}

void LoadOnce(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        ImageSet images;
        Calibration calibration;
        LoadImage(path, images, calibration);
        benchmark::DoNotOptimize(images.processing().bits());
    }
}

void JpegThreeDecodes(benchmark::State& state) { LoadThreeTimes(state, Files().jpeg); }
void JpegOneDecode(benchmark::State& state) { LoadOnce(state, Files().jpeg); }
void BmpThreeReads(benchmark::State& state) { LoadThreeTimes(state, Files().bmp); }
void BmpOneRead(benchmark::State& state) { LoadOnce(state, Files().bmp); }

// Blue, green, red per pixel in bottom-up row order, then rows flipped and red and blue swapped.
void RgbBufferInThreePasses(benchmark::State& state) {
    const Dib picture = SamplePicture();
    for (auto _ : state) {
        std::vector<uint8_t> buffer(static_cast<size_t>(kWidth) * kHeight * 3);
        uint8_t* out = buffer.data();
        for (int y = kHeight - 1; y >= 0; --y)
            for (int x = 0; x < kWidth; ++x) {
                const uint8_t* p = picture.pixel(x, y);
                *out++ = ReadChannel(p, Channel::Blue, 24);
                *out++ = ReadChannel(p, Channel::Green, 24);
                *out++ = ReadChannel(p, Channel::Red, 24);
            }
        FlipRows(buffer.data(), kWidth, kHeight);
        SwapRedBlue(buffer.data(), kWidth, kHeight);
        benchmark::DoNotOptimize(buffer.data());
    }
}

void RgbBufferInOnePass(benchmark::State& state) {
    const Dib picture = SamplePicture();
    for (auto _ : state) {
        std::vector<uint8_t> buffer = ComposedRgbBuffer(picture);
        benchmark::DoNotOptimize(buffer.data());
    }
}

}  // namespace

SUITE_FIGURE("ImageSet from a 1600x1200 JPEG", JpegThreeDecodes, JpegOneDecode);
SUITE_FIGURE("ImageSet from a 1600x1200 24-bit BMP", BmpThreeReads, BmpOneRead);
SUITE_FIGURE("JPEG writer input, 1600x1200", RgbBufferInThreePasses, RgbBufferInOnePass);
