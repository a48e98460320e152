#include "codec/BmpReader.h"
#include "codec/BmpWriter.h"
#include "support/BmpBytes.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using testsupport::AsString;
using testsupport::BmpLayout;
using testsupport::BuildBmp;
using testsupport::ReadText;
using testsupport::CountEntries;
using testsupport::TempDir;
using testsupport::WriteText;

namespace codec {
namespace {

uint32_t FieldAt(const std::string& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
    return value;
}

TEST(BmpWriter, ThreeByTwoAt24BitsIs78BytesWithTheTabledHeader) {
    TempDir dir;
    const std::string path = dir.file("small.bmp");
    const std::vector<uint8_t> rows = testsupport::PatternBytes(24);
    ASSERT_EQ(WriteBmpFile(path, 3, 2, 12, 24, rows.data()), BmpWriteResult::Ok);
    const std::string file = ReadText(path);
    ASSERT_EQ(file.size(), 78u);

    struct Field {
        size_t offset;
        int size;
        uint32_t value;
    };
    const Field fields[] = {{0, 2, 0x4D42}, {2, 4, 78}, {6, 2, 0},  {8, 2, 0},   {10, 4, 54}, {14, 4, 40},
                            {18, 4, 3},     {22, 4, 2}, {26, 2, 1}, {28, 2, 24}, {30, 4, 0},  {34, 4, 24},
                            {38, 4, 0},     {42, 4, 0}, {46, 4, 0}, {50, 4, 0}};
    for (const Field& f : fields) EXPECT_EQ(FieldAt(file, f.offset, f.size), f.value) << "offset " << f.offset;
    EXPECT_EQ(file.substr(54), AsString(rows));  // rows unchanged, in the order given
}

TEST(BmpWriter, HeadersFollowSizeAndDepth) {
    const auto h = BmpFileHeaders(641, 480, Dib::StrideFor(641, 16), 16);
    const std::string bytes(h.begin(), h.end());
    EXPECT_EQ(FieldAt(bytes, 2, 4), 54u + 480u * 1284u);
    EXPECT_EQ(FieldAt(bytes, 28, 2), 16u);
    EXPECT_EQ(FieldAt(bytes, 34, 4), 480u * 1284u);
}

// Read a file, write the bitmap back: the pixel area is the file's, byte for byte (padding
// included); a top-down file comes back bottom-up, so its rows come back reversed.
struct RoundTripCase {
    const char* name;
    int width;
    int height;
    uint16_t bits;
};

class BmpRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(BmpRoundTrip, PixelAreaComesBackUnchanged) {
    const RoundTripCase& c = GetParam();
    BmpLayout layout;
    layout.width = c.width;
    layout.height = c.height;
    layout.bitsPerPixel = c.bits;
    const std::vector<uint8_t> original = BuildBmp(layout);
    Dib picture;
    ASSERT_EQ(DecodeBmp(original.data(), original.size(), picture), ReadStatus::Ok);

    TempDir dir;
    const std::string path = dir.file("copy.bmp");
    ASSERT_EQ(WriteBmpFile(path, picture), BmpWriteResult::Ok);
    const std::string written = ReadText(path);
    const int rows = c.height < 0 ? -c.height : c.height;
    const size_t stride = static_cast<size_t>(testsupport::BmpStride(c.width, c.bits));
    ASSERT_EQ(written.size(), 54 + stride * rows);
    const auto headers = BmpFileHeaders(c.width, rows, static_cast<int>(stride), c.bits);
    EXPECT_EQ(written.substr(0, 54), std::string(headers.begin(), headers.end()));

    const std::string source = AsString(original).substr(54);
    std::string expected;
    for (int i = 0; i < rows; ++i) {
        const int from = c.height > 0 ? i : rows - 1 - i;
        expected += source.substr(static_cast<size_t>(from) * stride, stride);
    }
    EXPECT_EQ(written.substr(54), expected);
}

INSTANTIATE_TEST_SUITE_P(Depths, BmpRoundTrip,
                         ::testing::Values(RoundTripCase{"Bits16", 7, 5, 16}, RoundTripCase{"Bits24", 7, 5, 24},
                                           RoundTripCase{"Bits32", 7, 5, 32}, RoundTripCase{"Bits16TopDown", 3, -4, 16},
                                           RoundTripCase{"Bits24TopDown", 5, -2, 24},
                                           RoundTripCase{"Bits32TopDown", 2, -3, 32}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BmpWriter, RefusesLayoutsThatWouldNotReadBackAndWritesNothing) {
    TempDir dir;
    const std::string path = dir.file("x.bmp");
    const std::vector<uint8_t> rows(256, 1);
    EXPECT_EQ(WriteBmpFile(path, 3, 2, 12, 8, rows.data()), BmpWriteResult::Failed);   // palette depth
    EXPECT_EQ(WriteBmpFile(path, 3, 2, 10, 24, rows.data()), BmpWriteResult::Failed);  // unpadded stride
    EXPECT_EQ(WriteBmpFile(path, 3, 2, 16, 24, rows.data()), BmpWriteResult::Failed);  // stride of another width
    EXPECT_EQ(WriteBmpFile(path, 0, 2, 0, 24, rows.data()), BmpWriteResult::Failed);
    EXPECT_EQ(WriteBmpFile(path, 3, 0, 12, 24, rows.data()), BmpWriteResult::Failed);
    EXPECT_EQ(WriteBmpFile(path, 3, 2, 12, 24, nullptr), BmpWriteResult::Failed);
    EXPECT_EQ(WriteBmpFile(path, Dib()), BmpWriteResult::Failed);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(BmpWriter, AFailedWriteKeepsTheOldPicture) {
    TempDir dir;
    const std::string path = dir.file("keep.bmp");
    WriteText(path, "the user's picture");
    Dib big(300, 200, 24);
    big.fill(0x77);

    // A full disk half-way through the rows.
    const int code = testsupport::RunWithFileSizeLimit(4096, [&] {
        return WriteBmpFile(path, big) == BmpWriteResult::Failed ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadText(path), "the user's picture");
    EXPECT_EQ(CountEntries(dir.path()), 1u);  // no temporary file left behind

    // A folder in the way cannot be replaced.
    std::filesystem::create_directory(dir.file("folder.bmp"));
    EXPECT_EQ(WriteBmpFile(dir.file("folder.bmp"), big), BmpWriteResult::Failed);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.bmp")));

    // And with room enough, the same write replaces the file.
    ASSERT_EQ(WriteBmpFile(path, big), BmpWriteResult::Ok);
    EXPECT_EQ(ReadText(path).size(), 54u + 200u * 900u);
}

}  // namespace
}  // namespace codec
