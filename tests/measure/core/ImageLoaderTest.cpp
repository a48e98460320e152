#include "measure/core/ImageLoader.h"
#include "codec/PictureLoader.h"
#include "measure/res/StringTable.h"
#include "support/BmpBytes.h"
#include "support/JpegBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using testsupport::AsString;
using testsupport::BmpLayout;
using testsupport::BuildBmp;
using testsupport::TempDir;
using testsupport::WriteText;

namespace tessmet {
namespace {

std::string Bmp(int32_t width, int32_t height, uint16_t bits, uint32_t compression = 0, uint32_t palette = 0) {
    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bitsPerPixel = bits;
    layout.compression = compression;
    layout.paletteEntries = palette;
    return AsString(BuildBmp(layout));
}

std::string Jpeg(int width, int height) {
    testsupport::JpegLayout layout;
    layout.width = width;
    layout.height = height;
    const auto bytes = testsupport::EncodeJpeg(layout, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3, 99));
    return AsString(bytes);
}

struct LoadCase {
    const char* name;
    const char* file;
    std::string contents;  // "<dir>" makes a folder
    int expected;          // 0 or the first message
    int bitsPerPixel;
};

std::vector<LoadCase> LoadCases() {
    const std::string good24 = Bmp(6, 4, 24);
    return {
        {"Bmp24", "a.bmp", good24, 0, 24},
        {"UpperCaseName", "A.BMP", good24, 0, 24},
        {"MixedCaseName", "a.bMp", good24, 0, 24},
        {"Bmp16", "b.bmp", Bmp(5, -3, 16), 0, 16},
        {"Bmp32", "c.bmp", Bmp(5, 3, 32), 0, 32},
        {"Jpeg", "photo.jpg", Jpeg(20, 10), 0, 24},
        {"JpegNamedJpeg", "photo.jpeg", Jpeg(20, 10), 0, 24},
        {"BitmapNamedJpg", "bitmap.jpg", Bmp(5, 3, 16), 0, 16},
        {"OneBit", "one.bmp", Bmp(16, 2, 1, 0, 2), StringId::NotSupportedBitmap, 0},
        {"FourBit", "four.bmp", Bmp(16, 2, 4, 0, 16), StringId::NotSupportedBitmap, 0},
        {"EightBit", "eight.bmp", Bmp(16, 2, 8, 0, 256), StringId::NotSupportedBitmap, 0},
        {"RunLength8", "rle.bmp", Bmp(16, 2, 8, 1, 256), StringId::NotSupportedBitmap, 0},
        {"RunLengthClaiming24", "rle24.bmp", Bmp(16, 2, 24, 1), StringId::NotSupportedBitmap, 0},
        {"TextNamedBmp", "text.bmp", "just some text", StringId::NotSupportedBitmap, 0},
        {"EmptyBmp", "empty.bmp", "", StringId::NotSupportedBitmap, 0},
        {"FolderNamedBmp", "folder.bmp", "<dir>", StringId::NotSupportedBitmap, 0},
        {"MissingBmp", "missing.bmp", "<none>", StringId::NotSupportedBitmap, 0},
        {"HeaderCutShort", "short.bmp", good24.substr(0, 20), StringId::NotSupportedBitmap, 0},
        {"RowsCutShort", "cut.bmp", good24.substr(0, good24.size() - 10), StringId::FileNotOpened, 0},
        {"EightBitNamedJpg", "eight.jpg", Bmp(16, 2, 8, 0, 256), StringId::FileNotOpened, 0},
        {"TextNamedJpg", "text.jpg", "just some text", StringId::FileNotOpened, 0},
        {"EmptyJpg", "empty.jpg", "", StringId::FileNotOpened, 0},
        {"TruncatedJpg", "cut.jpg", Jpeg(64, 64).substr(0, 300), StringId::FileNotOpened, 0},
        {"Folder", "folder", "<dir>", StringId::FileNotOpened, 0},
        {"Missing", "missing.jpg", "<none>", StringId::FileNotOpened, 0},
    };
}

class LoadRules : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadRules, OpenOrRefuseWithTheFirstMessage) {
    const LoadCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.file(c.file);
    if (c.contents == "<dir>") {
        std::filesystem::create_directory(path);
    } else if (c.contents != "<none>") {
        WriteText(path, c.contents);
    }
    ImageSet images;
    Calibration calibration;
    calibration.infPath = "untouched";
    ASSERT_EQ(LoadImage(path, images, calibration), c.expected);
    if (c.expected == 0) {
        EXPECT_EQ(images.bitsPerPixel(), c.bitsPerPixel);
        EXPECT_EQ(calibration.imageWidth, images.width());
        EXPECT_EQ(calibration.imageHeight, images.height());
    } else {
        EXPECT_TRUE(images.isNull());
        EXPECT_EQ(calibration.infPath, "untouched");  // a refused file leaves the calibration alone
    }
}

