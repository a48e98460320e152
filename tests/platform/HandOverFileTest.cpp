#include "platform/HandOverFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using platform::TakeHandOverFile;
using platform::WriteHandOverFile;
using testsupport::ReadText;
using testsupport::TempDir;
using testsupport::WriteText;

namespace {

TEST(HandOverFile, ThePathIsWrittenWithoutLineEndAndReadBack) {
    TempDir dir;
    const std::string file = dir.file("Tessmet.tmp");
    ASSERT_TRUE(WriteHandOverFile(file, "/home/u/my pictures/Pic00001.jpg"));
    EXPECT_EQ(ReadText(file), "/home/u/my pictures/Pic00001.jpg");
    // A second write replaces the first, it does not append.
    ASSERT_TRUE(WriteHandOverFile(file, "/a.bmp"));
    EXPECT_EQ(ReadText(file), "/a.bmp");
    EXPECT_EQ(TakeHandOverFile(file), "/a.bmp");
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(HandOverFile, OnlyTheFirstLineIsTakenAndTheFileIsDeletedInEveryCase) {
    struct Case {
        const char* content;
        const char* expected;
    };
    const Case cases[] = {
        {"/x/a.jpg\r\n/x/b.jpg\r\n", "/x/a.jpg"},
        {"/x/a.jpg\n", "/x/a.jpg"},
        {"\n/x/b.jpg", ""},
        {"", ""},
    };
    TempDir dir;
    const std::string file = dir.file("Tessmet.tmp");
    for (const Case& c : cases) {
        WriteText(file, c.content);
        EXPECT_EQ(TakeHandOverFile(file), c.expected) << c.content;
        EXPECT_FALSE(std::filesystem::exists(file)) << c.content;
    }
}

TEST(HandOverFile, AMissingFileGivesAnEmptyPath) {
    TempDir dir;
    EXPECT_EQ(TakeHandOverFile(dir.file("Tessmet.tmp")), "");
}

TEST(HandOverFile, ALineLongerThanTheLimitIsRefusedNotCut) {
    TempDir dir;
    const std::string file = dir.file("Tessmet.tmp");
    const std::string limit(255, 'a');
    WriteText(file, limit + "\r\n");
    EXPECT_EQ(TakeHandOverFile(file), limit);
    WriteText(file, limit + "b");
    EXPECT_EQ(TakeHandOverFile(file), "");
    EXPECT_FALSE(std::filesystem::exists(file));
    WriteText(file, std::string(1 << 20, 'c'));  // a huge file is not read whole
    EXPECT_EQ(TakeHandOverFile(file, 16), "");
    EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
