#include "platform/ProgramFolder.h"
#include "viewer/core/DirectSettings.h"
#include "viewer/core/ViewerPaths.h"
#include "viewer/core/ViewerSettings.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>

using namespace lumora;
using testsupport::ReadText;
using testsupport::TempDir;
using testsupport::WriteText;

namespace {

const std::string kTessmetDefault = "/opt/suite/bin";

std::string Folder(const TempDir& dir) { return dir.path().string(); }

// "SECTION/KEY" of every key line, in file order.
std::vector<std::string> KeysInFileOrder(const std::string& text) {
    std::vector<std::string> keys;
    std::istringstream in(text);
    std::string line, section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > 2 && line.front() == '[') {
            section = line.substr(1, line.find(']') - 1);
        } else if (const size_t eq = line.find('='); eq != std::string::npos) {
            keys.push_back(section + "/" + line.substr(0, eq));
        }
    }
    return keys;
}

TEST(ViewerSettings, FirstStartInAnEmptyFolderGivesTheDefaults) {
    TempDir dir;
    const ViewerSettings s = LoadViewerSettings(Folder(dir), kTessmetDefault);
    EXPECT_EQ(s.applicationFolder, Folder(dir));
    EXPECT_EQ(s.galleryFolder, Folder(dir) + "/Gallery");
    EXPECT_EQ(s.tessmetFolder, kTessmetDefault);
    EXPECT_EQ(TextAsInt(s.gridSpaceIndex), 2);  // 16 x 12 cells
    EXPECT_EQ(TextAsInt(s.gridThicknessIndex), 0);
    EXPECT_EQ(TextAsInt(s.gridColor), 200 | 200 << 8 | 200 << 16);
    EXPECT_EQ(TextAsInt(s.centerLineColor), 200);
    EXPECT_EQ(TextAsInt(s.scaleTextColor), 0xFFFFFF);
    EXPECT_EQ(TextAsInt(s.scaleLineColor), 0xFFFFFF);
    EXPECT_EQ(TextAsInt(s.scaleBarColor), 0x00FFFF);
    EXPECT_EQ(TextAsInt(s.crossColor), 255);
    EXPECT_EQ(s.useCrossLine, 1);
    EXPECT_EQ(s.captureAuto, "1");
    EXPECT_EQ(s.printScale + s.printMagBar + s.printMagData, 3);
    EXPECT_EQ(s.printGridLine + s.printCenterLine, 0);
    EXPECT_EQ(s.aliasMm + s.aliasMm2 + s.aliasUm + s.aliasUm2 + s.aliasDegree, "mmmm2umum2degree");
    EXPECT_EQ(s.useAlias, 1);
    EXPECT_EQ(s.calibrationApplied, 0);
    EXPECT_EQ(s.calibrationUnit, 0);  // micrometres
    EXPECT_EQ(s.onePixelSize, 1.0);
    EXPECT_EQ(s.pixelCount, 1.0);
    EXPECT_EQ(s.calibrationValue, 1.0);
    // Loading creates neither the file nor the gallery folder.
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(ViewerSettings, SaveWritesTheSettingDialogKeysInItsOrder) {
    TempDir dir;
    const ViewerSettings s = LoadViewerSettings(Folder(dir), kTessmetDefault);
    ASSERT_TRUE(SaveViewerSettings(s));
    const std::vector<std::string> expected = {
        "GALLERY/PATH", "TESSMET/PATH", "GRID_LINE/SPACE_INDEX", "GRID_LINE/THICKNESS_INDEX",
        "GRID_LINE/COLOR", "CENTER_LINE/THICKNESS_INDEX", "CENTER_LINE/COLOR", "CAPTURE/AUTO",
        "SCALE/LINE_COLOR", "SCALE/TEXT_COLOR", "SCALE/BAR_COLOR", "PRINT_IMAGE/SCALE",
        "PRINT_IMAGE/MAG_BAR", "PRINT_IMAGE/MAG_DATA", "PRINT_IMAGE/GRID_LINE", "PRINT_IMAGE/CENTER_LINE",
        "DRAWING_OPTIONS/CROSS_COLOR", "DRAWING_OPTIONS/USE_CROSS_LINE", "DRAWING_OPTIONS/MM",
        "DRAWING_OPTIONS/MM2", "DRAWING_OPTIONS/UM", "DRAWING_OPTIONS/UM2", "DRAWING_OPTIONS/DEGREE",
        "DRAWING_OPTIONS/USE_ALIAS", "DRAWING_OPTIONS/LINE_THICKNESS", "DRAWING_OPTIONS/ARROW_STYLE"};
    EXPECT_EQ(KeysInFileOrder(ReadText(ViewerIniPath(Folder(dir)))), expected);
}

TEST(ViewerSettings, SaveKeepsOtherKeysAndWritesTextAsHeld) {
    TempDir dir;
    WriteText(ViewerIniPath(Folder(dir)),
              "[CAMERA]\r\nDEVICE=USB Microscope\r\n[CALIBRATION]\r\nIS_MM=1\r\n[GRID_LINE]\r\nCOLOR=7\r\n");
    ViewerSettings s = LoadViewerSettings(Folder(dir), kTessmetDefault);
    s.gridColor = "grey";  // text fields go out exactly as held, numbers or not
    s.captureAuto = "0";
    s.calibrationUnit = 0;  // the setting dialog does not store calibration keys
    s.lineThickness = 3;
    ASSERT_TRUE(SaveViewerSettings(s));
    EXPECT_EQ(ReadCameraDevice(Folder(dir)), "USB Microscope");
    const ViewerSettings back = LoadViewerSettings(Folder(dir), kTessmetDefault);
    EXPECT_EQ(back.gridColor, "grey");
    EXPECT_EQ(back.captureAuto, "0");
    EXPECT_EQ(back.lineThickness, 3);
    EXPECT_EQ(back.calibrationUnit, 1);
    const std::string text = ReadText(ViewerIniPath(Folder(dir)));
    EXPECT_NE(text.find("[GRID_LINE]\r\nCOLOR=grey\r\n"), std::string::npos) << text;
}

TEST(ViewerSettings, TextHeldFieldsThatAreNotNumbersCountAsZero) {
    TempDir dir;
    WriteText(ViewerIniPath(Folder(dir)),
              "[GRID_LINE]\nSPACE_INDEX=dense\nCOLOR=grey\n[CENTER_LINE]\nCOLOR=12red\n"
              "[CALIBRATION]\nIS_MM=yes\nUSE_CALIBRATION= 1\nONE_PIXEL_SIZE=abc\nPIXEL_COUNT=2.5e1x\n"
              "CALIBRATION_VALUE=\n[DRAWING_OPTIONS]\nLINE_THICKNESS=two\n");
    const ViewerSettings s = LoadViewerSettings(Folder(dir), kTessmetDefault);
    EXPECT_EQ(s.gridSpaceIndex, "dense");
    EXPECT_EQ(TextAsInt(s.gridSpaceIndex), 0);  // 4 x 3 where it is used
    EXPECT_EQ(TextAsInt(s.gridColor), 0);       // draws black
    EXPECT_EQ(TextAsInt(s.centerLineColor), 12);
    EXPECT_EQ(s.calibrationUnit, 0);
    EXPECT_EQ(s.calibrationApplied, 1);
    EXPECT_EQ(s.onePixelSize, 0.0);
    EXPECT_EQ(s.pixelCount, 25.0);
    EXPECT_EQ(s.calibrationValue, 0.0);  // present but empty: no number
    EXPECT_EQ(s.lineThickness, 0);
}

TEST(ViewerSettings, TextNumberConversions) {
    const struct {
        const char* text;
        int integer;
        double real;
    } cases[] = {{"42", 42, 42.0},      {"  -7", -7, -7.0},  {"+3", 3, 3.0},     {"12abc", 12, 12.0},
                 {"abc", 0, 0.0},       {"", 0, 0.0},        {"0x10", 0, 0.0},   {"1.", 1, 1.0},
                 {"0.004438", 0, 0.004438}, {"-2.5", -2, -2.5}, {"1e3", 1, 1000.0}};
    for (const auto& c : cases) {
        EXPECT_EQ(TextAsInt(c.text), c.integer) << c.text;
        EXPECT_DOUBLE_EQ(TextAsDouble(c.text), c.real) << c.text;
    }
}

TEST(ViewerSettings, EachStartFolderHasItsOwnIni) {
    TempDir first, second;
    WriteText(ViewerIniPath(Folder(first)), "[GALLERY]\nPATH=/data/first\n[SCALE]\nBAR_COLOR=255\n");
    const ViewerSettings a = LoadViewerSettings(Folder(first), kTessmetDefault);
    const ViewerSettings b = LoadViewerSettings(Folder(second), kTessmetDefault);
    EXPECT_EQ(a.galleryFolder, "/data/first");
    EXPECT_EQ(a.scaleBarColor, "255");
    EXPECT_EQ(b.galleryFolder, Folder(second) + "/Gallery");
    EXPECT_EQ(b.scaleBarColor, "65535");
    // Saving the second one leaves the first file alone.
    ASSERT_TRUE(SaveViewerSettings(b));
    EXPECT_EQ(LoadViewerSettings(Folder(first), kTessmetDefault), a);
}

TEST(ViewerSettings, StringsAreCutToTheReadBuffer) {
    TempDir dir;
    const std::string longPath = "/" + std::string(300, 'g');
    WriteText(ViewerIniPath(Folder(dir)), "[GALLERY]\nPATH=" + longPath + "\n");
    EXPECT_EQ(LoadViewerSettings(Folder(dir), kTessmetDefault).galleryFolder, longPath.substr(0, 254));
}

TEST(ViewerSettings, UnwritableIniIsReportedAndLeftAlone) {
    TempDir dir;
    testsupport::OpenToOthers(dir.path());
    WriteText(ViewerIniPath(Folder(dir)), "[GALLERY]\nPATH=/keep\n");
    std::filesystem::permissions(ViewerIniPath(Folder(dir)), std::filesystem::perms::owner_read |
                                                                  std::filesystem::perms::others_read);
    ViewerSettings s = LoadViewerSettings(Folder(dir), kTessmetDefault);
    s.galleryFolder = "/other";
    EXPECT_TRUE(testsupport::AsOrdinaryUser([&] { return !SaveViewerSettings(s); }));
    EXPECT_EQ(ReadText(ViewerIniPath(Folder(dir))), "[GALLERY]\nPATH=/keep\n");
}

TEST(DirectSettings, FormStateDefaultsRoundTripAndOrder) {
    TempDir dir;
    EXPECT_EQ(ReadFormState(Folder(dir)), FormState{});
    FormState state;
    state.captureSize = 3;
    state.captureType = 1;
    state.modeScale = 0;
    state.modeGridLine = 1;
    state.fillColor = kNoFillColor;
    state.lineColor = 255;
    state.textColor = 16777215;
    ASSERT_TRUE(WriteFormState(Folder(dir), state));
    EXPECT_EQ(ReadFormState(Folder(dir)), state);
    const std::vector<std::string> expected = {
        "CAPTURE/SIZE",   "CAPTURE/TYPE",         "MODE/SCALE",   "MODE/MAG_BAR",
        "MODE/MAG_DATA",  "MODE/GRID_LINE",       "MODE/CENTER_LINE", "DRAWING_OPTIONS/FILL_COLOR",
        "DRAWING_OPTIONS/LINE_COLOR", "DRAWING_OPTIONS/TEXT_COLOR"};
    const std::string text = ReadText(ViewerIniPath(Folder(dir)));
    EXPECT_EQ(KeysInFileOrder(text), expected);
    EXPECT_NE(text.find("FILL_COLOR=-16777216"), std::string::npos);
}

TEST(DirectSettings, CameraValuesDefaultsAndTheTwoSections) {
    TempDir dir;
    EXPECT_EQ(ReadCameraProperties(Folder(dir)).values, kCameraPropertyDefaults);
    EXPECT_EQ(ReadCameraDefaults(Folder(dir)).values, kCameraPropertyDefaults);
    EXPECT_EQ(ReadCameraDevice(Folder(dir)), "");
    EXPECT_EQ(ReadMakerUrl(Folder(dir)), kDefaultMakerUrl);

    WriteText(ViewerIniPath(Folder(dir)), "[CAMERA_DEFAULT]\nGAMMA=120\nCONTRAST=x\n");
    const CameraProperties factory = ReadCameraDefaults(Folder(dir));
    EXPECT_EQ(factory[CameraProperty::Gamma], 120);
    EXPECT_EQ(factory[CameraProperty::Contrast], 0);  // present but not a number
    ASSERT_TRUE(WriteCameraProperties(Folder(dir), factory));  // what "Default" does
    EXPECT_EQ(ReadCameraProperties(Folder(dir)), factory);
    std::vector<std::string> props;
    for (const std::string& key : KeysInFileOrder(ReadText(ViewerIniPath(Folder(dir)))))
        if (key.rfind("CAMERA_PROP/", 0) == 0) props.push_back(key);
    EXPECT_EQ(props, (std::vector<std::string>{"CAMERA_PROP/BRIGHTNESS", "CAMERA_PROP/CONTRAST", "CAMERA_PROP/HUE",
                                               "CAMERA_PROP/SATURATION", "CAMERA_PROP/SHARPNESS", "CAMERA_PROP/GAMMA",
                                               "CAMERA_PROP/WHITEBALANCE", "CAMERA_PROP/BACKLIGHTCOMPENSATION"}));
}

TEST(DirectSettings, CalibrationIsWrittenWithSixDecimalsAndReadBack) {
    TempDir dir;
    ViewerSettings s = LoadViewerSettings(Folder(dir), kTessmetDefault);
    s.calibrationUnit = 1;
    s.calibrationApplied = 1;
    s.onePixelSize = 0.0044384960159;
    s.pixelCount = 251.0;
    s.calibrationValue = 1.114;
    ASSERT_TRUE(WriteCalibration(s));
    EXPECT_EQ(KeysInFileOrder(ReadText(ViewerIniPath(Folder(dir)))),
              (std::vector<std::string>{"CALIBRATION/IS_MM", "CALIBRATION/USE_CALIBRATION",
                                        "CALIBRATION/ONE_PIXEL_SIZE", "CALIBRATION/PIXEL_COUNT",
                                        "CALIBRATION/CALIBRATION_VALUE"}));
    EXPECT_NE(ReadText(ViewerIniPath(Folder(dir))).find("ONE_PIXEL_SIZE=0.004438\r\nPIXEL_COUNT=251.000000"),
              std::string::npos);
    // After a restart the calibration applies in millimetres.
    const ViewerSettings back = LoadViewerSettings(Folder(dir), kTessmetDefault);
    EXPECT_EQ(back.calibrationUnit, 1);
    EXPECT_EQ(back.calibrationApplied, 1);
    EXPECT_DOUBLE_EQ(back.onePixelSize, 0.004438);
    EXPECT_DOUBLE_EQ(back.calibrationValue, 1.114);
}

TEST(ViewerPaths, SkinBitmapsComeFromTheStartFolderFirst) {
    TempDir start, data;
    std::filesystem::create_directories(start.path() / "img");
    std::filesystem::create_directories(data.path() / "img");
    WriteText(start.file("img/main.bmp"), "BM");
    WriteText(data.file("img/main.bmp"), "BM");
    WriteText(data.file("img/btn0.bmp"), "BM");
    EXPECT_EQ(FindSkinBitmap(Folder(start), Folder(data), "main.bmp"), start.file("img/main.bmp"));
    EXPECT_EQ(FindSkinBitmap(Folder(start), Folder(data), "btn0.bmp"), data.file("img/btn0.bmp"));
    EXPECT_EQ(FindSkinBitmap(Folder(start), Folder(data), "Screen1_Ena.bmp"), "");
    std::filesystem::create_directories(start.path() / "img" / "dir.bmp");  // a folder is no bitmap
    EXPECT_EQ(FindSkinBitmap(Folder(start), Folder(data), "dir.bmp"), "");
}

TEST(ViewerPaths, StartFolderIsTheWorkingDirectory) {
    TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const std::string folder = StartFolder();
    std::filesystem::current_path(previous);
    EXPECT_EQ(std::filesystem::canonical(folder), std::filesystem::canonical(dir.path()));
}

TEST(ViewerPaths, StartFolderRule) {
    TempDir config;
    const std::string home = Folder(config);
    struct Case {
        const char* name;
        std::optional<std::string> cwd;
        std::string expected;
    };
    const Case cases[] = {
        {"readable working directory", std::string("/data/scope"), "/data/scope"},
        {"trailing slashes dropped", std::string("/data/scope//"), "/data/scope"},
        {"the root stays the root", std::string("/"), "/"},
        {"unreadable working directory", std::nullopt, home + "/Lumora"},
        {"empty working directory", std::string(), home + "/Lumora"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ChooseStartFolder(c.cwd, home + "/"), c.expected);
    }
    EXPECT_TRUE(std::filesystem::is_directory(home + "/Lumora"));
}

// A working directory removed under the running program: the settings go to the per-user
// folder, never to /lumora.ini.
TEST(ViewerPaths, RemovedWorkingDirectoryFallsBackToTheUserFolder) {
    TempDir config;
    const auto previous = std::filesystem::current_path();
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "";
    ::setenv("XDG_CONFIG_HOME", Folder(config).c_str(), 1);
    std::string folder;
    {
        TempDir gone;
        std::filesystem::current_path(gone.path());
        std::filesystem::remove(gone.path());
        folder = StartFolder();
        std::filesystem::current_path(previous);
    }
    if (oldXdg) ::setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1); else ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(folder, Folder(config) + "/Lumora");
    EXPECT_EQ(ViewerIniPath(folder), Folder(config) + "/Lumora/lumora.ini");
    // The settings layer can write there.
    ViewerSettings s = LoadViewerSettings(folder, kTessmetDefault);
    EXPECT_TRUE(SaveViewerSettings(s));
    EXPECT_TRUE(std::filesystem::exists(Folder(config) + "/Lumora/lumora.ini"));
}

// The installed data folder moves with the program (bin/ beside share/), so a package under
// /usr finds its skin whatever prefix the build was configured with.
TEST(ViewerPaths, InstalledDataFolderFollowsTheProgram) {
    const std::filesystem::path program = platform::ExecutableFolder();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(InstalledDataFolder(), (program / ".." / "share" / "lumora").lexically_normal().string());
}

}  // namespace