INSTANTIATE_TEST_SUITE_P(Files, LoadRules, ::testing::ValuesIn(LoadCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LoadRules, RefusedBitmapShowsTenThousandThreeThenTwo) {
    EXPECT_EQ(LoadFailureMessages(StringId::NotSupportedBitmap),
              (std::vector<int>{StringId::NotSupportedBitmap, StringId::FileNotOpened}));
    EXPECT_EQ(LoadFailureMessages(StringId::FileNotOpened), (std::vector<int>{StringId::FileNotOpened}));
    EXPECT_TRUE(LoadFailureMessages(0).empty());
}

TEST(LoadRules, NameEndsInBmpLooksAtTheLastThreeCharactersOnly) {
    EXPECT_TRUE(NameEndsInBmp("a.bmp"));
    EXPECT_TRUE(NameEndsInBmp("a.BmP"));
    EXPECT_TRUE(NameEndsInBmp("bmp"));
    EXPECT_TRUE(NameEndsInBmp("picturebmp"));
    EXPECT_FALSE(NameEndsInBmp("mp"));
    EXPECT_FALSE(NameEndsInBmp("a.bmp.jpg"));
    EXPECT_FALSE(NameEndsInBmp("a.bmpx"));
}

bool SameBytes(const Dib& a, const Dib& b) {
    return a.sameLayout(b) && std::memcmp(a.bits(), b.bits(), a.sizeBytes()) == 0;
}

// One decode, then copies: the same as loading the file once for each bitmap.
TEST(ImageSet, DecodingOnceEqualsLoadingThreeTimes) {
    TempDir dir;
    for (const auto& [name, contents] : {std::pair{"p.bmp", Bmp(7, 5, 16)}, std::pair{"q.bmp", Bmp(7, -5, 32)},
                                         std::pair{"r.jpg", Jpeg(33, 9)}}) {
        const std::string path = dir.file(name);
        WriteText(path, contents);
        ImageSet images;
        Calibration calibration;
        ASSERT_EQ(LoadImage(path, images, calibration), 0) << name;
        Dib first, second;
        ASSERT_EQ(LoadPicture(path, first), ReadStatus::Ok);
        ASSERT_EQ(LoadPicture(path, second), ReadStatus::Ok);
        EXPECT_TRUE(SameBytes(images.display(), first)) << name;
        EXPECT_TRUE(SameBytes(images.original(), second)) << name;
        // The processing layer has the same layout and starts cleared.
        ASSERT_TRUE(images.processing().sameLayout(first)) << name;
        const Dib& processing = images.processing();
        EXPECT_TRUE(std::all_of(processing.bits(), processing.bits() + processing.sizeBytes(),
                                [](uint8_t b) { return b == 0; }));
        // Three bitmaps, not three names for one.
        images.display().fill(0xEE);
        EXPECT_TRUE(SameBytes(images.original(), second)) << name;
        ComposeOriginalOnly(images);
        EXPECT_TRUE(SameBytes(images.display(), first)) << name;
    }
}

TEST(ImageSet, LoadInitialisesTheCalibrationFromTheSidecar) {
    TempDir dir;
    WriteText(dir.file("Pic00001.jpg"), Jpeg(640, 480));
    WriteText(dir.file("Pic00001jpg.mag"),
              "[MAG]\r\nOptical=251\r\nCorrective=100\r\n\r\n[SENSOR]\r\nWidth=713\r\nHeight=537\r\n");
    ImageSet images;
    Calibration calibration;
    ASSERT_EQ(LoadImage(dir.file("Pic00001.jpg"), images, calibration), 0);
    EXPECT_EQ(calibration.unit, Unit::Millimetre);
    EXPECT_DOUBLE_EQ(calibration.hResolution, 7.13 / 2.51 / 640);
    EXPECT_DOUBLE_EQ(calibration.vResolution, 5.37 / 2.51 / 480);
    EXPECT_EQ(calibration.infPath, dir.file("Pic00001jpg.inf"));
}

}  // namespace
}  // namespace tessmet
