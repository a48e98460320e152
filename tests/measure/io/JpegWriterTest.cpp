#include "measure/io/ComposedImageSave.h"
#include "codec/JpegReader.h"
#include "codec/JpegWarnings.h"
#include "codec/JpegWriter.h"
#include "measure/processing/PixelAccess.h"
#include "support/FileSizeLimit.h"
#include "support/JpegBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <random>

#include <jpeglib.h>

using testsupport::ReadText;
using testsupport::CountEntries;
using testsupport::TempDir;
using testsupport::WriteText;

namespace tessmet {
namespace {

using namespace codec;

using QuantTable = std::array<int, 64>;

// The luminance and chrominance tables libjpeg itself builds for a quality, baseline forced.
std::array<QuantTable, 2> LibraryTables(int quality) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    cinfo.in_color_space = JCS_RGB;
    cinfo.input_components = 3;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    std::array<QuantTable, 2> tables{};
    for (int t = 0; t < 2; ++t)
        for (int i = 0; i < 64; ++i) tables[t][i] = cinfo.quant_tbl_ptrs[t]->quantval[i];
    jpeg_destroy_compress(&cinfo);
    return tables;
}

// The tables stored in a written file, as the decoder reads them.
std::array<QuantTable, 2> FileTables(const std::string& bytes) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    jpeg_read_header(&cinfo, TRUE);
    std::array<QuantTable, 2> tables{};
    for (int t = 0; t < 2; ++t)
        for (int i = 0; i < 64; ++i) tables[t][i] = cinfo.quant_tbl_ptrs[t] ? cinfo.quant_tbl_ptrs[t]->quantval[i] : -1;
    jpeg_destroy_decompress(&cinfo);
    return tables;
}

Dib Noise(int width, int height, int bitsPerPixel, unsigned seed) {
    Dib dib(width, height, bitsPerPixel);
    std::mt19937 random(seed);
    for (size_t i = 0; i < dib.sizeBytes(); ++i) dib.bits()[i] = static_cast<uint8_t>(random());
    return dib;
}

// The setting 1..10 reaches libjpeg as 10..100: the file carries exactly libjpeg's tables for
// that quality, and they differ from the neighbouring qualities' tables.
TEST(ComposedJpegSave, QualitySettingReachesLibjpegTimesTen) {
    TempDir dir;
    const Dib picture = Noise(40, 24, 24, 7);
    for (const int setting : {1, 5, 10}) {
        const std::string path = dir.file("q" + std::to_string(setting) + ".jpg");
        const SaveResult result = SaveComposedImage(path, picture, setting);
        ASSERT_TRUE(result.saved()) << setting;
        EXPECT_EQ(result.format, SaveFormat::Jpeg);
        const auto tables = FileTables(ReadText(path));
        EXPECT_EQ(tables, LibraryTables(10 * setting)) << "setting " << setting;
        if (setting < 10) {
            EXPECT_NE(tables, LibraryTables(10 * setting + 1)) << "setting " << setting;
        }
        EXPECT_NE(tables, LibraryTables(10 * setting - 1)) << "setting " << setting;
    }
}

TEST(JpegWriter, WritesBaselineFramesOnly) {
    TempDir dir;
    const std::string path = dir.file("b.jpg");
    const std::vector<uint8_t> rgb(16 * 8 * 3, 90);
    for (const int quality : {1, 10, 100}) {
        ASSERT_EQ(WriteJpegFile(path, rgb.data(), 16, 8, quality), 1);
        const std::string bytes = ReadText(path);
        int marker = 0;
        ASSERT_GT(testsupport::FindStartOfFrame(std::vector<uint8_t>(bytes.begin(), bytes.end()), &marker), 0);
        EXPECT_EQ(marker, 0xC0) << "quality " << quality;  // baseline, not extended or progressive
    }
}

TEST(JpegWriter, RgbBufferComesBackAsTheSameColours) {
    TempDir dir;
    const std::string path = dir.file("colours.jpg");
    const int width = 32, height = 16;
    const std::vector<uint8_t> rgb = testsupport::BlockPixels(width, height, 3, {{250, 10, 10}, {10, 250, 10}});
    ASSERT_EQ(WriteJpegFile(path, rgb.data(), width, height, 100), 1);
    Dib picture;
    ASSERT_EQ(ReadJpegFile(path, picture), ReadStatus::Ok);
    const uint8_t* left = picture.pixel(8, 8);
    const uint8_t* right = picture.pixel(24, 8);
    EXPECT_NEAR(left[2], 250, 3);  // red first in the buffer, red third in the bitmap
    EXPECT_NEAR(left[0], 10, 3);
    EXPECT_NEAR(right[1], 250, 3);
    EXPECT_NEAR(right[2], 10, 3);
}

