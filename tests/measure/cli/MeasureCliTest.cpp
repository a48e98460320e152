#include "CliRunner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::CliResult;
using testsupport::RunProgram;

namespace {

CliResult Cli(const std::vector<std::string>& args) { return RunProgram(TESSMET_CLI, args); }

struct MeasureCase {
    const char* name;
    std::vector<std::string> args;
    const char* out;
};

class CliMeasureTest : public ::testing::TestWithParam<MeasureCase> {};

TEST_P(CliMeasureTest, PrintsTextRecordAndDerivedPoint) {
    const MeasureCase& c = GetParam();
    std::vector<std::string> args = {"measure"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliResult r = Cli(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, std::string(c.out) + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, CliMeasureTest,
    ::testing::Values(
        MeasureCase{"angle_270", {"angle", "100,100", "200,100", "100,0", "150,150"},
                    R"({"text":"270.00[degree]","record":[100,100,200,100,100,0,150,150,0,1,16711680],"derived":null})"},
        MeasureCase{"angle_90_by_code", {"64", "100,100", "100,0", "200,100", "150,150"},
                    R"({"text":"90.00[degree]","record":[100,100,100,0,200,100,150,150,0,1,16711680],"derived":null})"},
        MeasureCase{"vertical_line_foot", {"vertical-distance", "10,0", "10,100", "50,40", "60,60"},
                    R"({"text":"40.00[pixel]","record":[10,0,10,100,50,40,10,40,60,60,0,1,16711680],"derived":[10,40]})"},
        MeasureCase{"center_distance", {"center-distance", "0,0", "5,0", "7,7"},
                    R"({"text":"2.00[pixel]","record":[0,0,5,0,7,7,0,1,16711680],"derived":[2,0]})"},
        MeasureCase{"anisotropic_radius",
                    {"two-point-radius", "100,100", "110,100", "5,5", "--unit", "mm", "--h", "0.01", "--v", "0.02"},
                    R"({"text":"0.1000[mm]","record":[100,100,110,100,5,5,0,1,16711680],"derived":null})"},
        MeasureCase{"two_lines_meeting_left_of_image", {"two-lines-angle", "0,0", "10,0", "0,5", "10,15", "30,30"},
                    R"({"text":"45.00[degree]","record":[0,0,10,0,0,5,10,15,-5,0,30,30,0,1,16711680],"derived":[-5,0]})"},
        MeasureCase{"three_point_radius", {"112", "0,10", "10,0", "20,10", "30,30", "--unit", "2", "--h", "0.001", "--v", "0.001"},
                    R"({"text":"10.0000[um]","record":[0,10,10,0,20,10,10,10,30,30,0,1,16711680],"derived":[10,10]})"},
        MeasureCase{"distance_in_a_large_image", {"two-point-distance", "0,0", "3000,4000", "1,1", "--size", "4000x4001"},
                    R"({"text":"5000.00[pixel]","record":[0,0,3000,4000,1,1,0,1,16711680],"derived":null})"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliMeasure, AreaRecordPadsToThirtyOnePairs) {
    const CliResult r = Cli({"measure", "area", "0,0", "10,0", "10,10", "0,10", "20,30"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string record = "[0,0,10,0,10,10,0,10,20,30";
    for (int i = 0; i < 52; ++i) record += ",0";
    record += ",5,10000,0,1,16711680]";
    EXPECT_EQ(r.out, R"({"text":"100.00[pixel*pixel]","record":)" + record + R"(,"derived":null})" "\n");
}

TEST(CliMeasure, RefusedSequencesAndMissingResultsExitOne) {
    struct Row {
        std::vector<std::string> args;
        const char* error;
    };
    const Row rows[] = {
        {{"three-point-radius", "10,10", "10,50", "50,30", "1,1"}, "no result"},
        {{"vertical-distance", "10,0", "10,100", "50,40", "1,1", "--unit", "mm", "--h", "0", "--v", "0.01"}, "no result"},
        {{"two-point-distance", "1,1"}, "wrong number of points"},
        {{"two-point-distance", "1,1", "2,2", "3,3", "4,4"}, "wrong number of points"},
        {{"area", "0,0", "10,0", "5,5"}, "wrong number of points"},
        {{"two-point-distance", "1,1", "1,1", "3,3"}, "duplicate point"},
        {{"two-point-distance", "1,1", "2,2", "1,1"}, "duplicate point"},
        {{"two-lines-angle", "0,0", "10,5", "0,10", "20,20", "30,30"}, "lines are parallel"},
        {{"three-point-radius", "10,10", "10,50", "10,30", "1,1"}, "three points on one vertical or horizontal line"},
        {{"two-point-distance", "1,1", "640,2", "3,3"}, "point outside the image"},
        {{"two-point-distance", "1,1", "-1,2", "3,3"}, "point outside the image"},
    };
    for (const Row& row : rows) {
        std::vector<std::string> args = {"measure"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const CliResult r = Cli(args);
        EXPECT_EQ(r.exitCode, 1) << row.args[0] << " " << r.err;
        EXPECT_EQ(r.out, std::string(R"({"error":")") + row.error + "\"}\n");
    }
    // Thirty vertices are taken, thirty-one are not.
    std::vector<std::string> area = {"measure", "area"};
    for (int i = 0; i < 30; ++i) area.push_back(std::to_string(i * 10) + "," + std::to_string(i % 2 == 0 ? 0 : 100 + i));
    area.push_back("5,400");
    EXPECT_EQ(Cli(area).exitCode, 0);
    area.insert(area.end() - 1, "320,470");
    EXPECT_EQ(Cli(area).exitCode, 1);
}

TEST(CliMeasure, UsageErrorsExitTwo) {
    const std::vector<std::vector<std::string>> bad = {
        {"measure"},
        {"measure", "line", "1,1", "2,2", "3,3"},
        {"measure", "1", "1,1", "2,2", "3,3"},
        {"measure", "angle", "1;1", "2,2", "3,3", "4,4"},
        {"measure", "angle", "1,1,", "2,2", "3,3", "4,4"},
        {"measure", "angle", "1,1", "2,2", "3,3", "4,4", "--unit"},
        {"measure", "angle", "1,1", "2,2", "3,3", "4,4", "--unit", "furlong"},
        {"measure", "angle", "1,1", "2,2", "3,3", "4,4", "--h", "x"},
        {"measure", "angle", "1,1", "2,2", "3,3", "4,4", "--size", "10"},
        {"measure", "angle", "1,1", "2,2", "3,3", "4,4", "--zoom", "2"},
    };
    for (const auto& args : bad) {
        const CliResult r = Cli(args);
        EXPECT_EQ(r.exitCode, 2) << (args.size() > 1 ? args[1] : "");
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(r.err.empty());
    }
}

}  // namespace
