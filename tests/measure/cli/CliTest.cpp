#include "CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

using testsupport::CliResult;
using testsupport::RunProgram;
using testsupport::TempDir;
using testsupport::WriteText;

namespace {

CliResult Cli(const std::vector<std::string>& args) { return RunProgram(TESSMET_CLI, args); }

TEST(CliCalibration, MagnificationSidecar) {
    TempDir dir;
    WriteText(dir.file("Pic00001jpg.mag"),
              "[MAG]\r\nOptical=251\r\nCorrective=100\r\n\r\n[SENSOR]\r\nWidth=713\r\nHeight=537\r\n");
    const CliResult r = Cli({"calibration", dir.file("Pic00001.jpg"), "--size", "640x480"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"unit\":1,\"hResolution\":0.004438496015936254,\"vResolution\":0.0044571713147410355,"
                     "\"source\":\"mag\",\"infPath\":\"" + dir.file("Pic00001jpg.inf") + "\",\"magPath\":\"" +
                         dir.file("Pic00001jpg.mag") +
                         "\",\"resolutionText\":\"Resolution  Horz: 0.00443  Vert: 0.00445 [mm/pixel]\"}\n");
}

TEST(CliCalibration, FallbackNameAndEmptySidecar) {
    TempDir dir;
    WriteText(dir.file("Pic00002.mag"), "");
    const CliResult r = Cli({"calibration", dir.file("Pic00002.bmp"), "--size", "800x600"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"unit\":1,\"hResolution\":0,\"vResolution\":0,\"source\":\"mag\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"magPath\":\"" + dir.file("Pic00002.mag") + "\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"resolutionText\":\"Resolution has not setup\""), std::string::npos) << r.out;
}

TEST(CliCalibration, CalibrationFileAndNoSideFiles) {
    TempDir dir;
    WriteText(dir.file("aaajpg.inf"), "[DATA]\nUnitType=2\nHResolution=2500\nVResolution=2500\n");
    const CliResult inf = Cli({"calibration", dir.file("aaa.jpg"), "--size", "10x10"});
    ASSERT_EQ(inf.exitCode, 0) << inf.err;
    EXPECT_NE(inf.out.find("\"unit\":2,\"hResolution\":0.0025,\"vResolution\":0.0025,\"source\":\"inf\""),
              std::string::npos)
        << inf.out;
    const CliResult none = Cli({"calibration", dir.file("bbb.jpg"), "--size", "10x10"});
    ASSERT_EQ(none.exitCode, 0);
    EXPECT_NE(none.out.find("\"unit\":0,\"hResolution\":1,\"vResolution\":1,\"source\":\"none\""), std::string::npos)
        << none.out;
    EXPECT_NE(none.out.find("\"resolutionText\":\"\"}"), std::string::npos);
}

TEST(CliCalibration, UsageErrorsExitTwoWithOneLine) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"nosuchcommand"},
        {"calibration"},
        {"calibration", "a.jpg", "--size"},
        {"calibration", "a.jpg", "--size", "64"},
        {"calibration", "a.jpg", "--size", "0x10"},
        {"calibration", "a.jpg", "--size", "10x10", "--bogus"},
        {"calibration", "a.jpg", "b.jpg", "--size", "10x10"},
    };
    for (const auto& args : bad) {
        const CliResult r = Cli(args);
        EXPECT_EQ(r.exitCode, 2) << (args.empty() ? "" : args[0]);
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(r.err.empty());
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

}  // namespace
