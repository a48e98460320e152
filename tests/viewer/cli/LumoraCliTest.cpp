#include "CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

using testsupport::CliResult;
using testsupport::ReadText;
using testsupport::RunProgram;
using testsupport::TempDir;

namespace {

CliResult Cli(const std::vector<std::string>& args) { return RunProgram(LUMORA_CLI, args); }

uint32_t Le32(const std::string& s, size_t at) {
    return uint32_t(uint8_t(s[at])) | uint32_t(uint8_t(s[at + 1])) << 8 | uint32_t(uint8_t(s[at + 2])) << 16 |
           uint32_t(uint8_t(s[at + 3])) << 24;
}

// Width and height from a baseline JPEG's frame header.
std::pair<int, int> JpegSize(const std::string& s) {
    for (size_t i = 2; i + 8 < s.size(); ++i)
        if (uint8_t(s[i]) == 0xFF && uint8_t(s[i + 1]) == 0xC0)
            return {uint8_t(s[i + 7]) << 8 | uint8_t(s[i + 8]), uint8_t(s[i + 5]) << 8 | uint8_t(s[i + 6])};
    return {0, 0};
}

TEST(LumoraCli, CamerasListsTheSimulatedCamera) {
    const CliResult r = Cli({"cameras", "--simulate-camera"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Simulated Camera\n");
}

TEST(LumoraCli, NoDeviceExitsOneWithTheMessage) {
    TempDir dir;
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"grab", "--device", "No Such Camera 4711", dir.file("a.bmp")},
             {"props", "--device", "No Such Camera 4711"}}) {
        const CliResult r = Cli(args);
        EXPECT_EQ(r.exitCode, 1) << args[0];
        EXPECT_EQ(r.err, "Cannot find camera device\n") << args[0];
        EXPECT_EQ(r.out, "") << args[0];
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.bmp")));
}

TEST(LumoraCli, GrabWritesTheStillAtTheRequestedSize) {
    TempDir dir;
    const struct {
        const char* size;
        const char* file;
        uint32_t width, height;
    } cases[] = {{"640x480", "small.bmp", 640, 480},  // taken at 800 x 600, then reduced
                 {"800x600", "medium.jpg", 800, 600},
                 {"1600x1200", "large.bmp", 1600, 1200}};
    for (const auto& c : cases) {
        const CliResult r = Cli({"grab", "--simulate-camera", "--size", c.size, dir.file(c.file)});
        ASSERT_EQ(r.exitCode, 0) << c.size << r.err;
        const std::string bytes = ReadText(dir.file(c.file));
        if (std::string(c.file).ends_with(".bmp")) {
            ASSERT_EQ(bytes.size(), 54 + size_t(c.width) * c.height * 3) << c.size;
            EXPECT_EQ(Le32(bytes, 18), c.width);
            EXPECT_EQ(Le32(bytes, 22), c.height);
        } else {
            EXPECT_EQ(JpegSize(bytes), std::make_pair(int(c.width), int(c.height)));
        }
    }
}

TEST(LumoraCli, PropsSetsThenPrintsTheEightValuesAndTheZoom) {
    const CliResult defaults = Cli({"props", "--simulate-camera"});
    ASSERT_EQ(defaults.exitCode, 0) << defaults.err;
    EXPECT_EQ(defaults.out,
              "{\"brightness\":0,\"contrast\":50,\"hue\":0,\"saturation\":64,\"sharpness\":0,\"gamma\":100,"
              "\"whitebalance\":10000,\"backlightcompensation\":0,\"zoom\":100}\n");
    const CliResult set = Cli({"props", "--device", "simulated camera", "--set", "brightness=-20", "--set",
                               "whitebalance=4500", "--set", "zoom=250", "--set", "gamma=9999"});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    EXPECT_EQ(set.out,
              "{\"brightness\":-20,\"contrast\":50,\"hue\":0,\"saturation\":64,\"sharpness\":0,\"gamma\":300,"
              "\"whitebalance\":4500,\"backlightcompensation\":0,\"zoom\":250}\n");
}

TEST(LumoraCli, UsageErrorsExitTwoWithOneLine) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"nosuchcommand"},
        {"cameras", "extra"},
        {"cameras", "--device", "x"},
        {"grab", "--simulate-camera"},
        {"grab", "--simulate-camera", "a.png"},
        {"grab", "--simulate-camera", "--size", "320x240", "a.bmp"},
        {"grab", "--simulate-camera", "--size", "640", "a.bmp"},
        {"grab", "--simulate-camera", "--size"},
        {"grab", "--simulate-camera", "a.bmp", "b.bmp"},
        {"props", "--simulate-camera", "--set", "brightness"},
        {"props", "--simulate-camera", "--set", "brightness=abc"},
        {"props", "--simulate-camera", "--set", "BRIGHTNESS=1"},
        {"props", "--simulate-camera", "--set", "gain=1"},
        {"props", "--simulate-camera", "--bogus"},
    };
    for (const auto& args : bad) {
        const CliResult r = Cli(args);
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_EQ(r.exitCode, 2) << joined;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << joined << r.err;
        EXPECT_EQ(r.out, "") << joined;
    }
}


// The number after "key": in a one-line JSON object.
double JsonNumber(const std::string& json, const std::string& key) {
    const size_t at = json.find("\"" + key + "\":");
    return at == std::string::npos ? -1.0 : std::stod(json.substr(at + key.size() + 3));
}