TEST(JpegWriter, NothingToWriteGivesZeroAndNoFile) {
    TempDir dir;
    const std::string path = dir.file("none.jpg");
    const std::vector<uint8_t> rgb(12, 0);
    EXPECT_EQ(WriteJpegFile(path, nullptr, 2, 2, 50), 0);
    EXPECT_EQ(WriteJpegFile(path, rgb.data(), 0, 2, 50), 0);
    EXPECT_EQ(WriteJpegFile(path, rgb.data(), 2, 0, 50), 0);
    EXPECT_EQ(WriteJpegFile(dir.file("no/such/folder.jpg"), rgb.data(), 2, 2, 50), 0);
    EXPECT_EQ(CountEntries(dir.path()), 0u);
}

// libjpeg refuses a width above 65500 after the file has been opened: the writer returns 0
// with libjpeg's text, and the picture that was there before is untouched.
TEST(JpegWriter, FatalErrorReturnsZeroWithLibjpegTextAndKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.file("keep.jpg");
    WriteText(path, "the user's picture");
    const std::vector<uint8_t> wide(65501 * 3, 128);
    std::string message;
    EXPECT_EQ(WriteJpegFile(path, wide.data(), 65501, 1, 50, &message), 0);
    EXPECT_NE(message.find("65500"), std::string::npos) << message;
    EXPECT_EQ(ReadText(path), "the user's picture");
    EXPECT_EQ(CountEntries(dir.path()), 1u);

    const SaveResult save = SaveComposedImage(path, Dib(65501, 1, 24), 5);
    EXPECT_EQ(save.status, SaveStatus::JpegFatalError);
    EXPECT_FALSE(save.jpegMessage.empty());
    EXPECT_EQ(ReadText(path), "the user's picture");
}

TEST(JpegWriter, AFullDiskKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.file("keep.jpg");
    WriteText(path, "the user's picture");
    const Dib noise = Noise(300, 300, 24, 3);
    const int code = testsupport::RunWithFileSizeLimit(2048, [&] {
        const SaveResult r = SaveComposedImage(path, noise, 10);
        return r.saved() ? 1 : 0;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadText(path), "the user's picture");
    EXPECT_EQ(CountEntries(dir.path()), 1u);
}

// The buffer handed to the encoder holds, for every pixel, red, green and blue exactly as
// ReadChannel reads them: 5-bit channels widened (31 -> 255, 16 -> 131), bit 15 and the fourth
// byte of a 32-bit pixel ignored.
TEST(ComposedJpegSave, BufferCarriesTheColoursReadChannelReads) {
    for (const int bits : {16, 24, 32}) {
        const Dib picture = Noise(13, 7, bits, static_cast<unsigned>(bits));
        const std::vector<uint8_t> rgb = ComposedRgbBuffer(picture);
        ASSERT_EQ(rgb.size(), 13u * 7u * 3u);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 13; ++x) {
                const uint8_t* p = picture.pixel(x, y);
                const uint8_t* out = &rgb[(static_cast<size_t>(y) * 13 + x) * 3];
                ASSERT_EQ(out[0], ReadChannel(p, Channel::Red, bits)) << bits << " bits at " << x << "," << y;
                ASSERT_EQ(out[1], ReadChannel(p, Channel::Green, bits));
                ASSERT_EQ(out[2], ReadChannel(p, Channel::Blue, bits));
            }
    }
    Dib white16(1, 1, 16);
    white16.pixel(0, 0)[0] = 0xFF;
    white16.pixel(0, 0)[1] = 0xFF;  // bit 15 set as well
    EXPECT_EQ(ComposedRgbBuffer(white16), (std::vector<uint8_t>{255, 255, 255}));
    Dib half16(1, 1, 16);
    WritePixel(half16.pixel(0, 0), 0, 0, 0, 16);
    half16.pixel(0, 0)[0] = 0x10;  // blue field 16
    EXPECT_EQ(ComposedRgbBuffer(half16), (std::vector<uint8_t>{0, 0, 131}));
    EXPECT_TRUE(ComposedRgbBuffer(Dib()).empty());
}

