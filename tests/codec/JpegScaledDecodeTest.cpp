#include "codec/BmpWriter.h"
#include "codec/JpegReader.h"
#include "codec/JpegWriter.h"
#include "codec/PictureLoader.h"
#include "support/JpegBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>

using testsupport::EncodeJpeg;
using testsupport::JpegLayout;
using testsupport::ReadText;
using testsupport::TempDir;

namespace codec {
namespace {

struct ScaleCase {
    const char* name;
    uint64_t width, height;
    int coverWidth, coverHeight;
    int eighths;
};

// libjpeg gives ceil(size * n / 8) pixels per side; the smallest n that covers both sides wins.
TEST(JpegScale, SmallestEighthThatStillCoversTheRequestedSize) {
    const ScaleCase cases[] = {
        {"thumbnail of a 640 x 480 capture", 640, 480, 80, 60, 1},
        {"one pixel more needs the next eighth", 640, 480, 81, 60, 2},
        {"height decides when it is the tighter side", 640, 480, 80, 61, 2},
        {"rounding up lets 7 pixels cover 49 / 8", 49, 49, 7, 7, 1},
        {"half of 1600 x 1200", 1600, 1200, 800, 600, 4},
        {"just above a half", 1600, 1200, 801, 600, 5},
        {"larger than the picture decodes in full", 100, 100, 200, 200, 8},
        {"exactly the picture decodes in full", 100, 100, 100, 100, 8},
        {"no wish on either side", 100, 100, 0, 0, 1},
        {"a wish on the width only", 800, 600, 300, 0, 3},
        {"a negative side asks nothing", 800, 600, -5, 150, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JpegScaleEighths(c.width, c.height, c.coverWidth, c.coverHeight), c.eighths) << c.name;
}

std::vector<uint8_t> Gradient(int width, int height) {
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            p[0] = static_cast<uint8_t>(x * 255 / width);
            p[1] = static_cast<uint8_t>(y * 255 / height);
            p[2] = 90;
        }
    return rgb;
}

TEST(JpegScaledDecode, GivesTheScaledSizeWithTheSameColours) {
    JpegLayout layout;
    layout.width = 160;
    layout.height = 120;
    const auto jpeg = EncodeJpeg(layout, Gradient(160, 120));
    Dib full, small;
    ASSERT_EQ(DecodeJpeg(jpeg.data(), jpeg.size(), full), ReadStatus::Ok);
    ASSERT_EQ(DecodeJpegCovering(jpeg.data(), jpeg.size(), 40, 30, small), ReadStatus::Ok);
    EXPECT_EQ(small.width(), 40);
    EXPECT_EQ(small.height(), 30);
    EXPECT_EQ(small.bitsPerPixel(), 24);
    // Pixel (x, y) of the quarter picture shows the 4 x 4 block at (4x, 4y) of the full one.
    for (const auto& [x, y] : {std::pair{2, 2}, std::pair{20, 15}, std::pair{37, 27}})
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(small.pixel(x, y)[c], full.pixel(4 * x + 2, 4 * y + 2)[c], 12) << x << "," << y << " c" << c;
}

TEST(JpegScaledDecode, KeepsTheRefusalsOfTheFullDecoding) {
    JpegLayout layout;
    const auto jpeg = EncodeJpeg(layout, Gradient(layout.width, layout.height));
    Dib picture;
    EXPECT_EQ(DecodeJpegCovering(jpeg.data(), jpeg.size() / 2, 8, 8, picture), ReadStatus::Corrupt);
    EXPECT_TRUE(picture.isNull());
    EXPECT_EQ(DecodeJpegCovering(nullptr, 0, 8, 8, picture), ReadStatus::UnknownFormat);
    EXPECT_EQ(ReadJpegFileCovering("/nonexistent/x.jpg", 8, 8, picture), ReadStatus::CannotOpen);
}

TEST(JpegScaledDecode, PictureLoaderScalesJpegsAndLoadsBitmapsInFull) {
    TempDir dir;
    JpegLayout layout;
    layout.width = 64;
    layout.height = 48;
    const auto jpeg = EncodeJpeg(layout, Gradient(64, 48));
    const std::string jpegPath = dir.file("a.jpg");
    testsupport::WriteText(jpegPath, std::string(jpeg.begin(), jpeg.end()));
    const std::string bmpPath = dir.file("b.bmp");
    ASSERT_EQ(WriteBmpFile(bmpPath, Dib(64, 48, 24)), BmpWriteResult::Ok);

    Dib picture;
    ASSERT_EQ(LoadPictureCovering(jpegPath, 16, 12, picture), ReadStatus::Ok);
    EXPECT_EQ(picture.width(), 16);
    EXPECT_EQ(picture.height(), 12);
    ASSERT_EQ(LoadPictureCovering(bmpPath, 16, 12, picture), ReadStatus::Ok);
    EXPECT_EQ(picture.width(), 64);
    EXPECT_EQ(picture.height(), 48);
}

// The memory encoders give exactly the bytes the file writers put on disk.
TEST(EncodeInMemory, SameBytesAsTheFileWriters) {
    TempDir dir;
    const auto rgb = Gradient(33, 17);
    const auto fill = [&](int y, uint8_t* row) { std::memcpy(row, rgb.data() + static_cast<size_t>(y) * 33 * 3, 33 * 3); };
    std::vector<uint8_t> encoded;
    ASSERT_EQ(EncodeJpegRows(33, 17, 90, fill, encoded), 1);
    ASSERT_EQ(WriteJpegFile(dir.file("a.jpg"), rgb.data(), 33, 17, 90), 1);
    EXPECT_EQ(std::string(encoded.begin(), encoded.end()), ReadText(dir.file("a.jpg")));

    for (const int bits : {16, 24, 32}) {
        Dib dib(7, 5, bits);
        for (size_t i = 0; i < dib.sizeBytes(); ++i) dib.bits()[i] = static_cast<uint8_t>(i * 13);
        const std::string path = dir.file("b" + std::to_string(bits) + ".bmp");
        ASSERT_EQ(WriteBmpFile(path, dib), BmpWriteResult::Ok);
        const auto bytes = EncodeBmp(dib);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), ReadText(path)) << bits;
    }
    EXPECT_TRUE(EncodeBmp(Dib()).empty());
    EXPECT_EQ(EncodeJpegRows(0, 5, 90, fill, encoded), 0);
    EXPECT_TRUE(encoded.empty());
}

// A picture large enough to need several of the encoder's output blocks.
TEST(EncodeInMemory, LargePictureSpansManyOutputBlocks) {
    const int w = 400, h = 300;
    std::vector<uint8_t> encoded;
    uint32_t state = 12345;
    ASSERT_EQ(EncodeJpegRows(w, h, 100,
                             [&](int, uint8_t* row) {
                                 for (int i = 0; i < w * 3; ++i) row[i] = static_cast<uint8_t>((state = state * 1103515245u + 12345u) >> 24);
                             },
                             encoded),
              1);
    ASSERT_GT(encoded.size(), 16384u * 3);
    Dib back;
    ASSERT_EQ(DecodeJpeg(encoded.data(), encoded.size(), back), ReadStatus::Ok);
    EXPECT_EQ(back.width(), w);
    EXPECT_EQ(back.height(), h);
}

}  // namespace
}  // namespace codec
