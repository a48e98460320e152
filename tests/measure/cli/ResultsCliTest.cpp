#include "CliRunner.h"
#include "measure/core/ImageLoader.h"
#include "measure/core/Point.h"
#include "measure/processing/PixelAccess.h"
#include "measure/res/sample/SampleLayout.h"
#include "support/BmpBytes.h"
#include "support/TempDir.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <filesystem>

using testsupport::AsString;
using testsupport::CliResult;
using testsupport::ReadText;
using testsupport::RunProgram;
using testsupport::TempDir;
using testsupport::WriteText;

namespace {

CliResult Cli(const std::vector<std::string>& args) { return RunProgram(TESSMET_CLI, args); }

std::string Bmp(int32_t width, int32_t height) {
    testsupport::BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bitsPerPixel = 24;
    return AsString(testsupport::BuildBmp(layout));
}

TEST(CliResults, WritesTheExportByteForByte) {
    TempDir dir;
    const std::string picture = dir.file("plate.bmp");
    WriteText(picture, Bmp(200, 100));
    const std::string csv = dir.file("out.csv");
    const CliResult r = Cli({"results", picture, "--measure", "area", "0,0", "10,0", "0,10", "50,50", "--measure",
                             "two-point-distance", "10,20", "40,60", "70,70", "--csv", csv});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string text = ReadText(csv);
    EXPECT_EQ(r.out, "{\"records\":2,\"bytes\":" + std::to_string(text.size()) + "}\n");
    EXPECT_EQ(text.substr(0, 61), "2 Point Distance[1], 50.00, x1, 10, y1, 20, x2, 40, y2, 60, \r");
    const QRegularExpression area(QRegularExpression::anchoredPattern(
        QStringLiteral("Area\\[1\\], [0-9]+\\.00, x1, 0, y1, 0, x2, 10, y2, 0, x3, 0, y3, 10, \r")));
    EXPECT_TRUE(area.match(QString::fromStdString(text.substr(61))).hasMatch()) << text;
}

TEST(CliResults, EmptyExportIsAnEmptyFileAndRefusalsWriteNothing) {
    TempDir dir;
    const std::string picture = dir.file("plate.bmp");
    WriteText(picture, Bmp(64, 48));
    const std::string csv = dir.file("out.csv");
    CliResult r = Cli({"results", picture, "--csv", csv});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"records\":0,\"bytes\":0}\n");
    EXPECT_TRUE(std::filesystem::exists(csv));
    EXPECT_EQ(ReadText(csv), "");

    WriteText(csv, "older export\r");
    r = Cli({"results", picture, "--measure", "angle", "1,1", "1,1", "5,5", "9,9", "--csv", csv});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "{\"error\":\"duplicate point\"}\n");
    EXPECT_EQ(ReadText(csv), "older export\r");
    EXPECT_EQ(Cli({"results", picture, "--measure", "angle", "1,1"}).exitCode, 2);  // no --csv
}

TEST(CliResults, AnUnwritableFolderIsReportedAndKeepsTheOldFile) {
    TempDir dir;
    testsupport::OpenToOthers(dir.path());
    const std::string picture = dir.file("plate.bmp");
    WriteText(picture, Bmp(64, 48));
    const std::string csv = dir.file("out.csv");
    WriteText(csv, "older export\r");
    ::chmod(picture.c_str(), 0644);
    ::chmod(csv.c_str(), 0666);
    ::chmod(dir.path().c_str(), 0555);
    const bool refused = testsupport::AsOrdinaryUser([&] {
        const CliResult r = Cli({"results", picture, "--measure", "16", "1,1", "9,9", "20,20", "--csv", csv});
        return r.exitCode == 1 && r.out == "{\"error\":\"cannot write " + csv + "\"}\n";
    });
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_TRUE(refused);
    EXPECT_EQ(ReadText(csv), "older export\r");
    EXPECT_EQ(testsupport::CountEntries(dir.path()), 2u);
}

TEST(CliCalibrate, SolvesChecksAndRefusesAsTheRunDoes) {
    TempDir dir;
    const std::string picture = dir.file("plate.bmp");
    WriteText(picture, Bmp(400, 300));
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string out;
    };
    const Case cases[] = {
        {{"--first", "10,10,110,10", "--second", "200,0,200,50", "--lengths", "1,1", "--unit", "mm"}, 0,
         "{\"case\":6,\"hResolution\":0.01,\"vResolution\":0.02,\"accepted\":true}"},
        {{"--first", "10,10,110,10", "--second", "200,0,200,50", "--lengths", "1000,1000", "--unit", "um"}, 0,
         "{\"case\":6,\"hResolution\":0.01,\"vResolution\":0.02,\"accepted\":true}"},
        // Inconsistent lengths: the second object's vertical part alone is longer than it.
        {{"--first", "10,100,10,150", "--second", "50,50,80,70", "--lengths", "1,0.1", "--unit", "mm"}, 0,
         "{\"case\":1,\"hResolution\":null,\"vResolution\":0.02,\"accepted\":false}"},
        {{"--first", "10,10,110,10", "--second", "10,50,60,50", "--lengths", "1,1", "--unit", "mm"}, 1,
         "{\"error\":\"lines are parallel\"}"},
        {{"--first", "10,10,110,10", "--second", "0,50,200,60", "--lengths", "1,1", "--unit", "mm"}, 1,
         "{\"error\":\"angle too small\"}"},
        {{"--first", "10,10,110,10", "--second", "110,10,110,80", "--lengths", "1,1", "--unit", "mm"}, 1,
         "{\"error\":\"duplicate point\"}"},
        {{"--first", "10,10,110,10", "--second", "200,0,200,50", "--lengths", "0,1", "--unit", "mm"}, 1,
         "{\"error\":\"zero distance\"}"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"calibrate", picture};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliResult r = Cli(args);
        SCOPED_TRACE(c.out);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        EXPECT_EQ(r.out, c.out + "\n");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("platebmp.inf")));  // nothing written without --write
    EXPECT_EQ(Cli({"calibrate", picture, "--first", "1,1,2,2", "--second", "3,3,4,9", "--lengths", "1,1", "--unit",
                   "pixel"})
                  .exitCode,
              2);
}

