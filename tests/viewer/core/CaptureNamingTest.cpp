#include "viewer/core/CaptureNaming.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace lumora;
using testsupport::TempDir;
using testsupport::WriteText;

namespace {

TEST(CaptureNaming, PictureNumberOfAName) {
    struct Case {
        const char* name;
        std::optional<int64_t> number;
    };
    const Case cases[] = {
        {"Pic00007.jpg", 7},       {"Pic00012.bmp", 12},      {"pic00003.JPG", 3},
        {"Pic1.Bmp", 1},           {"Pic123456.jpg", 123456}, {"Pic0003a.jpg", std::nullopt},
        {"Picture.jpg", std::nullopt}, {"Pic00020.png", std::nullopt}, {"Pic.jpg", std::nullopt},
        {"Pic 0001.jpg", std::nullopt}, {"Pic-0001.jpg", std::nullopt}, {"Pix00001.jpg", std::nullopt},
        {"Pic00001.jpeg", std::nullopt}, {"Pic00001.jpg.bak", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PictureNumberOf(c.name), c.number);
    }
}

TEST(CaptureNaming, NextNumberInAGallery) {
    struct Case {
        const char* name;
        std::vector<std::string> files;
        int64_t next;
    };
    const Case cases[] = {
        {"mixed gallery", {"Pic00007.jpg", "Pic00012.bmp", "Pic0003a.jpg", "Picture.jpg", "Pic00020.png"}, 13},
        {"empty gallery", {}, 1},
        {"only foreign names", {"notes.txt", "Pic.jpg"}, 1},
        {"past five digits", {"Pic99999.bmp", "Pic100000.jpg"}, 100001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        for (const std::string& f : c.files) WriteText(dir.file(f), "x");
        EXPECT_EQ(NextPictureNumber(dir.path().string()), c.next);
    }
    EXPECT_EQ(NextPictureNumber("/no/such/gallery"), 1);
}

TEST(CaptureNaming, NamesOfCaptures) {
    EXPECT_EQ(PictureBaseName(1), "Pic00001");
    EXPECT_EQ(PictureBaseName(13), "Pic00013");
    EXPECT_EQ(PictureBaseName(100001), "Pic100001");
    EXPECT_EQ(CaptureFileName(PictureBaseName(1), 0), "Pic00001.bmp");
    EXPECT_EQ(CaptureFileName("sample", 1), "sample.jpg");
    EXPECT_EQ(ReplaceFileQuestion("a.jpg"),
              "\nThis folder already contains a file 'a.jpg'.\n\nWould you like to replace the existing file with this one?\n");
}

TEST(CaptureNaming, TypedNames) {
    EXPECT_EQ(ManualCaptureName("  sample"), "sample");
    EXPECT_EQ(ManualCaptureName("sample  "), "sample  ");
    EXPECT_EQ(ManualCaptureName("a b"), "a b");
    EXPECT_EQ(ManualCaptureName("   "), std::nullopt);
    EXPECT_EQ(ManualCaptureName(""), std::nullopt);
}

TEST(CaptureNaming, TypedNamesThatWouldLeaveTheGallery) {
    struct Case {
        std::string_view name;
        bool refused;
    };
    const Case cases[] = {
        {"sample", false},    {"a b", false},   {"..x", false},          {"x..", false},
        {"../sample", true},  {"sub/x", true},  {"..\\sample", true},    {"/etc/x", true},
        {".", true},          {"..", true},     {std::string_view("a\0b", 3), true},
    };
    for (const Case& c : cases) {
        const auto problem = CaptureNameProblem(c.name);
        EXPECT_EQ(problem.has_value(), c.refused) << c.name;
        if (problem) {
            EXPECT_EQ(problem->rfind("The name \"", 0), 0u) << *problem;
        }
    }
    EXPECT_EQ(*CaptureNameProblem("a/b"), "The name \"a/b\" cannot be used: a file name cannot contain / or \\.");
}

}  // namespace
