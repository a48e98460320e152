#include "CliRunner.h"
#include "measure/core/CalibrationFile.h"
#include "support/BmpBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using testsupport::CliResult;
using testsupport::ReadText;
using testsupport::RunProgram;
using testsupport::TempDir;
using testsupport::WriteText;

namespace {

CliResult Cli(const std::vector<std::string>& args) { return RunProgram(TESSMET_CLI, args); }

constexpr int kW = 40, kH = 30;

// A 40 x 30 top-down 24-bit picture: light grey, a red band over columns 0..4, one black pixel
// at (10, 20).
std::string Picture() {
    testsupport::BmpLayout layout;
    layout.width = kW;
    layout.height = -kH;
    const int stride = testsupport::BmpStride(kW, 24);
    layout.pixels.assign(static_cast<size_t>(stride * kH), 0);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            uint8_t* p = &layout.pixels[static_cast<size_t>(y * stride + x * 3)];
            if (x == 10 && y == 20) continue;
            p[0] = p[1] = x < 5 ? 0 : 200;
            p[2] = x < 5 ? 255 : 200;
        }
    return testsupport::AsString(testsupport::BuildBmp(layout));
}

// Blue, green, red of the pixel at (x, y) of a bottom-up 24-bit BMP file's text.
std::array<int, 3> PixelOf(const std::string& bmp, int x, int y, int height) {
    const size_t at = 54 + static_cast<size_t>((height - 1 - y) * testsupport::BmpStride(kW, 24) + x * 3);
    return {static_cast<uint8_t>(bmp[at]), static_cast<uint8_t>(bmp[at + 1]), static_cast<uint8_t>(bmp[at + 2])};
}

TEST(CliProcessing, PrintsTheDocumentedKeys) {
    TempDir dir;
    const std::string image = dir.file("p.bmp");
    WriteText(image, Picture());
    struct Case {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        {{"binarise", image, "--min", "0", "--max", "0"},
         "{\"marked\":1,\"roi\":1200,\"ratio\":\"1/1200\",\"area\":\"1.00[pixel*pixel]\"}\n"},
        // Corners beyond the picture land on its last column and row: 2..30 x 3..29.
        {{"binarise", image, "--min", "0", "--max", "255", "--roi", "rect:30,40,2,3"},
         "{\"marked\":783,\"roi\":783,\"ratio\":\"783/783\",\"area\":\"783.00[pixel*pixel]\"}\n"},
        {{"centre", image, "--min", "0", "--max", "0", "--type", "0"},
         "{\"cx\":10.5,\"cy\":20.5,\"point\":\"(10.50, 20.50)\",\"marked\":1,\"roi\":1200,\"ratio\":\"1/1200\","
         "\"area\":\"1.00[pixel*pixel]\"}\n"},
        // Weighted by grey level, a black pixel weighs nothing.
        {{"centre", image, "--min", "0", "--max", "0"},
         "{\"cx\":0,\"cy\":0,\"point\":\"(0.00, 0.00)\",\"marked\":1,\"roi\":1200,\"ratio\":\"1/1200\","
         "\"area\":\"1.00[pixel*pixel]\"}\n"},
        // The ellipse leaves out its box's last column and row: 0..3 x 0..3.
        {{"colour", image, "--roi", "ellipse:0,0,4,4"},
         "{\"count\":12,\"total\":[3060,0,0],\"average\":[\"255.00\",\"0.00\",\"0.00\"],"
         "\"ratio\":[\"100.00\",\"0.00\",\"0.00\"],\"csvLine\":\"" + image + ", 255.00, 0.00, 0.00, 1.0000, 0.0000, 0.0000,\"}\n"},
    };
    for (const Case& c : cases) {
        const CliResult r = Cli(c.args);
        EXPECT_EQ(r.exitCode, 0) << c.args[0] << r.err;
        EXPECT_EQ(r.out, c.out) << c.args[0];
    }
}

