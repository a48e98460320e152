#include "codec/JpegReader.h"
#include "codec/JpegWarnings.h"
#include "codec/JpegWriter.h"
#include "support/JpegBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

#include <jpeglib.h>

using testsupport::CountEntries;
using testsupport::ReadText;
using testsupport::TempDir;
using testsupport::WriteText;

namespace codec {
namespace {

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
}

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
}  // namespace codec
