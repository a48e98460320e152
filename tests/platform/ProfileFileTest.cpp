#include "platform/ProfileFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using platform::GetProfileInt;
using platform::GetProfileString;
using platform::ParseProfileInt;
using platform::ProfileFile;
using platform::WriteProfileString;
using testsupport::ReadText;
using testsupport::TempDir;
using testsupport::WriteText;

namespace {

struct IntCase {
    const char* text;
    int expected;
};

class ParseProfileIntTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(ParseProfileIntTest, FollowsTheProfileIntegerRule) {
    EXPECT_EQ(ParseProfileInt(GetParam().text, 77), GetParam().expected) << "text: '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseProfileIntTest,
                         ::testing::Values(IntCase{"42", 42}, IntCase{"-17", -17}, IntCase{"+5", 5},
                                           IntCase{"  12  ", 12}, IntCase{"12abc", 12}, IntCase{"abc", 0},
                                           IntCase{"-", 0}, IntCase{"0x10", 0}, IntCase{"3.9", 3},
                                           IntCase{"", 77},  // an empty value reads as the default
                                           IntCase{"2147483647", 2147483647},
                                           IntCase{"4294967295", -1},  // wraps like the 32-bit reader
                                           IntCase{"99999999999999999999", 1661992959}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(ProfileFile, ReadsSectionsAndKeysWithoutRegardToCaseOrWhitespace) {
    const ProfileFile file = ProfileFile::Parse(
        "; comment line\r\n"
        "[Data]\r\n"
        "  UnitType =  2  \r\n"
        "garbage line without equals\r\n"
        "Name=\"quoted value\"\r\n"
        "[ other ]\r\n"
        "unittype=9\r\n");
    EXPECT_EQ(file.value("DATA", "unittype"), "2");
    EXPECT_EQ(file.value("data", "UNITTYPE"), "2");
    EXPECT_EQ(file.value("Data", "Name"), "quoted value");
    EXPECT_EQ(file.value("OTHER", "UnitType"), "9");
    EXPECT_EQ(file.value("DATA", "missing"), std::nullopt);
    EXPECT_EQ(file.value("nosection", "UnitType"), std::nullopt);
}

TEST(ProfileFile, FirstOfDuplicatedSectionsAndKeysWins) {
    const ProfileFile file = ProfileFile::Parse("[A]\nk=1\nk=2\n[A]\nk=3\nj=4\n");
    EXPECT_EQ(file.value("A", "k"), "1");
    EXPECT_EQ(file.value("A", "j"), std::nullopt);  // only the first [A] is searched
}

TEST(ProfileFile, LfAndCrLfReadAlike) {
    for (const char* eol : {"\n", "\r\n"}) {
        const std::string text = std::string("[S]") + eol + "a=1" + eol + "b=two" + eol;
        const ProfileFile file = ProfileFile::Parse(text);
        EXPECT_EQ(file.value("S", "a"), "1") << "eol " << (eol[0] == '\r' ? "CRLF" : "LF");
        EXPECT_EQ(file.value("S", "b"), "two");
    }
}

TEST(ProfileFile, WriteReplacesTheKeyInPlaceAndKeepsEverythingElse) {
    const std::string original =
        "; settings\n"
        "[PEN]\n"
        "IP-Color = 65280\n"
        "junk ### line\n"
        "Measure-Color=255\n"
        "\n"
        "[OTHER]\n"
        "JpegQuality=5\n";
    ProfileFile file = ProfileFile::Parse(original);
    file.setValue("pen", "ip-color", std::string("1"));
    EXPECT_EQ(file.text(),
              "; settings\n"
              "[PEN]\n"
              "IP-Color=1\n"
              "junk ### line\n"
              "Measure-Color=255\n"
              "\n"
              "[OTHER]\n"
              "JpegQuality=5\n");
}

TEST(ProfileFile, NewKeysGoToTheEndOfTheirSectionAndNewSectionsToTheEnd) {
    ProfileFile file = ProfileFile::Parse("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    file.setValue("A", "z", std::string("3"));
    file.setValue("C", "w", std::string("4"));
    EXPECT_EQ(file.text(), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n\r\n[C]\r\nw=4\r\n");
}

TEST(ProfileFile, RemovingAKeyLeavesTheRest) {
    ProfileFile file = ProfileFile::Parse("[A]\nx=1\ny=2\n");
    file.setValue("A", "x", std::nullopt);
    file.setValue("A", "absent", std::nullopt);
    file.setValue("Nowhere", "x", std::nullopt);
    EXPECT_EQ(file.text(), "[A]\ny=2\n");
}

TEST(ProfileFile, KeepsAFileWithoutFinalLineEndAndItsByteOrderMark) {
    ProfileFile file = ProfileFile::Parse("\xEF\xBB\xBF[A]\nx=1");
    EXPECT_EQ(file.value("A", "x"), "1");
    file.setValue("A", "x", std::string("2"));
    EXPECT_EQ(file.text(), "\xEF\xBB\xBF[A]\nx=2");
}

TEST(ProfileFunctions, MissingFileGivesDefaultsAndTheFirstWriteCreatesIt) {
    TempDir dir;
    const std::string path = dir.file("Tessmet.ini");
    EXPECT_EQ(GetProfileInt("OTHER", "GridDistance", 50, path), 50);
    EXPECT_EQ(GetProfileString("Font", "FaceName", "FixedSys", path), "FixedSys");
    ASSERT_TRUE(WriteProfileString("OTHER", "GridDistance", std::string("30"), path));
    ASSERT_TRUE(WriteProfileString("OTHER", "JpegQuality", std::string("7"), path));
    EXPECT_EQ(ReadText(path), "[OTHER]\r\nGridDistance=30\r\nJpegQuality=7\r\n");
    EXPECT_EQ(GetProfileInt("other", "griddistance", 50, path), 30);
}

TEST(ProfileFunctions, PresentButNotANumberReadsZero) {
    TempDir dir;
    const std::string path = dir.file("x.ini");
    WriteText(path, "[S]\nword=hello\nempty=\n");
    EXPECT_EQ(GetProfileInt("S", "word", 50, path), 0);
    EXPECT_EQ(GetProfileInt("S", "empty", 50, path), 50);
    EXPECT_EQ(GetProfileInt("S", "absent", 50, path), 50);
}

TEST(ProfileFunctions, StringsAreCutToTheBufferSize) {
    TempDir dir;
    const std::string path = dir.file("x.ini");
    WriteText(path, "[S]\nname=abcdefghij\n");
    EXPECT_EQ(GetProfileString("S", "name", "", path, 5), "abcd");
    EXPECT_EQ(GetProfileString("S", "name", "", path), "abcdefghij");
    EXPECT_EQ(GetProfileString("S", "absent", "default  ", path), "default");
}

TEST(ProfileFunctions, GarbageFileReadsDefaultsAndSurvivesAWrite) {
    TempDir dir;
    const std::string path = dir.file("garbage.ini");
    const std::string garbage = std::string("\x01\x02 binary \xff\xfe\n=\n[[[\n]]]\nkey without section=3\n", 44);
    WriteText(path, garbage);
    EXPECT_EQ(GetProfileInt("S", "key without section", 9, path), 9);
    ASSERT_TRUE(WriteProfileString("S", "k", std::string("1"), path));
    const std::string after = ReadText(path);
    EXPECT_EQ(after.substr(0, garbage.size()), garbage);
    EXPECT_EQ(GetProfileInt("S", "k", 0, path), 1);
}

TEST(ProfileFunctions, AFolderInPlaceOfTheFileReadsDefaultsAndRefusesWrites) {
    TempDir dir;
    const std::string path = dir.file("Tessmet.ini");
    std::filesystem::create_directory(path);
    EXPECT_EQ(GetProfileInt("S", "k", 5, path), 5);
    EXPECT_FALSE(WriteProfileString("S", "k", std::string("1"), path));
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST(ProfileFunctions, WriteIntoAMissingFolderFailsCleanly) {
    TempDir dir;
    EXPECT_FALSE(WriteProfileString("S", "k", std::string("1"), dir.file("no/such/folder/x.ini")));
    // A regular file where a folder should be.
    WriteText(dir.file("plain"), "x");
    EXPECT_FALSE(WriteProfileString("S", "k", std::string("1"), dir.file("plain/x.ini")));
}

TEST(ProfileFunctions, ReadOnlyFileAndFolderAreLeftAlone) {
    TempDir dir;
    testsupport::OpenToOthers(dir.path());
    const std::string path = dir.file("ro.ini");
    WriteText(path, "[S]\nk=1\n");
    ::chmod(path.c_str(), 0444);
    EXPECT_TRUE(testsupport::AsOrdinaryUser([&] { return !WriteProfileString("S", "k", std::string("2"), path); }));
    EXPECT_EQ(ReadText(path), "[S]\nk=1\n");
    ::chmod(path.c_str(), 0666);
    ::chmod(dir.path().c_str(), 0555);
    EXPECT_TRUE(testsupport::AsOrdinaryUser([&] { return !WriteProfileString("S", "k", std::string("2"), path); }));
    EXPECT_EQ(ReadText(path), "[S]\nk=1\n");
    EXPECT_EQ(GetProfileInt("S", "k", 0, path), 1);
}

TEST(ProfileFunctions, AFileTooLargeToBeAProfileIsNeverReplaced) {
    TempDir dir;
    const std::string path = dir.file("big.ini");
    {
        std::ofstream out(path, std::ios::binary);
        out << "[S]\nk=1\n";
        out.seekp(static_cast<std::streamoff>(ProfileFile::kMaxBytes) + 10);
        out << "end";
    }
    const auto size = std::filesystem::file_size(path);
    EXPECT_EQ(GetProfileInt("S", "k", 7, path), 7);
    EXPECT_FALSE(WriteProfileString("S", "k", std::string("2"), path));
    EXPECT_EQ(std::filesystem::file_size(path), size);
}

}  // namespace
