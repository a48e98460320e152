#pragma once

#include <array>

namespace lumora {

// Where the main form's skinned controls sit (form pixels; the form is 1024 x 768) and which
// bitmaps and tooltips they use. The background artwork is drawn to match these places.

inline constexpr int kFormWidth = 1024;
inline constexpr int kFormHeight = 768;
inline constexpr const char* kBackgroundImage = "main.bmp";

struct SkinButtonPlace {
    int id;
    int x;
    int y;
    const char* stem;     // files "<stem>_Ena.bmp", "_Over.bmp" (and "_Hit.bmp" for switches)
    const char* tooltip;
    bool caption;         // Minimize and Close: two bitmaps, shown the other way round
};

inline constexpr std::array<SkinButtonPlace, 2> kCaptionButtons = {{
    {1005, 951, 5, "ProgramMin", "Minimize", true},
    {1004, 985, 5, "ProgramExit", "Close", true},
}};

inline constexpr std::array<SkinButtonPlace, 4> kLayoutButtons = {{
    {1000, 451, 55, "Screen1", "Screen 1", false},
    {1002, 492, 55, "Screen2", "Screen 2", false},
    {1001, 534, 55, "Screen3", "Screen 2", false},
    {1003, 575, 55, "Screen4", "Screen 4", false},
}};

inline constexpr std::array<SkinButtonPlace, 5> kSwitchButtons = {{
    {1008, 80, 133, "ModeCheck_01", "Show Scale bar", false},
    {1011, 80, 150, "ModeCheck_04", "Show Mag. Bar", false},
    {1012, 80, 167, "ModeCheck_05", "Show Mag. Data", false},
    {1009, 80, 184, "ModeCheck_02", "Show grid lines", false},
    {1010, 80, 201, "ModeCheck_03", "Show center line", false},
}};

struct FormRect {
    int x;
    int y;
    int width;
    int height;
};

inline constexpr FormRect kResolutionCombo = {237, 131, 96, 98};
inline constexpr FormRect kFileTypeCombo = {237, 163, 96, 98};
inline constexpr FormRect kJogPlace = {20, 240, 300, 306};
inline constexpr FormRect kPaneArea = {360, 88, 640, 480};
inline constexpr FormRect kGalleryPlace = {17, 603, 988, 135};
// The logo: a click opens the maker's page, a drag elsewhere moves the window.
inline constexpr FormRect kLogoRect = {55, 19, 212, 74};
// Drawing tools (six, 26 x 26, the first one apart), colours (three) and calibration.
inline constexpr int kToolColumnX = 326;
inline constexpr int kToolButtonSize = 26;
inline constexpr std::array<int, 6> kToolButtonY = {254, 290, 316, 342, 368, 394};
inline constexpr std::array<int, 3> kColourButtonY = {430, 456, 482};
inline constexpr int kCalibrationButtonY = 520;

}  // namespace lumora
