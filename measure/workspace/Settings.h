#pragma once

#include "measure/core/FontDescription.h"
#include "measure/core/Pen.h"

#include <string>

namespace tessmet {

// Tessmet's persistent options as the program uses them in memory: the three pens, the live
// overlay colour and mode, and the [OTHER] options. Read once after the main window is shown,
// written back at exit.
struct Settings {
    Pen ipPen{PenStyle::Solid, 1, static_cast<int32_t>(Rgb(0, 255, 0))};         // image processing
    Pen measurePen{PenStyle::Solid, 1, static_cast<int32_t>(Rgb(0, 0, 255))};    // measurements
    Pen drawPen{PenStyle::Solid, 1, static_cast<int32_t>(Rgb(255, 255, 255))};   // draw objects
    int32_t addColor = static_cast<int32_t>(Rgb(0, 255, 255));  // live overlays when not inverting
    int32_t addUseXor = 1;                                        // 1: live overlays invert
    int32_t jpegQuality = 5;      // 1..10; the encoder gets 10 times this
    int32_t gridDistance = 50;    // 10..100 screen pixels
    int32_t centerLineOffX = 0;   // -999..999
    int32_t centerLineOffY = 0;
    int32_t measArrow = 1;
    int32_t measSquare = 1;
    FontDescription font;

    bool operator==(const Settings&) const = default;
};

// Window placement of the main window ([Settings] section).
struct WindowPlacement {
    int32_t minX = -1, minY = -1;
    int32_t maxX = 0, maxY = 0;
    int32_t showCommand = 1;  // key "size"
    int32_t left = 100, top = 100, right = 900, bottom = 700;

    bool operator==(const WindowPlacement&) const = default;
};

// Settings file name inside the program folder.
inline constexpr const char* kSettingsFileName = "Tessmet.ini";

// [PEN] and [OTHER] into `settings` (the font is left alone), with the defaults for missing
// keys and the range rules: JpegQuality outside 1..10 reads 5, GridDistance outside 10..100
// reads 50, a centre-line offset outside -999..999 reads 0.
void LoadSettings(const std::string& iniPath, Settings& settings);
// Every [PEN] and [OTHER] value as decimal text. Returns false when the file cannot be written.
bool SaveSettings(const std::string& iniPath, const Settings& settings);

FontDescription LoadFont(const std::string& iniPath);
bool SaveFont(const std::string& iniPath, const FontDescription& font);

WindowPlacement LoadPlacement(const std::string& iniPath);
// True once a placement has been written (the four keys of the normal window rectangle).
bool PlacementStored(const std::string& iniPath);
bool SavePlacement(const std::string& iniPath, const WindowPlacement& placement);

// [Settings] Maximize and [version] bars, written when the main window closes.
bool LoadMaximize(const std::string& iniPath);
bool SaveMaximize(const std::string& iniPath, bool maximized);
bool LoadBarsSaved(const std::string& iniPath);
bool SaveBarsSaved(const std::string& iniPath);

}  // namespace tessmet
