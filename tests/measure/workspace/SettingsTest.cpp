#include "measure/workspace/Settings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tessmet;
using testsupport::ReadText;
using testsupport::TempDir;
using testsupport::WriteText;

namespace {

TEST(Settings, MissingFileGivesTheDefaults) {
    TempDir dir;
    Settings s;
    s.gridDistance = 77;
    LoadSettings(dir.file("Tessmet.ini"), s);
    EXPECT_EQ(s.ipPen, (Pen{0, 1, 65280}));
    EXPECT_EQ(s.measurePen, (Pen{0, 1, 16711680}));
    EXPECT_EQ(s.drawPen, (Pen{0, 1, 16777215}));
    EXPECT_EQ(s.addColor, 16776960);
    EXPECT_EQ(s.addUseXor, 1);
    EXPECT_EQ(s.jpegQuality, 5);
    EXPECT_EQ(s.gridDistance, 50);
    EXPECT_EQ(s.measArrow, 1);
    EXPECT_EQ(s.measSquare, 1);
}

struct RangeCase {
    const char* line;
    int Settings::*field;
    int expected;
};

TEST(Settings, OutOfRangeValuesReadAsTheirDefaults) {
    const RangeCase cases[] = {
        {"JpegQuality=0", &Settings::jpegQuality, 5},       {"JpegQuality=11", &Settings::jpegQuality, 5},
        {"JpegQuality=1", &Settings::jpegQuality, 1},       {"JpegQuality=10", &Settings::jpegQuality, 10},
        {"GridDistance=5", &Settings::gridDistance, 50},    {"GridDistance=101", &Settings::gridDistance, 50},
        {"GridDistance=10", &Settings::gridDistance, 10},   {"GridDistance=abc", &Settings::gridDistance, 50},
        {"CenterLineOffX=1000", &Settings::centerLineOffX, 0}, {"CenterLineOffX=-999", &Settings::centerLineOffX, -999},
        {"CenterLineOffY=-1000", &Settings::centerLineOffY, 0}, {"MeasArrow=7", &Settings::measArrow, 7},
    };
    TempDir dir;
    const std::string path = dir.file("Tessmet.ini");
    for (const RangeCase& c : cases) {
        WriteText(path, std::string("[OTHER]\r\n") + c.line + "\r\n");
        Settings s;
        LoadSettings(path, s);
        EXPECT_EQ(s.*c.field, c.expected) << c.line;
    }
}

TEST(Settings, PenValuesAreTakenAsRead) {
    TempDir dir;
    const std::string path = dir.file("Tessmet.ini");
    WriteText(path, "[PEN]\nMeasure-Type=2\nMeasure-Width=3\nMeasure-Color=255\nAdd-UseXOR=0\n");
    Settings s;
    LoadSettings(path, s);
    EXPECT_EQ(s.measurePen, (Pen{2, 3, 255}));
    EXPECT_EQ(s.measurePen.effectiveStyle(), PenStyle::Solid);  // width 3 draws solid
    EXPECT_EQ(s.addUseXor, 0);
    EXPECT_EQ(s.ipPen, (Pen{0, 1, 65280}));
}

TEST(Settings, SaveWritesEveryKeyInOrderAndReadsBack) {
    TempDir dir;
    const std::string path = dir.file("Tessmet.ini");
    Settings s;
    s.measurePen = {1, 1, 255};
    s.jpegQuality = 9;
    s.centerLineOffX = -12;
    ASSERT_TRUE(SaveSettings(path, s));
    EXPECT_EQ(ReadText(path),
              "[PEN]\r\nIP-Color=65280\r\nIP-Type=0\r\nIP-Width=1\r\nMeasure-Color=255\r\nMeasure-Type=1\r\n"
              "Measure-Width=1\r\nDraw-Color=16777215\r\nDraw-Type=0\r\nDraw-Width=1\r\nAdd-Color=16776960\r\n"
              "Add-UseXOR=1\r\n\r\n[OTHER]\r\nJpegQuality=9\r\nGridDistance=50\r\nCenterLineOffX=-12\r\n"
              "CenterLineOffY=0\r\nMeasArrow=1\r\nMeasSquare=1\r\n");
    Settings back;
    LoadSettings(path, back);
    EXPECT_EQ(back, s);
}

TEST(Settings, CorrectedValueIsWrittenBackAtExit) {
    TempDir dir;
    const std::string path = dir.file("Tessmet.ini");
    WriteText(path, "[OTHER]\nGridDistance=5\n");
    Settings s;
    LoadSettings(path, s);
    ASSERT_TRUE(SaveSettings(path, s));
    EXPECT_NE(ReadText(path).find("GridDistance=50\n"), std::string::npos);
}

TEST(Settings, FontDefaultsAndRoundTrip) {
    TempDir dir;
    const std::string path = dir.file("Tessmet.ini");
    const FontDescription defaults = LoadFont(path);
    EXPECT_EQ(defaults.height, 18);
    EXPECT_EQ(defaults.width, 8);
    EXPECT_EQ(defaults.weight, 400);
    EXPECT_EQ(defaults.charSet, 128);
    EXPECT_EQ(defaults.outPrecision, 1);
    EXPECT_EQ(defaults.clipPrecision, 2);
    EXPECT_EQ(defaults.quality, 2);
    EXPECT_EQ(defaults.pitchAndFamily, 2);
    EXPECT_EQ(defaults.faceName, "FixedSys");

    FontDescription f = defaults;
    f.height = -24;
    f.italic = 1;
    f.faceName = "DejaVu Sans Mono";
    ASSERT_TRUE(SaveFont(path, f));
    EXPECT_EQ(LoadFont(path), f);
    EXPECT_EQ(ReadText(path).rfind("[Font]\r\nHeight=-24\r\nWidth=8\r\nEscapement=0\r\n", 0), 0u);
}

TEST(Settings, PlacementMaximizeAndBars) {
    TempDir dir;
    const std::string path = dir.file("Tessmet.ini");
    EXPECT_EQ(LoadPlacement(path), WindowPlacement{});
    EXPECT_FALSE(LoadMaximize(path));
    EXPECT_FALSE(LoadBarsSaved(path));
    WindowPlacement p;
    p.left = 10;
    p.top = 20;
    p.right = 1010;
    p.bottom = 820;
    p.showCommand = 3;
    ASSERT_TRUE(SavePlacement(path, p));
    ASSERT_TRUE(SaveMaximize(path, true));
    ASSERT_TRUE(SaveBarsSaved(path));
    EXPECT_EQ(LoadPlacement(path), p);
    EXPECT_TRUE(LoadMaximize(path));
    EXPECT_TRUE(LoadBarsSaved(path));
}

TEST(Settings, OtherSectionsOfTheFileSurviveASave) {
    TempDir dir;
    const std::string path = dir.file("Tessmet.ini");
    WriteText(path, "[Recent File List]\nFile1=/x/a.jpg\n; note\n");
    ASSERT_TRUE(SaveSettings(path, Settings{}));
    const std::string text = ReadText(path);
    EXPECT_EQ(text.rfind("[Recent File List]\nFile1=/x/a.jpg\n; note\n", 0), 0u);
    EXPECT_NE(text.find("[PEN]\nIP-Color=65280\n"), std::string::npos);  // the file's LF style is kept
}

}  // namespace
