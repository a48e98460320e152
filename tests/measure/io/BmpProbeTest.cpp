#include "measure/io/BmpProbe.h"
#include "support/BmpBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using testsupport::AsString;
using testsupport::BmpLayout;
using testsupport::BuildBmp;
using testsupport::TempDir;
using testsupport::WriteText;

namespace tessmet {
namespace {

TEST(BmpProbe, ReportsTheHeaderFieldsWhateverTheDepth) {
    struct Case {
        int32_t width, height;
        uint16_t bits;
        int stride;
    };
    const Case cases[] = {{3, 2, 24, 12}, {5, -7, 16, 12}, {2, 2, 32, 8}, {9, 1, 8, 12}, {33, 1, 1, 8}};
    TempDir dir;
    for (const Case& c : cases) {
        BmpLayout layout;
        layout.width = c.width;
        layout.height = c.height;
        layout.bitsPerPixel = c.bits;
        const std::string path = dir.file("p.bmp");
        WriteText(path, AsString(BuildBmp(layout)));
        BmpHeaderInfo info;
        ASSERT_EQ(ProbeBmpFile(path, info), ProbeResult::Ok) << c.width << "x" << c.height;
        EXPECT_EQ(info.width, c.width);
        EXPECT_EQ(info.height, c.height);
        EXPECT_EQ(info.planes, 1);
        EXPECT_EQ(info.bitsPerPixel, c.bits);
        EXPECT_EQ(info.stride, c.stride) << c.width << " pixels of " << c.bits << " bits";
    }
}

// The size in the header is not a reason to read (or allocate) anything: only the fields count.
TEST(BmpProbe, IgnoresAHostileFileSize) {
    TempDir dir;
    const std::string path = dir.file("liar.bmp");
    std::vector<uint8_t> bytes = BuildBmp(BmpLayout{});
    testsupport::PutLe(bytes, 2, 0xFFFFFFFFu, 4);
    bytes.resize(30);  // the header fields and nothing else
    WriteText(path, AsString(bytes));
    BmpHeaderInfo info;
    ASSERT_EQ(ProbeBmpFile(path, info), ProbeResult::Ok);
    EXPECT_EQ(info.bitsPerPixel, 24);
    EXPECT_EQ(info.width, 4);
}

TEST(BmpProbe, RefusesWhatCannotBeOpenedOrIsNotABitmap) {
    TempDir dir;
    WriteText(dir.file("text.bmp"), "this is a text file named .bmp");
    WriteText(dir.file("empty.bmp"), "");
    WriteText(dir.file("short.bmp"), "BM\x10\x00\x00\x00");
    WriteText(dir.file("swapped.bmp"), "MB" + std::string(60, '\0'));
    struct Case {
        std::string path;
        int result;
    };
    const Case cases[] = {{dir.file("missing.bmp"), ProbeResult::CannotOpen},
                          {dir.path().string(), ProbeResult::CannotOpen},
                          {"", ProbeResult::CannotOpen},
                          {dir.file("text.bmp"), ProbeResult::NotBitmap},
                          {dir.file("empty.bmp"), ProbeResult::NotBitmap},
                          {dir.file("short.bmp"), ProbeResult::NotBitmap},
                          {dir.file("swapped.bmp"), ProbeResult::NotBitmap}};
    for (const Case& c : cases) {
        BmpHeaderInfo info;
        info.bitsPerPixel = 99;
        EXPECT_EQ(ProbeBmpFile(c.path, info), c.result) << c.path;
        EXPECT_EQ(info.bitsPerPixel, 0) << c.path;
    }
}

}  // namespace
}  // namespace tessmet
