#include "platform/ProgramFolder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using platform::ChooseProgramFolder;
using testsupport::TempDir;

namespace {

TEST(ProgramFolder, AWritableExecutableFolderIsTheProgramFolder) {
    TempDir exe;
    TempDir config;
    EXPECT_EQ(ChooseProgramFolder(exe.path().string(), config.path().string(), "Tessmet"),
              exe.path().string() + "/");
}

TEST(ProgramFolder, OtherwiseThePerUserFolderIsCreated) {
    TempDir config;
    const std::string chosen = ChooseProgramFolder("/nonexistent/bin/", config.path().string() + "/sub", "Tessmet");
    EXPECT_EQ(chosen, config.path().string() + "/sub/Tessmet/");
    EXPECT_TRUE(std::filesystem::is_directory(chosen));
}

TEST(ProgramFolder, ReadOnlyExecutableFolderFallsBack) {
    TempDir exe;
    TempDir config;
    testsupport::OpenToOthers(config.path());
    testsupport::OpenToOthers(exe.path());
    ::chmod(exe.path().c_str(), 0555);
    const std::string expected = config.path().string() + "/Lumora/";
    EXPECT_TRUE(testsupport::AsOrdinaryUser([&] {
        return ChooseProgramFolder(exe.path().string(), config.path().string(), "Lumora") == expected;
    }));
    EXPECT_TRUE(std::filesystem::is_directory(expected));
}

TEST(ProgramFolder, ExecutableFolderEndsWithASlash) {
    const std::string folder = platform::ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST(ProgramFolder, FolderAndFileNameSplitAtTheLastSlash) {
    EXPECT_EQ(platform::FolderOf("/a/b/c.jpg"), "/a/b/");
    EXPECT_EQ(platform::FileNameOf("/a/b/c.jpg"), "c.jpg");
    EXPECT_EQ(platform::FolderOf("c.jpg"), "");
    EXPECT_EQ(platform::FileNameOf("c.jpg"), "c.jpg");
}

}  // namespace
