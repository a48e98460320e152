#include "codec/BmpReader.h"
#include "support/BmpBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

using testsupport::BmpLayout;
using testsupport::BmpStride;
using testsupport::BuildBmp;

namespace codec {
namespace {

ReadStatus Decode(const std::vector<uint8_t>& bytes, Dib& picture) {
    return DecodeBmp(bytes.data(), bytes.size(), picture);
}

// ---- Files that load as stored ----------------------------------------------------------

struct StoredCase {
    const char* name;
    BmpLayout layout;
};

BmpLayout LayoutOf(int32_t width, int32_t height, uint16_t bits, uint32_t compression = 0, uint32_t infoSize = 40,
             std::array<uint32_t, 3> masks = {}) {
    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bitsPerPixel = bits;
    layout.compression = compression;
    layout.infoSize = infoSize;
    layout.masks = masks;
    return layout;
}

constexpr std::array<uint32_t, 3> k555{0x7C00, 0x03E0, 0x001F};
constexpr std::array<uint32_t, 3> k888{0x00FF0000, 0x0000FF00, 0x000000FF};

BmpLayout WithPalette(BmpLayout layout, uint32_t entries) {
    layout.paletteEntries = entries;
    return layout;
}

class BmpStoredAsIs : public ::testing::TestWithParam<StoredCase> {};

// The bitmap holds the file's rows, padding included, top row first whatever the file's order.
TEST_P(BmpStoredAsIs, KeepsDepthAndEveryRowByte) {
    const BmpLayout& layout = GetParam().layout;
    const std::vector<uint8_t> file = BuildBmp(layout);
    Dib picture;
    ASSERT_EQ(Decode(file, picture), ReadStatus::Ok);
    const int height = layout.height < 0 ? -layout.height : layout.height;
    ASSERT_EQ(picture.width(), layout.width);
    ASSERT_EQ(picture.height(), height);
    ASSERT_EQ(picture.bitsPerPixel(), layout.bitsPerPixel);
    const int stride = BmpStride(layout.width, layout.bitsPerPixel);
    ASSERT_EQ(picture.stride(), stride);
    const uint8_t* pixels = file.data() + (file.size() - static_cast<size_t>(stride) * height);
    for (int y = 0; y < height; ++y) {
        const int fileRow = layout.height > 0 ? height - 1 - y : y;
        EXPECT_EQ(std::memcmp(picture.row(y), pixels + static_cast<size_t>(fileRow) * stride, stride), 0)
            << "row " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Variants, BmpStoredAsIs,
    ::testing::Values(StoredCase{"Rgb24BottomUpPadded", LayoutOf(5, 3, 24)},
                      StoredCase{"Rgb24TopDown", LayoutOf(5, -3, 24)},
                      StoredCase{"Rgb16Padded", LayoutOf(3, 4, 16)},
                      StoredCase{"Rgb16TopDown", LayoutOf(3, -4, 16)},
                      StoredCase{"Rgb32", LayoutOf(2, 3, 32)},
                      StoredCase{"Bitfields16With555Masks", LayoutOf(3, 2, 16, 3, 40, k555)},
                      StoredCase{"Bitfields32WithStandardMasks", LayoutOf(3, 2, 32, 3, 40, k888)},
                      StoredCase{"Bitfields16MasksInsideV5Header", LayoutOf(3, -2, 16, 3, 124, k555)},
                      StoredCase{"V4Header24", LayoutOf(4, 2, 24, 0, 108)},
                      StoredCase{"V3WithMasksHeader52", LayoutOf(4, 2, 32, 3, 52, k888)},
                      StoredCase{"Os2Header64", LayoutOf(4, 2, 24, 0, 64)},
                      StoredCase{"ColourTableBeforeRows", WithPalette(LayoutOf(5, 2, 24), 16)},
                      StoredCase{"SinglePixel", LayoutOf(1, 1, 24)}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Bit-field files converted to the bitmap's layout -----------------------------------

std::vector<uint8_t> Words16(std::initializer_list<uint16_t> words) {
    std::vector<uint8_t> bytes;
    for (const uint16_t w : words) {
        bytes.push_back(static_cast<uint8_t>(w));
        bytes.push_back(static_cast<uint8_t>(w >> 8));
    }
    return bytes;
}

uint16_t Word16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

TEST(BmpBitFields, FiveSixFiveBecomesFiveFiveFiveWithRoundedGreen) {
    struct Case {
        uint16_t in;
        uint16_t out;
    };
    // Green keeps 5 of its 6 bits as round(g * 31 / 63); red and blue stay.
    const Case cases[] = {{0xFFFF, 0x7FFF}, {0xF800, 0x7C00}, {0x07E0, 0x03E0}, {0x001F, 0x001F},
                          {0x0020, 0x0000}, {0x0040, 0x0020}, {0x0400, 0x0200}, {0x8410, 0x4210},
                          {0x0000, 0x0000}, {0x0780, 0x03C0}};
    BmpLayout layout = LayoutOf(static_cast<int32_t>(std::size(cases)), -1, 16, 3, 40, {0xF800, 0x07E0, 0x001F});
    for (const Case& c : cases) {
        const std::vector<uint8_t> word = Words16({c.in});
        layout.pixels.insert(layout.pixels.end(), word.begin(), word.end());
    }
    layout.pixels.resize(BmpStride(layout.width, 16), 0);
    Dib picture;
    ASSERT_EQ(Decode(BuildBmp(layout), picture), ReadStatus::Ok);
    ASSERT_EQ(picture.bitsPerPixel(), 16);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(Word16(picture.pixel(static_cast<int>(i), 0)), cases[i].out) << std::hex << cases[i].in;
}

TEST(BmpBitFields, FourFourFourAndTenBitChannelsAreScaledWithRounding) {
    // 4-4-4 in 16 bits: 15 -> 31, 8 -> round(8 * 31 / 15) = 17, 1 -> 2.
    BmpLayout small = LayoutOf(1, 1, 16, 3, 40, {0x0F00, 0x00F0, 0x000F});
    small.pixels = Words16({0x0F81});
    small.pixels.resize(4, 0);
    Dib picture;
    ASSERT_EQ(Decode(BuildBmp(small), picture), ReadStatus::Ok);
    EXPECT_EQ(Word16(picture.pixel(0, 0)), (31 << 10) | (17 << 5) | 2);

    // 10-10-10 in 32 bits: 1023 -> 255, 512 -> 128, 3 -> 1; the fourth byte becomes 0.
    BmpLayout wide = LayoutOf(1, 1, 32, 3, 40, {0x3FF00000, 0x000FFC00, 0x000003FF});
    const uint32_t word = (1023u << 20) | (512u << 10) | 3u | 0xC0000000u;
    wide.pixels = {static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word >> 16),
                   static_cast<uint8_t>(word >> 24)};
    ASSERT_EQ(Decode(BuildBmp(wide), picture), ReadStatus::Ok);
    const uint8_t* p = picture.pixel(0, 0);
    EXPECT_EQ(p[0], 1);    // blue
    EXPECT_EQ(p[1], 128);  // green
    EXPECT_EQ(p[2], 255);  // red
    EXPECT_EQ(p[3], 0);
}

// ---- Refusals ------------------------------------------------------------------------------

struct RefusalCase {
    const char* name;
    std::vector<uint8_t> bytes;
    ReadStatus expected;
};

std::vector<uint8_t> Truncated(std::vector<uint8_t> bytes, size_t keep) {
    bytes.resize(keep);
    return bytes;
}

std::vector<uint8_t> Patched(std::vector<uint8_t> bytes, size_t at, uint32_t value) {
    testsupport::PutLe(bytes, at, value, 4);
    return bytes;
}

std::vector<RefusalCase> RefusalCases() {
    const std::vector<uint8_t> good = BuildBmp(LayoutOf(5, 3, 24));
    std::vector<RefusalCase> cases = {
        {"OneBit", BuildBmp(WithPalette(LayoutOf(8, 2, 1), 2)), ReadStatus::UnsupportedBitmap},
        {"FourBit", BuildBmp(WithPalette(LayoutOf(8, 2, 4), 16)), ReadStatus::UnsupportedBitmap},
        {"EightBit", BuildBmp(WithPalette(LayoutOf(8, 2, 8), 256)), ReadStatus::UnsupportedBitmap},
        {"RunLength8", BuildBmp(WithPalette(LayoutOf(8, 2, 8, 1), 256)), ReadStatus::UnsupportedBitmap},
        {"RunLength4", BuildBmp(WithPalette(LayoutOf(8, 2, 4, 2), 16)), ReadStatus::UnsupportedBitmap},
        {"RunLengthClaiming24Bits", BuildBmp(LayoutOf(4, 2, 24, 1)), ReadStatus::UnsupportedBitmap},
        {"EmbeddedJpeg", BuildBmp(LayoutOf(4, 2, 24, 4)), ReadStatus::UnsupportedBitmap},
        {"EmbeddedPng", BuildBmp(LayoutOf(4, 2, 32, 5)), ReadStatus::UnsupportedBitmap},
        {"BitFieldsOn24Bits", BuildBmp(LayoutOf(4, 2, 24, 3, 40, k888)), ReadStatus::UnsupportedBitmap},
        {"AlphaBitFields", BuildBmp(LayoutOf(4, 2, 32, 6, 56, k888)), ReadStatus::UnsupportedBitmap},
        {"Os2HuffmanCompression", BuildBmp(LayoutOf(4, 2, 24, 3, 64)), ReadStatus::UnsupportedBitmap},
        {"ZeroMask", BuildBmp(LayoutOf(4, 2, 16, 3, 40, {0x7C00, 0, 0x1F})), ReadStatus::UnsupportedBitmap},
        {"OverlappingMasks", BuildBmp(LayoutOf(4, 2, 16, 3, 40, {0x7C00, 0x07E0, 0x1F})), ReadStatus::UnsupportedBitmap},
        {"SplitMask", BuildBmp(LayoutOf(4, 2, 16, 3, 40, {0x7C00, 0x0360, 0x1F})), ReadStatus::UnsupportedBitmap},
        {"MaskBeyond16Bits", BuildBmp(LayoutOf(4, 2, 16, 3, 40, {0x7C000, 0x03E0, 0x1F})), ReadStatus::UnsupportedBitmap},
        {"CoreHeader", BuildBmp(LayoutOf(4, 2, 24, 0, 12)), ReadStatus::UnsupportedBitmap},
        {"UnknownHeaderSize", BuildBmp(LayoutOf(4, 2, 24, 0, 44)), ReadStatus::UnsupportedBitmap},
        {"LastByteMissing", Truncated(good, good.size() - 1), ReadStatus::Corrupt},
        {"HeadersOnly", Truncated(good, 54), ReadStatus::Corrupt},
        {"InsideInfoHeader", Truncated(good, 30), ReadStatus::Corrupt},
        {"SignatureOnly", Truncated(good, 2), ReadStatus::Corrupt},
        {"OneByte", Truncated(good, 1), ReadStatus::Corrupt},
        {"Empty", {}, ReadStatus::UnknownFormat},
        {"NotBm", {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, ReadStatus::UnknownFormat},
        {"ZeroWidth", BuildBmp(LayoutOf(0, 2, 24)), ReadStatus::Corrupt},
        {"ZeroHeight", BuildBmp(LayoutOf(4, 0, 24)), ReadStatus::Corrupt},
        {"NegativeWidth", Patched(good, 18, static_cast<uint32_t>(-5)), ReadStatus::Corrupt},
        {"PixelOffsetPastEnd", Patched(good, 10, 4000), ReadStatus::Corrupt},
        {"PixelOffsetInsideHeader", Patched(good, 10, 20), ReadStatus::Corrupt},
        {"PixelOffsetLeavesTooFewRows", Patched(good, 10, 56), ReadStatus::Corrupt},
    };
    // Sizes that promise far more rows than the file holds are refused before any allocation.
    auto claim = [](int32_t width, int32_t height, uint16_t bits) {
        return Patched(Patched(BuildBmp(LayoutOf(1, 1, bits)), 18, static_cast<uint32_t>(width)), 22,
                       static_cast<uint32_t>(height));
    };
    cases.push_back({"HugeClaimBeyondLimit", claim(100000, 100000, 24), ReadStatus::TooLarge});
    cases.push_back({"WidestRowBeyondLimit", claim(INT32_MAX, 1, 32), ReadStatus::TooLarge});
    cases.push_back({"ClaimBeyondFileData", claim(4000, 3000, 24), ReadStatus::Corrupt});
    cases.push_back({"MostNegativeHeight", claim(4, INT32_MIN, 24), ReadStatus::Corrupt});
    return cases;
}

class BmpRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(BmpRefusal, GivesItsStatusAndLeavesThePictureAlone) {
    Dib picture(2, 2, 24);
    picture.fill(0x5A);
    EXPECT_EQ(Decode(GetParam().bytes, picture), GetParam().expected);
    ASSERT_EQ(picture.width(), 2);  // a refused file does not touch the caller's bitmap
    EXPECT_EQ(picture.bits()[0], 0x5A);
}

INSTANTIATE_TEST_SUITE_P(Files, BmpRefusal, ::testing::ValuesIn(RefusalCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BmpFile, ReadsFromDiskAndRefusesWhatIsNotAFile) {
    testsupport::TempDir dir;
    const std::string path = dir.file("a.bmp");
    const std::vector<uint8_t> bytes = BuildBmp(LayoutOf(7, -5, 32));
    testsupport::WriteText(path, testsupport::AsString(bytes));
    Dib fromFile, fromMemory;
    ASSERT_EQ(ReadBmpFile(path, fromFile), ReadStatus::Ok);
    ASSERT_EQ(Decode(bytes, fromMemory), ReadStatus::Ok);
    ASSERT_EQ(fromFile.sizeBytes(), fromMemory.sizeBytes());
    EXPECT_EQ(std::memcmp(fromFile.bits(), fromMemory.bits(), fromFile.sizeBytes()), 0);

    EXPECT_EQ(ReadBmpFile(dir.path().string(), fromFile), ReadStatus::CannotOpen);
    EXPECT_EQ(ReadBmpFile(dir.file("missing.bmp"), fromFile), ReadStatus::CannotOpen);
    EXPECT_EQ(ReadBmpFile("", fromFile), ReadStatus::CannotOpen);
}

}  // namespace
}  // namespace codec
