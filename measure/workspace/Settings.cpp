#include "measure/workspace/Settings.h"

#include "platform/ProfileBatch.h"

#include <string>

namespace tessmet {
namespace {

using platform::ProfileBatch;
using platform::ProfileReader;

int InRangeOr(int value, int low, int high, int fallback) {
    return (value < low || value > high) ? fallback : value;
}

}  // namespace

void LoadSettings(const std::string& iniPath, Settings& s) {
    const ProfileReader file(iniPath);
    const Settings defaults;
    const auto readPen = [&](const char* prefix, const Pen& fallback) {
        const std::string p = prefix;
        Pen pen;
        pen.color = file.integer("PEN", p + "-Color", fallback.color);
        pen.style = file.integer("PEN", p + "-Type", fallback.style);
        pen.width = file.integer("PEN", p + "-Width", fallback.width);
        return pen;
    };
    s.ipPen = readPen("IP", defaults.ipPen);
    s.measurePen = readPen("Measure", defaults.measurePen);
    s.drawPen = readPen("Draw", defaults.drawPen);
    s.addColor = file.integer("PEN", "Add-Color", defaults.addColor);
    s.addUseXor = file.integer("PEN", "Add-UseXOR", defaults.addUseXor);
    s.jpegQuality = InRangeOr(file.integer("OTHER", "JpegQuality", 5), 1, 10, 5);
    s.gridDistance = InRangeOr(file.integer("OTHER", "GridDistance", 50), 10, 100, 50);
    s.centerLineOffX = InRangeOr(file.integer("OTHER", "CenterLineOffX", 0), -999, 999, 0);
    s.centerLineOffY = InRangeOr(file.integer("OTHER", "CenterLineOffY", 0), -999, 999, 0);
    s.measArrow = file.integer("OTHER", "MeasArrow", defaults.measArrow);
    s.measSquare = file.integer("OTHER", "MeasSquare", defaults.measSquare);
}

bool SaveSettings(const std::string& iniPath, const Settings& s) {
    ProfileBatch batch(iniPath);
    const auto writePen = [&](const char* prefix, const Pen& pen) {
        const std::string p = prefix;
        batch.set("PEN", p + "-Color", static_cast<int>(pen.color));
        batch.set("PEN", p + "-Type", pen.style);
        batch.set("PEN", p + "-Width", pen.width);
    };
    writePen("IP", s.ipPen);
    writePen("Measure", s.measurePen);
    writePen("Draw", s.drawPen);
    batch.set("PEN", "Add-Color", s.addColor);
    batch.set("PEN", "Add-UseXOR", s.addUseXor);
    batch.set("OTHER", "JpegQuality", s.jpegQuality);
    batch.set("OTHER", "GridDistance", s.gridDistance);
    batch.set("OTHER", "CenterLineOffX", s.centerLineOffX);
    batch.set("OTHER", "CenterLineOffY", s.centerLineOffY);
    batch.set("OTHER", "MeasArrow", s.measArrow);
    batch.set("OTHER", "MeasSquare", s.measSquare);
    return batch.commit();
}

FontDescription LoadFont(const std::string& iniPath) {
    // The face name field holds 31 characters and a terminator.
    const ProfileReader file(iniPath, 32);
    FontDescription f;
    f.height = file.integer("Font", "Height", f.height);
    f.width = file.integer("Font", "Width", f.width);
    f.escapement = file.integer("Font", "Escapement", f.escapement);
    f.orientation = file.integer("Font", "Orientation", f.orientation);
    f.weight = file.integer("Font", "Weight", f.weight);
    f.italic = file.integer("Font", "Italic", f.italic);
    f.underline = file.integer("Font", "Underline", f.underline);
    f.strikeOut = file.integer("Font", "StrikeOut", f.strikeOut);
    f.charSet = file.integer("Font", "CharSet", f.charSet);
    f.outPrecision = file.integer("Font", "OutPrecision", f.outPrecision);
    f.clipPrecision = file.integer("Font", "ClipPrecision", f.clipPrecision);
    f.quality = file.integer("Font", "Quality", f.quality);
    f.pitchAndFamily = file.integer("Font", "PitchAndFamily", f.pitchAndFamily);
    f.faceName = file.text("Font", "FaceName", f.faceName);
    return f;
}

bool SaveFont(const std::string& iniPath, const FontDescription& f) {
    ProfileBatch batch(iniPath);
    batch.set("Font", "Height", f.height);
    batch.set("Font", "Width", f.width);
    batch.set("Font", "Escapement", f.escapement);
    batch.set("Font", "Orientation", f.orientation);
    batch.set("Font", "Weight", f.weight);
    batch.set("Font", "Italic", f.italic);
    batch.set("Font", "Underline", f.underline);
    batch.set("Font", "StrikeOut", f.strikeOut);
    batch.set("Font", "CharSet", f.charSet);
    batch.set("Font", "OutPrecision", f.outPrecision);
    batch.set("Font", "ClipPrecision", f.clipPrecision);
    batch.set("Font", "Quality", f.quality);
    batch.set("Font", "PitchAndFamily", f.pitchAndFamily);
    batch.set("Font", "FaceName", f.faceName);
    return batch.commit();
}

WindowPlacement LoadPlacement(const std::string& iniPath) {
    const ProfileReader file(iniPath);
    WindowPlacement p;
    p.minX = file.integer("Settings", "minX", p.minX);
    p.minY = file.integer("Settings", "minY", p.minY);
    p.maxX = file.integer("Settings", "maxX", p.maxX);
    p.maxY = file.integer("Settings", "maxY", p.maxY);
    p.showCommand = file.integer("Settings", "size", p.showCommand);
    p.left = file.integer("Settings", "left", p.left);
    p.top = file.integer("Settings", "top", p.top);
    p.right = file.integer("Settings", "right", p.right);
    p.bottom = file.integer("Settings", "bottom", p.bottom);
    return p;
}

bool PlacementStored(const std::string& iniPath) {
    const platform::ProfileFile file = platform::ProfileFile::Load(iniPath);
    for (const char* key : {"left", "top", "right", "bottom"})
        if (!file.value("Settings", key)) return false;
    return true;
}

bool SavePlacement(const std::string& iniPath, const WindowPlacement& p) {
    ProfileBatch batch(iniPath);
    batch.set("Settings", "minX", p.minX);
    batch.set("Settings", "minY", p.minY);
    batch.set("Settings", "maxX", p.maxX);
    batch.set("Settings", "maxY", p.maxY);
    batch.set("Settings", "size", p.showCommand);
    batch.set("Settings", "left", p.left);
    batch.set("Settings", "top", p.top);
    batch.set("Settings", "right", p.right);
    batch.set("Settings", "bottom", p.bottom);
    return batch.commit();
}

bool LoadMaximize(const std::string& iniPath) {
    return platform::GetProfileInt("Settings", "Maximize", 0, iniPath) == 1;
}

bool SaveMaximize(const std::string& iniPath, bool maximized) {
    return platform::WriteProfileString("Settings", "Maximize", maximized ? "1" : "0", iniPath);
}

bool LoadBarsSaved(const std::string& iniPath) {
    return platform::GetProfileInt("version", "bars", 0, iniPath) == 1;
}

bool SaveBarsSaved(const std::string& iniPath) {
    return platform::WriteProfileString("version", "bars", "1", iniPath);
}

}  // namespace tessmet