TEST(CliProcessing, AreaFollowsThePicturesCalibration) {
    TempDir dir;
    const std::string image = dir.file("p.bmp");
    WriteText(image, Picture());
    ASSERT_TRUE(tessmet::WriteCalibrationFile(tessmet::CalibrationFileName(image), 1, 0.5, 0.5));
    const CliResult r = Cli({"binarise", image, "--min", "0", "--max", "255", "--roi", "rect:0,0,3,1"});
    EXPECT_EQ(r.out, "{\"marked\":8,\"roi\":8,\"ratio\":\"8/8\",\"area\":\"2.0000[mm*mm]\"}\n") << r.err;
}

TEST(CliProcessing, OutWritesTheProcessingLayer) {
    TempDir dir;
    const std::string image = dir.file("p.bmp");
    WriteText(image, Picture());
    const std::string grey = dir.file("grey.bmp"), marks = dir.file("marks.bmp");
    ASSERT_EQ(Cli({"grey", image, "--roi", "polygon:0,0,8,0,8,8,0,8", "--out", grey}).exitCode, 0);
    const std::string g = ReadText(grey);
    EXPECT_EQ(PixelOf(g, 0, 0, kH), (std::array<int, 3>{147, 147, 147}));  // pure red
    EXPECT_EQ(PixelOf(g, 6, 6, kH), (std::array<int, 3>{200, 200, 200}));
    EXPECT_EQ(PixelOf(g, 8, 8, kH), (std::array<int, 3>{0, 0, 0}));  // right and bottom edges are out
    ASSERT_EQ(Cli({"centre", image, "--min", "0", "--max", "0", "--type", "0", "--out", marks}).exitCode, 0);
    const std::string m = ReadText(marks);
    EXPECT_EQ(PixelOf(m, 10, 20, kH), (std::array<int, 3>{0, 255, 0}));     // marked in green
    EXPECT_EQ(PixelOf(m, 10, 19, kH), (std::array<int, 3>{255, 255, 255})); // the X's middle
}

TEST(CliProcessing, CsvAppendsAndReportsAFailedWrite) {
    TempDir dir;
    const std::string image = dir.file("p.bmp");
    WriteText(image, Picture());
    const std::string csv = dir.file("_ColorDistDlg.csv");
    const std::vector<std::string> args{"colour", image, "--roi", "rect:0,0,9,0", "--csv", csv};
    ASSERT_EQ(Cli(args).exitCode, 0);
    ASSERT_EQ(Cli(args).exitCode, 0);
    const std::string line = image + ", 227.50, 100.00, 100.00, 0.5322, 0.2339, 0.2339,\r\n";
    EXPECT_EQ(ReadText(csv), line + line);
    const CliResult failed = Cli({"colour", image, "--csv", dir.path().string()});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.out, "{\"error\":-2}\n");
}

TEST(CliProcessing, UsageErrors) {
    TempDir dir;
    const std::string image = dir.file("p.bmp");
    WriteText(image, Picture());
    const std::vector<std::vector<std::string>> cases = {
        {"binarise", image, "--min", "0"},
        {"binarise", image, "--min", "0", "--max", "x"},
        {"centre", image, "--min", "0", "--max", "9", "--type", "2"},
        {"grey", image},
        {"colour", image, "--channels", "rgbx"},
        {"colour", image, "--roi", "circle:1,2,3,4"},
        {"colour", image, "--roi", "rect:1,2,3"},
        {"colour", image, "--roi", "rect:1,2,1,2"},
        {"colour", image, "--roi", "polygon:1,1,5,5,1,1"},
        {"binarise", "--min", "0", "--max", "0"},
    };
    for (const auto& args : cases) {
        const CliResult r = Cli(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_TRUE(r.out.empty()) << args.back();
    }
    EXPECT_EQ(Cli({"colour", dir.file("missing.jpg")}).out, "{\"error\":10002}\n");
}

}  // namespace
