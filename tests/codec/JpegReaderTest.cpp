#include "codec/JpegReader.h"
#include "codec/PictureLoader.h"
#include "support/JpegBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using testsupport::BlockPixels;
using testsupport::EncodeJpeg;
using testsupport::JpegLayout;

namespace codec {
namespace {

using Rgb = std::array<int, 3>;

// A decoded pixel's red, green, blue (the bitmap holds blue, green, red).
Rgb At(const Dib& picture, int x, int y) {
    const uint8_t* p = picture.pixel(x, y);
    return {p[2], p[1], p[0]};
}

void ExpectNear(const Rgb& actual, const Rgb& expected, int tolerance, const std::string& where) {
    for (int c = 0; c < 3; ++c)
        EXPECT_LE(std::abs(actual[c] - expected[c]), tolerance)
            << where << " channel " << c << ": " << actual[c] << " vs " << expected[c];
}

struct ColourCase {
    const char* name;
    JpegLayout layout;
    std::vector<std::vector<uint8_t>> stored;  // the encoder's input per block
    std::vector<Rgb> expected;                 // the colour each block must decode to
};

JpegLayout Kind(J_COLOR_SPACE input, J_COLOR_SPACE stored = JCS_UNKNOWN, bool adobe = true, bool progressive = false,
              bool arithmetic = false) {
    JpegLayout layout;
    layout.width = 48;
    layout.height = 32;
    layout.input = input;
    layout.stored = stored;
    layout.adobeMarker = adobe;
    layout.progressive = progressive;
    layout.arithmetic = arithmetic;
    layout.quality = 100;
    return layout;
}

const std::vector<Rgb> kColours = {{255, 0, 0},     {0, 255, 0},     {0, 0, 255},
                                   {255, 255, 255}, {128, 128, 128}, {20, 200, 90}};

std::vector<std::vector<uint8_t>> RgbBlocks() {
    std::vector<std::vector<uint8_t>> blocks;
    for (const Rgb& c : kColours) blocks.push_back({uint8_t(c[0]), uint8_t(c[1]), uint8_t(c[2])});
    return blocks;
}

// Inverted ink, as files with an Adobe marker store it: 255 is no ink. The last block has
// half the black ink and nothing else, which makes a middle grey.
std::vector<std::vector<uint8_t>> InvertedInkBlocks() {
    std::vector<std::vector<uint8_t>> blocks;
    for (size_t i = 0; i + 1 < kColours.size(); ++i)
        blocks.push_back({uint8_t(kColours[i][0]), uint8_t(kColours[i][1]), uint8_t(kColours[i][2]), 255});
    blocks.push_back({255, 255, 255, 128});
    return blocks;
}

std::vector<std::vector<uint8_t>> PlainInkBlocks() {
    std::vector<std::vector<uint8_t>> blocks = InvertedInkBlocks();
    for (auto& b : blocks)
        for (auto& v : b) v = static_cast<uint8_t>(255 - v);
    return blocks;
}

std::vector<Rgb> InkColours() {
    std::vector<Rgb> colours(kColours.begin(), kColours.end() - 1);
    colours.push_back({128, 128, 128});
    return colours;
}

std::vector<ColourCase> ColourCases() {
    std::vector<Rgb> greys;
    std::vector<std::vector<uint8_t>> greyBlocks;
    for (const int g : {0, 60, 128, 200, 255, 17}) {
        greys.push_back({g, g, g});
        greyBlocks.push_back({uint8_t(g)});
    }
    return {
        {"Baseline", Kind(JCS_RGB), RgbBlocks(), kColours},
        {"Progressive", Kind(JCS_RGB, JCS_UNKNOWN, true, true), RgbBlocks(), kColours},
        {"ArithmeticCoded", Kind(JCS_RGB, JCS_UNKNOWN, true, false, true), RgbBlocks(), kColours},
        {"StoredAsRgb", Kind(JCS_RGB, JCS_RGB), RgbBlocks(), kColours},
        {"Grey", Kind(JCS_GRAYSCALE), greyBlocks, greys},
        {"GreyProgressive", Kind(JCS_GRAYSCALE, JCS_UNKNOWN, true, true), greyBlocks, greys},
        {"CmykWithAdobeMarker", Kind(JCS_CMYK, JCS_CMYK), InvertedInkBlocks(), InkColours()},
        {"CmykPlain", Kind(JCS_CMYK, JCS_CMYK, false), PlainInkBlocks(), InkColours()},
        {"Ycck", Kind(JCS_CMYK, JCS_YCCK), InvertedInkBlocks(), InkColours()},
    };
}

class JpegColours : public ::testing::TestWithParam<ColourCase> {};

TEST_P(JpegColours, DecodeToTwentyFourBitColour) {
    const ColourCase& c = GetParam();
    const std::vector<uint8_t> jpeg =
        EncodeJpeg(c.layout, BlockPixels(c.layout.width, c.layout.height, testsupport::Components(c.layout.input), c.stored));
    Dib picture;
    ASSERT_EQ(DecodeJpeg(jpeg.data(), jpeg.size(), picture), ReadStatus::Ok);
    ASSERT_EQ(picture.width(), c.layout.width);
    ASSERT_EQ(picture.height(), c.layout.height);
    ASSERT_EQ(picture.bitsPerPixel(), 24);
    const int blocksPerRow = (c.layout.width + 15) / 16;
    for (size_t i = 0; i < c.expected.size(); ++i) {
        const int x = static_cast<int>(i % blocksPerRow) * 16 + 8;
        const int y = static_cast<int>(i / blocksPerRow) * 16 + 8;
        ExpectNear(At(picture, x, y), c.expected[i], 4, "block " + std::to_string(i));
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, JpegColours, ::testing::ValuesIn(ColourCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(JpegReader, OddSizesKeepEveryRowAndColumn) {
    JpegLayout layout;
    layout.width = 33;
    layout.height = 17;
    const auto jpeg = EncodeJpeg(layout, BlockPixels(33, 17, 3, {{10, 20, 30}}));
    Dib picture;
    ASSERT_EQ(DecodeJpeg(jpeg.data(), jpeg.size(), picture), ReadStatus::Ok);
    EXPECT_EQ(picture.width(), 33);
    EXPECT_EQ(picture.height(), 17);
    EXPECT_EQ(picture.stride(), 100);
    ExpectNear(At(picture, 32, 16), {10, 20, 30}, 3, "last pixel");
}

std::vector<uint8_t> SampleJpeg(bool progressive = false) {
    JpegLayout layout;
    layout.width = 64;
    layout.height = 48;
    layout.progressive = progressive;
    std::vector<uint8_t> pixels(64 * 48 * 3);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>((i * 37) ^ (i >> 5));
    return EncodeJpeg(layout, pixels);
}

TEST(JpegReader, RefusesFilesThatEndBeforeTheirLastRow) {
    for (const bool progressive : {false, true}) {
        const std::vector<uint8_t> whole = SampleJpeg(progressive);
        for (const double share : {0.1, 0.5, 0.9}) {
            const size_t keep = static_cast<size_t>(whole.size() * share);
            Dib picture;
            EXPECT_EQ(DecodeJpeg(whole.data(), keep, picture), ReadStatus::Corrupt)
                << (progressive ? "progressive " : "baseline ") << keep << " of " << whole.size();
            EXPECT_TRUE(picture.isNull());
        }
        // Without its end marker a single-scan picture is complete and still loads; in a
        // progressive file the missing marker cannot be told from a missing last scan.
        Dib picture;
        EXPECT_EQ(DecodeJpeg(whole.data(), whole.size() - 2, picture),
                  progressive ? ReadStatus::Corrupt : ReadStatus::Ok);
    }
}

// Patches the frame size in the start-of-frame segment.
std::vector<uint8_t> WithFrameSize(std::vector<uint8_t> jpeg, uint16_t width, uint16_t height) {
    const long sof = testsupport::FindStartOfFrame(jpeg);
    EXPECT_GT(sof, 0);
    jpeg[sof + 5] = static_cast<uint8_t>(height >> 8);
    jpeg[sof + 6] = static_cast<uint8_t>(height);
    jpeg[sof + 7] = static_cast<uint8_t>(width >> 8);
    jpeg[sof + 8] = static_cast<uint8_t>(width);
    return jpeg;
}

TEST(JpegReader, RefusesSizesTheFileCannotHoldBeforeAllocating) {
    const std::vector<uint8_t> small = SampleJpeg();
    struct Case {
        uint16_t width, height;
        ReadStatus expected;
    };
    const Case cases[] = {{65000, 65000, ReadStatus::TooLarge},  // beyond the bitmap limit
                          {4000, 4000, ReadStatus::TooLarge},    // 16 million pixels from a few kilobytes
                          {0, 48, ReadStatus::Corrupt}};
    for (const Case& c : cases) {
        const auto patched = WithFrameSize(small, c.width, c.height);
        Dib picture;
        EXPECT_EQ(DecodeJpeg(patched.data(), patched.size(), picture), c.expected) << c.width << "x" << c.height;
    }
}

TEST(JpegReader, RefusesWhatIsNoJpeg) {
    Dib picture;
    const uint8_t text[] = "hello, world";
    EXPECT_EQ(DecodeJpeg(text, sizeof text, picture), ReadStatus::Corrupt);
    EXPECT_EQ(DecodeJpeg(text, 0, picture), ReadStatus::UnknownFormat);
    EXPECT_EQ(DecodeJpeg(nullptr, 10, picture), ReadStatus::UnknownFormat);
    const uint8_t startOnly[] = {0xFF, 0xD8};
    EXPECT_EQ(DecodeJpeg(startOnly, sizeof startOnly, picture), ReadStatus::Corrupt);
    EXPECT_TRUE(picture.isNull());
}

TEST(PictureLoader, RecognisesTheFormatByContentNotByName) {
    testsupport::TempDir dir;
    const std::vector<uint8_t> jpeg = SampleJpeg();
    testsupport::WriteText(dir.file("photo.jpeg"), std::string(jpeg.begin(), jpeg.end()));
    testsupport::WriteText(dir.file("photo.dat"), std::string(jpeg.begin(), jpeg.end()));
    testsupport::WriteText(dir.file("text.jpg"), "no picture here");
    testsupport::WriteText(dir.file("empty.jpg"), "");
    std::filesystem::create_directory(dir.file("folder.jpg"));

    struct Case {
        std::string name;
        ReadStatus expected;
    };
    const Case cases[] = {{"photo.jpeg", ReadStatus::Ok},         {"photo.dat", ReadStatus::Ok},
                          {"text.jpg", ReadStatus::UnknownFormat}, {"empty.jpg", ReadStatus::UnknownFormat},
                          {"folder.jpg", ReadStatus::CannotOpen},  {"missing.jpg", ReadStatus::CannotOpen}};
    for (const Case& c : cases) {
        Dib picture;
        EXPECT_EQ(LoadPicture(dir.file(c.name), picture), c.expected) << c.name;
        if (c.expected == ReadStatus::Ok) {
            EXPECT_EQ(picture.width(), 64);
            EXPECT_EQ(picture.bitsPerPixel(), 24);
        }
    }
    Dib direct;
    EXPECT_EQ(ReadJpegFile(dir.file("folder.jpg"), direct), ReadStatus::CannotOpen);
    EXPECT_EQ(ReadJpegFile(dir.file("empty.jpg"), direct), ReadStatus::UnknownFormat);
}

}  // namespace
}  // namespace codec
