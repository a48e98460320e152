#include "platform/CommandLine.h"

#include <gtest/gtest.h>

using platform::CommandLine;
using platform::ParseCommandLine;
using platform::SplitParameterText;

namespace {

struct ParseCase {
    const char* name;
    std::vector<std::string> arguments;
    std::vector<std::string> flags;
    std::string file;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class ParseCommandLineTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandLineTest, FlagsAndTheFirstOtherArgument) {
    const ParseCase& c = GetParam();
    const CommandLine parsed = ParseCommandLine(c.arguments);
    EXPECT_EQ(parsed.flags, c.flags);
    EXPECT_EQ(parsed.file, c.file);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseCommandLineTest,
    ::testing::Values(
        ParseCase{"Nothing", {}, {}, ""},
        ParseCase{"ViewerStart", {"-", "/home/u/gallery/Pic00001.jpg"}, {""}, "/home/u/gallery/Pic00001.jpg"},
        ParseCase{"PathWithSpaces", {"-", "/home/u/my pictures/a b.jpg"}, {""}, "/home/u/my pictures/a b.jpg"},
        ParseCase{"OnlyAFile", {"a.bmp"}, {}, "a.bmp"},
        ParseCase{"FlagsAnywhere", {"-x", "a.bmp", "-y"}, {"x", "y"}, "a.bmp"},
        ParseCase{"SecondFileIgnored", {"a.bmp", "b.bmp"}, {}, "a.bmp"},
        ParseCase{"QuotesLeftOnByALauncher", {"-", "\"/tmp/x y.jpg\""}, {""}, "/tmp/x y.jpg"},
        ParseCase{"EmptyArgumentDoesNotTakeThePlace", {"", "b.jpg"}, {}, "b.jpg"},
        ParseCase{"LoneDashOnly", {"-"}, {""}, ""},
        ParseCase{"SlashStartsAPathNotAFlag", {"/p", "a.jpg"}, {}, "/p"}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

struct SplitCase {
    const char* name;
    const char* text;
    std::vector<std::string> arguments;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

class SplitParameterTextTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitParameterTextTest, BlanksSeparateQuotesGroup) {
    EXPECT_EQ(SplitParameterText(GetParam().text), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitParameterTextTest,
    ::testing::Values(
        SplitCase{"Empty", "", {}},
        SplitCase{"Blanks", "   \t ", {}},
        SplitCase{"ViewerParameters", " - \"/home/u/my pictures/Pic00001.jpg\"", {"-", "/home/u/my pictures/Pic00001.jpg"}},
        SplitCase{"BackslashesStay", " - \"C:\\Pictures\\a b.jpg\"", {"-", "C:\\Pictures\\a b.jpg"}},
        SplitCase{"QuotesInsideAWord", "ab\"c d\"e f", {"abc de", "f"}},
        SplitCase{"EmptyQuotes", "a \"\" b", {"a", "", "b"}},
        SplitCase{"UnclosedQuoteRunsToTheEnd", "- \"/tmp/a b", {"-", "/tmp/a b"}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(CommandLine, ViewerParameterTextOpensThePath) {
    const CommandLine parsed = ParseCommandLine(SplitParameterText(" - \"/srv/gallery/Pic 00001.jpg\""));
    EXPECT_EQ(parsed.file, "/srv/gallery/Pic 00001.jpg");
    EXPECT_EQ(parsed.flags, std::vector<std::string>{""});
}

}  // namespace