TEST(ComposedJpegSave, SixteenBitPictureIsWrittenWithWidenedChannels) {
    TempDir dir;
    Dib picture(32, 16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            uint8_t* p = picture.pixel(x, y);
            const uint16_t word = x < 16 ? 0x7FFF : 0x0210;  // white | green 16, blue 16
            p[0] = static_cast<uint8_t>(word);
            p[1] = static_cast<uint8_t>(word >> 8);
        }
    const std::string path = dir.file("sixteen.jpg");
    ASSERT_TRUE(SaveComposedImage(path, picture, 10).saved());
    Dib decoded;
    ASSERT_EQ(ReadJpegFile(path, decoded), ReadStatus::Ok);
    const uint8_t* white = decoded.pixel(8, 8);
    const uint8_t* teal = decoded.pixel(24, 8);
    EXPECT_GE(white[0], 253);  // 31 widened to 255, not shifted to 248
    EXPECT_NEAR(teal[0], 131, 3);
    EXPECT_NEAR(teal[1], 131, 3);
    EXPECT_NEAR(teal[2], 0, 3);
}

// The composed save streams rows into the encoder; the file must be exactly the one the whole
// RGB buffer gives.
TEST(ComposedJpegSave, StreamedRowsWriteTheSameFileAsTheWholeBuffer) {
    TempDir dir;
    for (const int bits : {16, 24, 32}) {
        const Dib picture = Noise(37, 23, bits, 100u + static_cast<unsigned>(bits));
        const std::string streamed = dir.file("streamed.jpg");
        const std::string whole = dir.file("whole.jpg");
        ASSERT_TRUE(SaveComposedImage(streamed, picture, 7).saved());
        const std::vector<uint8_t> rgb = ComposedRgbBuffer(picture);
        ASSERT_EQ(WriteJpegFile(whole, rgb.data(), 37, 23, JpegLibraryQuality(7)), 1);
        EXPECT_EQ(ReadText(streamed), ReadText(whole)) << bits << " bits";
    }
}

TEST(ComposedImageSave, FormatComesFromTheLastCharacter) {
    struct Case {
        const char* path;
        SaveFormat format;
    };
    const Case cases[] = {{"a.jpg", SaveFormat::Jpeg},  {"a.JPG", SaveFormat::Jpeg}, {"a.jpeg", SaveFormat::Jpeg},
                          {"a.png", SaveFormat::Jpeg},  {"a.bmp", SaveFormat::Bmp},  {"A.BMP", SaveFormat::Bmp},
                          {"p", SaveFormat::Bmp},       {"a.tif", SaveFormat::None}, {"a.bmp ", SaveFormat::None},
                          {"a.jp", SaveFormat::Bmp},    {"", SaveFormat::None},      {"a.gif", SaveFormat::None}};
    for (const Case& c : cases) EXPECT_EQ(SaveFormatForPath(c.path), c.format) << '"' << c.path << '"';
}

TEST(ComposedImageSave, OtherEndingsWriteNothing) {
    TempDir dir;
    const SaveResult result = SaveComposedImage(dir.file("a.tif"), Dib(2, 2, 24), 5);
    EXPECT_EQ(result.status, SaveStatus::NoFormat);
    EXPECT_EQ(static_cast<int>(result.status), -1);
    EXPECT_EQ(CountEntries(dir.path()), 0u);
}

}  // namespace
}  // namespace tessmet

namespace tessmet {
namespace {

using namespace codec;

// A real warning of the encoder (one scanline too many) reaches the program, not the terminal.
TEST(JpegWarnings, LibraryWarningsAreCollectedInsteadOfPrinted) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    std::vector<std::string> warnings;
    CollectJpegWarnings(reinterpret_cast<j_common_ptr>(&cinfo), &warnings);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = 4;
    cinfo.image_height = 1;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::array<JSAMPLE, 12> pixels{};
    JSAMPROW rows[1] = {pixels.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
    EXPECT_TRUE(warnings.empty());
    jpeg_write_scanlines(&cinfo, rows, 1);
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "Application transferred too many scanlines");
}

}  // namespace
}  // namespace tessmet
