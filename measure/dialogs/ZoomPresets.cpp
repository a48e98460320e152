#include "measure/dialogs/ZoomPresets.h"

#include <array>
#include <cstdio>

namespace tessmet {
namespace {

constexpr std::array<double, kZoomPresetCount> kPresets = {8.0, 4.0, 2.0, 1.0, 0.75, 0.5, 0.25};

}  // namespace

double ZoomPreset(int index) {
    if (index < 1 || index > kZoomPresetCount) return 1.0;
    return kPresets[static_cast<size_t>(index - 1)];
}

int PresetForZoom(double zoom) {
    // Walk from 800 % down while the zoom is still above the next smaller preset.
    for (int index = 1; index < kZoomPresetCount; ++index) {
        if (zoom > ZoomPreset(index + 1)) return index;
    }
    return kZoomPresetCount;
}

std::string PresetPercentText(int index) {
    char text[16];
    std::snprintf(text, sizeof text, "%d%c", static_cast<int>(ZoomPreset(index) * 100), '%');
    return text;
}

}  // namespace tessmet
