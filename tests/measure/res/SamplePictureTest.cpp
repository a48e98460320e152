#include "measure/core/MagnificationFile.h"
#include "measure/res/sample/SampleLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

using namespace tessmet;
using namespace tessmet::sample;

namespace {

const std::string kFolder = std::string(TESSMET_SAMPLE_DIR) + "/";

struct Grey {
    int width = 0, height = 0, components = 0;
    std::vector<uint8_t> pixels;  // one grey byte per pixel, top-down
    int at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

Grey Decode(const std::string& path) {
    Grey image;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return image;
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    image.components = info.num_components;
    info.out_color_space = JCS_GRAYSCALE;
    jpeg_start_decompress(&info);
    image.width = int(info.output_width);
    image.height = int(info.output_height);
    image.pixels.resize(size_t(image.width) * image.height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.pixels.data() + size_t(info.output_scanline) * image.width;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return image;
}

// Centres of the dark marks along a line of grey values, each weighted by its darkness.
std::vector<double> DarkMarkCentres(const std::vector<int>& line, int threshold = 128) {
    std::vector<double> centres;
    double sum = 0, weight = 0;
    for (size_t i = 0; i <= line.size(); ++i) {
        const bool dark = i < line.size() && line[i] < threshold;
        if (dark) {
            const double w = 255.0 - line[i];
            sum += w * double(i);
            weight += w;
        } else if (weight > 0) {
            centres.push_back(sum / weight);
            sum = weight = 0;
        }
    }
    return centres;
}

// Mean distance between neighbouring marks; every single step must be close to it.
double EvenPitch(const std::vector<double>& centres) {
    const double pitch = (centres.back() - centres.front()) / double(centres.size() - 1);
    for (size_t i = 1; i < centres.size(); ++i) EXPECT_NEAR(centres[i] - centres[i - 1], pitch, 1.0) << i;
    return pitch;
}

class SamplePicture : public ::testing::Test {
protected:
    void SetUp() override {
        image = Decode(kFolder + kPictureName);
        ASSERT_EQ(image.width, kWidth);
        ASSERT_EQ(image.height, kHeight);
        resolution = ResolutionFromMagnification(kFolder + kSidecarName, kWidth, kHeight);
        ASSERT_EQ(resolution.result, 0);
    }
    Grey image;
    ResolutionResult resolution;
};

TEST_F(SamplePicture, IsAColourJpegWithItsSidecarNextToIt) {
    EXPECT_EQ(image.components, 3);
    EXPECT_EQ(MagnificationFileName(kFolder + kPictureName), kFolder + kSidecarName);
}

TEST_F(SamplePicture, HorizontalDivisionsMeasureTheirStatedLength) {
    std::vector<int> row;
    // Up to the vertical scale, whose base line crosses every row.
    for (int x = 0; x < kVerticalBaseX - kMajorTick; ++x) row.push_back(image.at(x, kHorizontalBaseY - kMinorTick / 2));
    const std::vector<double> ticks = DarkMarkCentres(row);
    ASSERT_EQ(ticks.size(), size_t(kHorizontalDivisions + 1));
    const double length = EvenPitch(ticks) * resolution.hResolution;
    EXPECT_NEAR(length / kDivisionMm, 1.0, 0.005) << length;
}

TEST_F(SamplePicture, VerticalDivisionsMeasureTheirStatedLength) {
    std::vector<int> column;
    for (int y = 0; y < image.height; ++y) column.push_back(image.at(kVerticalBaseX - kMinorTick / 2, y));
    const std::vector<double> ticks = DarkMarkCentres(column);
    ASSERT_EQ(ticks.size(), size_t(kVerticalDivisions + 1));
    const double length = EvenPitch(ticks) * resolution.vResolution;
    EXPECT_NEAR(length / kDivisionMm, 1.0, 0.005) << length;
}

// What a first user measures: each particle across its centre row and down its centre column.
TEST_F(SamplePicture, ParticlesHaveTheirStatedDiameters) {
    struct Particle {
        int x, y;
        double mm;
    };
    for (const Particle p : {Particle{kLargeParticleX, kLargeParticleY, kLargeParticleMm},
                             Particle{kSmallParticleX, kSmallParticleY, kSmallParticleMm}}) {
        const int reach = int(p.mm / resolution.hResolution);  // a whole diameter each side
        auto widthOfDarkStretch = [&](auto grey) {
            const int light = (grey(-reach) + grey(reach)) / 2;  // the background either side
            int first = reach, last = -reach;
            for (int d = -reach; d <= reach; ++d) {
                if (grey(d) < light - 25) {
                    first = std::min(first, d);
                    last = std::max(last, d);
                }
            }
            return last - first + 1;
        };
        const int across = widthOfDarkStretch([&](int d) { return image.at(p.x + d, p.y); });
        const int down = widthOfDarkStretch([&](int d) { return image.at(p.x, p.y + d); });
        EXPECT_NEAR(across * resolution.hResolution / p.mm, 1.0, 0.02) << p.mm;
        EXPECT_NEAR(down * resolution.vResolution / p.mm, 1.0, 0.02) << p.mm;
    }
}

}  // namespace