// The sample's graduations, found in the picture: the centres of the dark ticks crossing one
// row (or column) near the scale's base line.
std::vector<int> TickCentres(const tessmet::Dib& picture, bool alongRow, int line) {
    std::vector<int> centres;
    const int length = alongRow ? picture.width() : picture.height();
    int runStart = -1;
    for (int i = 0; i <= length; ++i) {
        bool dark = false;
        if (i < length) {
            const uint8_t* p = alongRow ? picture.pixel(i, line) : picture.pixel(line, i);
            dark = tessmet::GreyLevel(p, picture.bitsPerPixel()) < 110;
        }
        if (dark && runStart < 0) runStart = i;
        if (!dark && runStart >= 0) {
            centres.push_back((runStart + i - 1) / 2);
            runStart = -1;
        }
    }
    return centres;
}

// Calibrating from the stage micrometer and measuring across its graduations with the stored
// calibration gives the graduations' length.
TEST(CliEndToEnd, CalibrateTheStageMicrometerThenMeasureItsGraduations) {
    namespace s = tessmet::sample;
    TempDir dir;
    const std::string picture = dir.file(s::kPictureName);
    std::filesystem::copy_file(std::string(TESSMET_SAMPLE_DIR) + "/" + s::kPictureName, picture);

    tessmet::ImageSet images;
    tessmet::Calibration unused;
    ASSERT_EQ(tessmet::LoadImage(picture, images, unused), 0);
    const int row = s::kHorizontalBaseY - s::kMinorTick / 2;
    const int column = s::kVerticalBaseX - s::kMinorTick / 2;
    std::vector<int> x = TickCentres(images.original(), true, row);
    std::erase_if(x, [](int centre) { return centre > s::kVerticalBaseX - s::kMajorTick; });  // the vertical scale
    const std::vector<int> y = TickCentres(images.original(), false, column);
    ASSERT_EQ(x.size(), size_t(s::kHorizontalDivisions + 1));
    ASSERT_EQ(y.size(), size_t(s::kVerticalDivisions + 1));

    // 20 divisions each way, typed in micrometres: 200 um.
    const auto point = [](int a, int b) { return std::to_string(a) + "," + std::to_string(b); };
    CliResult r = Cli({"calibrate", picture, "--first", point(x[0], row) + "," + point(x[20], row), "--second",
                       point(column, y[0]) + "," + point(column, y[20]), "--lengths", "200,200", "--unit", "um",
                       "--write"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"case\":6"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"accepted\":true"), std::string::npos) << r.out;

    r = Cli({"calibration", picture});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const QRegularExpression read(
        QStringLiteral("\\{\"unit\":2,\"hResolution\":([0-9.e-]+),\"vResolution\":([0-9.e-]+),\"source\":\"inf\""));
    const QRegularExpressionMatch m = read.match(QString::fromStdString(r.out));
    ASSERT_TRUE(m.hasMatch()) << r.out;
    const std::string h = m.captured(1).toStdString(), v = m.captured(2).toStdString();

    // Ten divisions, 0.1 mm = 100 um, each way, in a part of the scales the calibration did not use
    // end to end. The stored resolutions keep whole nanometres per pixel (0.4 % here) and a tick
    // is found to a pixel.
    struct Span {
        tessmet::Point a, b;
    };
    for (const Span& span : {Span{{x[5], row}, {x[15], row}}, Span{{column, y[3]}, {column, y[13]}}}) {
        r = Cli({"measure", "two-point-distance", point(span.a.x, span.a.y), point(span.b.x, span.b.y), "5,5", "--size",
                 "1280x960", "--unit", "um", "--h", h, "--v", v});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        static const QRegularExpression text(QStringLiteral("\\{\"text\":\"([0-9.]+)\\[um\\]\""));
        const QRegularExpressionMatch measured = text.match(QString::fromStdString(r.out));
        ASSERT_TRUE(measured.hasMatch()) << r.out;
        EXPECT_NEAR(measured.captured(1).toDouble(), 100.0, 1.0) << r.out;
    }
}

}  // namespace
