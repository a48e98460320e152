#include "platform/AtomicFileWriter.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using platform::AtomicFileWriter;
using testsupport::ReadText;
using testsupport::CountEntries;
using testsupport::TempDir;
using testsupport::WriteText;

namespace {

TEST(AtomicFileWriter, PiecesAndStreamWritesLandTogetherOnCommit) {
    TempDir dir;
    const std::string path = dir.file("out.bin");
    WriteText(path, "old");
    AtomicFileWriter writer;
    ASSERT_TRUE(writer.open(path));
    ASSERT_TRUE(writer.write("abc"));
    ASSERT_EQ(std::fputs("def", writer.stream()), 1);
    ASSERT_TRUE(writer.write(std::string_view("\0g", 2)));
    EXPECT_EQ(ReadText(path), "old");  // nothing visible before the commit
    ASSERT_TRUE(writer.commit());
    EXPECT_EQ(ReadText(path), std::string("abcdef\0g", 8));
    EXPECT_EQ(CountEntries(dir.path()), 1u);
    EXPECT_EQ(writer.stream(), nullptr);
    EXPECT_FALSE(writer.commit());  // once only
}

TEST(AtomicFileWriter, WithoutCommitTheTargetStaysAndNoTemporaryRemains) {
    TempDir dir;
    const std::string path = dir.file("keep.txt");
    WriteText(path, "precious");
    {
        AtomicFileWriter writer;
        ASSERT_TRUE(writer.open(path));
        writer.write("half-written");
    }
    EXPECT_EQ(ReadText(path), "precious");
    EXPECT_EQ(CountEntries(dir.path()), 1u);

    AtomicFileWriter discarded;
    ASSERT_TRUE(discarded.open(dir.file("new.txt")));
    discarded.discard();
    EXPECT_FALSE(std::filesystem::exists(dir.file("new.txt")));
    EXPECT_EQ(CountEntries(dir.path()), 1u);
}

TEST(AtomicFileWriter, AFullDiskFailsTheCommitAndKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.file("keep.txt");
    WriteText(path, "precious");
    const int code = testsupport::RunWithFileSizeLimit(1000, [&] {
        AtomicFileWriter writer;
        if (!writer.open(path)) return 2;
        // Buffered: the write itself may seem to succeed; the commit must not.
        writer.write(std::string(5000, 'x'));
        return writer.commit() ? 1 : 0;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadText(path), "precious");
    EXPECT_EQ(CountEntries(dir.path()), 1u);
}

TEST(AtomicFileWriter, RefusesFoldersEmptyPathsAndMissingFolders) {
    TempDir dir;
    AtomicFileWriter writer;
    EXPECT_FALSE(writer.open(dir.path().string()));
    EXPECT_FALSE(writer.open(""));
    EXPECT_FALSE(writer.open(dir.file("no/such/file.txt")));
    EXPECT_EQ(writer.stream(), nullptr);
    EXPECT_FALSE(writer.write("x"));
    EXPECT_FALSE(writer.commit());
}

}  // namespace
