#pragma once

namespace tessmet {

// The nine on/off switches of an image window: four layers and five live overlays. The main
// window keeps a copy for its menus and toolbars; each view keeps its own.
struct LayerFlags {
    bool originalLayer = true;
    bool processingLayer = false;
    bool measureLayer = false;
    bool drawLayer = false;
    bool scale = false;
    bool centreLine = false;
    bool grid = false;
    bool horizontalLuminance = false;
    bool verticalLuminance = false;

    bool operator==(const LayerFlags&) const = default;

    // All off: what the main window shows when the last image window has closed.
    static LayerFlags AllOff() {
        LayerFlags f;
        f.originalLayer = false;
        return f;
    }
};

}  // namespace tessmet
