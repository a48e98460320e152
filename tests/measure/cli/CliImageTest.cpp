#include "CliRunner.h"
#include "support/BmpBytes.h"
#include "support/JpegBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using testsupport::AsString;
using testsupport::CliResult;
using testsupport::ReadText;
using testsupport::RunProgram;
using testsupport::TempDir;
using testsupport::WriteText;

namespace {

CliResult Cli(const std::vector<std::string>& args) { return RunProgram(TESSMET_CLI, args); }

std::string Bmp(int32_t width, int32_t height, uint16_t bits, uint32_t palette = 0) {
    testsupport::BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bitsPerPixel = bits;
    layout.paletteEntries = palette;
    return AsString(testsupport::BuildBmp(layout));
}

std::string Jpeg(int width, int height) {
    testsupport::JpegLayout layout;
    layout.width = width;
    layout.height = height;
    return AsString(testsupport::EncodeJpeg(layout, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3, 77)));
}

TEST(CliOpen, PrintsSizeAndDepthOrTheFirstMessage) {
    TempDir dir;
    WriteText(dir.file("a.bmp"), Bmp(7, -3, 16));
    WriteText(dir.file("photo.jpeg"), Jpeg(20, 12));
    WriteText(dir.file("eight.bmp"), Bmp(8, 2, 8, 256));
    WriteText(dir.file("text.jpg"), "not a picture");
    struct Case {
        std::string file;
        int exitCode;
        std::string out;
    };
    const Case cases[] = {{"a.bmp", 0, "{\"width\":7,\"height\":3,\"bitsPerPixel\":16}\n"},
                          {"photo.jpeg", 0, "{\"width\":20,\"height\":12,\"bitsPerPixel\":24}\n"},
                          {"eight.bmp", 1, "{\"error\":10003}\n"},
                          {"text.jpg", 1, "{\"error\":10002}\n"},
                          {"missing.bmp", 1, "{\"error\":10003}\n"}};
    for (const Case& c : cases) {
        const CliResult r = Cli({"open", dir.file(c.file)});
        EXPECT_EQ(r.exitCode, c.exitCode) << c.file << r.err;
        EXPECT_EQ(r.out, c.out) << c.file;
    }
}

TEST(CliProbe, PrintsTheHeaderFieldsOrTheProbeResult) {
    TempDir dir;
    WriteText(dir.file("eight.bmp"), Bmp(9, 2, 8, 256));
    WriteText(dir.file("text.bmp"), "not a bitmap");
    CliResult r = Cli({"probe", dir.file("eight.bmp")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "{\"width\":9,\"height\":2,\"planes\":1,\"bitsPerPixel\":8,\"stride\":12}\n");
    r = Cli({"probe", dir.file("text.bmp")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "{\"error\":-2}\n");
    r = Cli({"probe", dir.file("missing.bmp")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "{\"error\":-1}\n");
}

TEST(CliSave, WritesByTheLastLetterAsSaveAsDoes) {
    TempDir dir;
    const std::string source = Bmp(6, 4, 24);
    WriteText(dir.file("in.bmp"), source);

    CliResult r = Cli({"save", dir.file("in.bmp"), dir.file("out.BMP")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"format\":\"bmp\",\"bitsPerPixel\":24,\"width\":6,\"height\":4}\n");
    EXPECT_EQ(ReadText(dir.file("out.BMP")), source);

    r = Cli({"save", dir.file("in.bmp"), dir.file("out.jpg"), "--quality", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"format\":\"jpeg\",\"quality\":10,\"width\":6,\"height\":4}\n");
    EXPECT_EQ(ReadText(dir.file("out.jpg")).substr(0, 2), "\xFF\xD8");

    r = Cli({"save", dir.file("out.jpg"), dir.file("again.jpeg")});
    EXPECT_EQ(r.out, "{\"format\":\"jpeg\",\"quality\":50,\"width\":6,\"height\":4}\n");

    r = Cli({"save", dir.file("in.bmp"), dir.file("out.tif")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "{\"error\":-1}\n");

    WriteText(dir.file("eight.bmp"), Bmp(8, 2, 8, 256));
    r = Cli({"save", dir.file("eight.bmp"), dir.file("x.bmp")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "{\"error\":10003}\n");
}

TEST(CliCalibration, ReadsTheImageSizeFromThePicture) {
    TempDir dir;
    WriteText(dir.file("Pic00001.jpg"), Jpeg(640, 480));
    WriteText(dir.file("Pic00001jpg.mag"),
              "[MAG]\r\nOptical=251\r\nCorrective=100\r\n\r\n[SENSOR]\r\nWidth=713\r\nHeight=537\r\n");
    const CliResult fromPicture = Cli({"calibration", dir.file("Pic00001.jpg")});
    ASSERT_EQ(fromPicture.exitCode, 0) << fromPicture.err;
    EXPECT_NE(fromPicture.out.find("\"hResolution\":0.004438496015936254,\"vResolution\":0.0044571713147410355"),
              std::string::npos)
        << fromPicture.out;
    // --size still overrides the picture.
    const CliResult overridden = Cli({"calibration", dir.file("Pic00001.jpg"), "--size", "1280x960"});
    EXPECT_NE(overridden.out.find("\"hResolution\":0.002219248007968127"), std::string::npos) << overridden.out;

    const CliResult missing = Cli({"calibration", dir.file("none.jpg")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "{\"error\":10002}\n");
}

TEST(CliImage, UsageErrorsExitTwo) {
    const std::vector<std::vector<std::string>> bad = {
        {"open"},           {"open", "a.bmp", "b.bmp"}, {"open", "--bogus"},
        {"probe"},          {"probe", "a", "b"},        {"save", "a.bmp"},
        {"save", "a.bmp", "b.bmp", "c.bmp"},            {"save", "a.bmp", "b.jpg", "--quality"},
        {"save", "a.bmp", "b.jpg", "--quality", "0"},   {"save", "a.bmp", "b.jpg", "--quality", "11"},
        {"save", "a.bmp", "b.jpg", "--quality", "5x"},  {"save", "a.bmp", "b.jpg", "--fast"},
    };
    for (const auto& args : bad) {
        const CliResult r = Cli(args);
        EXPECT_EQ(r.exitCode, 2) << args.size() << " " << args.back();
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(r.err.empty());
    }
}

}  // namespace
