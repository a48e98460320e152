#include "platform/AtomicFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using platform::WriteFileAtomically;
using testsupport::ReadText;
using testsupport::CountEntries;
using testsupport::TempDir;
using testsupport::WriteText;

namespace {

TEST(AtomicFile, ReplacesContentsAndLeavesNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir.file("a.txt");
    WriteText(path, "old contents that are longer");
    ASSERT_TRUE(WriteFileAtomically(path, "new"));
    EXPECT_EQ(ReadText(path), "new");
    EXPECT_EQ(CountEntries(dir.path()), 1u);
}

TEST(AtomicFile, KeepsThePermissionsOfTheReplacedFile) {
    TempDir dir;
    const std::string path = dir.file("a.txt");
    WriteText(path, "x");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(path, "y"));
    struct stat st{};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(AtomicFile, ReplacesTheTargetOfASymbolicLinkAndKeepsTheLink) {
    TempDir dir;
    const std::string target = dir.file("real.ini");
    const std::string link = dir.file("link.ini");
    WriteText(target, "before");
    std::filesystem::create_symlink(target, link);
    ASSERT_TRUE(WriteFileAtomically(link, "after"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadText(target), "after");
}

TEST(AtomicFile, RefusesFoldersAndEmptyPaths) {
    TempDir dir;
    EXPECT_FALSE(WriteFileAtomically(dir.path().string(), "x"));
    EXPECT_FALSE(WriteFileAtomically("", "x"));
}

TEST(AtomicFile, AFailedWriteLeavesTheOldFileAndNoLitter) {
    TempDir dir;
    testsupport::OpenToOthers(dir.path());
    const std::string path = dir.file("keep.txt");
    WriteText(path, "precious");
    ::chmod(path.c_str(), 0666);
    ::chmod(dir.path().c_str(), 0555);
    EXPECT_TRUE(testsupport::AsOrdinaryUser([&] { return !WriteFileAtomically(path, "replacement"); }));
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(ReadText(path), "precious");
    EXPECT_EQ(CountEntries(dir.path()), 1u);
}

}  // namespace
