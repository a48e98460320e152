#pragma once

#include <string>

namespace tessmet {

// The seven display magnifications of the Zoom Setup dialog, index 1 (800 %) to 7 (25 %).
constexpr int kZoomPresetCount = 7;

// The magnification of preset 1..7; 1.0 for any other index.
double ZoomPreset(int index);

// The preset a window at `zoom` starts with: the smallest preset not below the zoom (1.5 gives
// 200 %), 800 % for anything above 4 and 25 % for anything at or below 0.25.
int PresetForZoom(double zoom);

// The percentage of a preset as the dialog shows it: "200%".
std::string PresetPercentText(int index);

}  // namespace tessmet