TEST(LumoraCliCapture, StoresTheNextPictureWithItsSidecarThatTessmetReads) {
    TempDir dir;
    testsupport::WriteText(dir.file("Pic00004.bmp"), "x");
    const CliResult r = Cli({"capture", "--simulate-camera", "--magnification", "100", "--type", "jpg", dir.path().string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string stem = dir.file("Pic00005");
    EXPECT_EQ(r.out, "{\"file\":\"" + stem + ".jpg\",\"sidecar\":\"" + stem + "jpg.mag\"}\n");
    EXPECT_EQ(JpegSize(ReadText(stem + ".jpg")), std::make_pair(640, 480));
    EXPECT_EQ(ReadText(stem + "jpg.mag"),
              "[MAG]\r\nOptical=251\r\nCorrective=100\r\n\r\n[SENSOR]\r\nWidth=713\r\nHeight=537\r\n\r\n"
              "[CAL]\r\nUnit=um\r\nOnePixelLen=4.464288\r\n");

    // The measurement program takes millimetres per pixel from the sensor and the optical
    // magnification of the sidecar; the [CAL] section is the viewer's own.
    const CliResult cal = RunProgram(TESSMET_CLI, {"calibration", stem + ".jpg"});
    ASSERT_EQ(cal.exitCode, 0) << cal.err << cal.out;
    EXPECT_EQ(JsonNumber(cal.out, "unit"), 1.0) << cal.out;
    EXPECT_NEAR(JsonNumber(cal.out, "hResolution"), 7.13 / (251.0 / 100) / 640, 1e-12) << cal.out;
    EXPECT_NEAR(JsonNumber(cal.out, "vResolution"), 5.37 / (251.0 / 100) / 480, 1e-12) << cal.out;
    EXPECT_NE(cal.out.find("\"source\":\"mag\""), std::string::npos) << cal.out;
}

// The scale's corner sits at (630, 470) of the 640 x 480 frame with arms 112 frame pixels long;
// a 1600 x 1200 capture draws it 2.5 times as large. Its horizontal arm is a line of near-white
// pixels the specimen never has; the rows beside it are not.
TEST(LumoraCliCapture, BurnsTheScaleInAtTheCaptureSize) {
    TempDir dir;
    const CliResult r = Cli({"capture", "--simulate-camera", "--size", "1600x1200", "--type", "bmp", "--magnification",
                             "100", "--overlays", "scale", dir.path().string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string bmp = ReadText(dir.file("Pic00001.bmp"));
    ASSERT_EQ(bmp.size(), 54u + 1600u * 1200u * 3u);
    const auto brightRun = [&bmp](int y) {
        int bright = 0;
        for (int x = 1575 - 265; x <= 1570; ++x) {  // the arm without its two ends
            const size_t pixel = 54 + (size_t(1199 - y) * 1600 + size_t(x)) * 3;  // rows run bottom-up
            const auto channel = [&](int k) { return uint8_t(bmp[pixel + size_t(k)]); };
            bright += std::min({channel(0), channel(1), channel(2)}) >= 225 ? 1 : 0;
        }
        return bright;
    };
    EXPECT_EQ(brightRun(1175), 261);
    EXPECT_LT(brightRun(1169), 200);
    EXPECT_LT(brightRun(1181), 200);
}

TEST(LumoraCliCapture, TimeLapseNumbersEachCapture) {
    TempDir dir;
    const CliResult r = Cli({"capture", "--simulate-camera", "--size", "800x600", "--type", "bmp", "--overlays",
                             "grid,center", "--every", "0", "--count", "3", dir.path().string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string expected;
    for (int n = 1; n <= 3; ++n) {
        const std::string stem = dir.file("Pic0000" + std::to_string(n));
        expected += "{\"file\":\"" + stem + ".bmp\",\"sidecar\":\"" + stem + "bmp.mag\"}\n";
        const std::string bmp = ReadText(stem + ".bmp");
        ASSERT_EQ(bmp.size(), 54u + 800u * 600u * 3u);
        // The horizontal centre line at y = 300 (factor 1.25) is burnt in, in CENTER_LINE COLOR
        // (red 200); the file's rows run bottom-up.
        const size_t pixel = 54 + (size_t(599 - 300) * 800 + 410) * 3;
        EXPECT_EQ(uint8_t(bmp[pixel + 2]), 200) << n;  // CENTER_LINE COLOR 200: red 200
        EXPECT_EQ(uint8_t(bmp[pixel]), 0) << n;
    }
    EXPECT_EQ(r.out, expected);
}

TEST(LumoraCliCapture, RefusesBadArgumentsAndUnwritableFolders) {
    TempDir dir;
    const std::string folder = dir.path().string();
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"capture", "--simulate-camera"},
             {"capture", "--simulate-camera", "--type", "png", folder},
             {"capture", "--simulate-camera", "--size", "320x240", folder},
             {"capture", "--simulate-camera", "--overlays", "grid,stars", folder},
             {"capture", "--simulate-camera", "--count", "0", folder},
             {"capture", "--simulate-camera", "--every", "-1", folder},
             {"capture", "--simulate-camera", "--magnification", "x", folder}}) {
        const CliResult r = Cli(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    const CliResult missing = Cli({"capture", "--simulate-camera", dir.file("no/such/folder")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(testsupport::CountEntries(dir.path()), 0u);
}

}  // namespace
