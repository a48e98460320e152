#include "measure/workspace/Settings.h"

#include "platform/ProfileFile.h"

#include <string>

namespace tessmet {
namespace {

using platform::ProfileFile;

int ReadInt(const ProfileFile& file, const char* section, const char* key, int fallback) {
    const auto value = file.value(section, key);
    return value ? platform::ParseProfileInt(*value, fallback) : fallback;
}

int InRangeOr(int value, int low, int high, int fallback) {
    return (value < low || value > high) ? fallback : value;
}

// Several keys go into the file in one replacement, in the order given: the file never holds
// half of a save.
class ProfileBatch {
public:
    explicit ProfileBatch(std::string path) : path_(std::move(path)), file_(ProfileFile::Load(path_)) {}
    void set(const char* section, const char* key, const std::string& value) { file_.setValue(section, key, value); }
    void set(const char* section, const char* key, int value) { set(section, key, std::to_string(value)); }
    bool commit() const { return file_.save(path_); }

private:
    std::string path_;
    ProfileFile file_;
};

}  // namespace

void LoadSettings(const std::string& iniPath, Settings& s) {
    const ProfileFile file = ProfileFile::Load(iniPath);
    const Settings defaults;
    const auto readPen = [&](const char* prefix, const Pen& fallback) {
        const std::string p = prefix;
        Pen pen;
        pen.color = ReadInt(file, "PEN", (p + "-Color").c_str(), fallback.color);
        pen.style = ReadInt(file, "PEN", (p + "-Type").c_str(), fallback.style);
        pen.width = ReadInt(file, "PEN", (p + "-Width").c_str(), fallback.width);
        return pen;
    };
    s.ipPen = readPen("IP", defaults.ipPen);
    s.measurePen = readPen("Measure", defaults.measurePen);
    s.drawPen = readPen("Draw", defaults.drawPen);
    s.addColor = ReadInt(file, "PEN", "Add-Color", defaults.addColor);
    s.addUseXor = ReadInt(file, "PEN", "Add-UseXOR", defaults.addUseXor);
    s.jpegQuality = InRangeOr(ReadInt(file, "OTHER", "JpegQuality", 5), 1, 10, 5);
    s.gridDistance = InRangeOr(ReadInt(file, "OTHER", "GridDistance", 50), 10, 100, 50);
    s.centerLineOffX = InRangeOr(ReadInt(file, "OTHER", "CenterLineOffX", 0), -999, 999, 0);
    s.centerLineOffY = InRangeOr(ReadInt(file, "OTHER", "CenterLineOffY", 0), -999, 999, 0);
    s.measArrow = ReadInt(file, "OTHER", "MeasArrow", defaults.measArrow);
    s.measSquare = ReadInt(file, "OTHER", "MeasSquare", defaults.measSquare);
}

bool SaveSettings(const std::string& iniPath, const Settings& s) {
    ProfileBatch batch(iniPath);
    const auto writePen = [&](const char* prefix, const Pen& pen) {
        const std::string p = prefix;
        batch.set("PEN", (p + "-Color").c_str(), static_cast<int>(pen.color));
        batch.set("PEN", (p + "-Type").c_str(), pen.style);
        batch.set("PEN", (p + "-Width").c_str(), pen.width);
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
    const ProfileFile file = ProfileFile::Load(iniPath);
    FontDescription f;
    f.height = ReadInt(file, "Font", "Height", f.height);
    f.width = ReadInt(file, "Font", "Width", f.width);
    f.escapement = ReadInt(file, "Font", "Escapement", f.escapement);
    f.orientation = ReadInt(file, "Font", "Orientation", f.orientation);
    f.weight = ReadInt(file, "Font", "Weight", f.weight);
    f.italic = ReadInt(file, "Font", "Italic", f.italic);
    f.underline = ReadInt(file, "Font", "Underline", f.underline);
    f.strikeOut = ReadInt(file, "Font", "StrikeOut", f.strikeOut);
    f.charSet = ReadInt(file, "Font", "CharSet", f.charSet);
    f.outPrecision = ReadInt(file, "Font", "OutPrecision", f.outPrecision);
    f.clipPrecision = ReadInt(file, "Font", "ClipPrecision", f.clipPrecision);
    f.quality = ReadInt(file, "Font", "Quality", f.quality);
    f.pitchAndFamily = ReadInt(file, "Font", "PitchAndFamily", f.pitchAndFamily);
    if (const auto face = file.value("Font", "FaceName")) {
        f.faceName = *face;
        // The face name field holds 31 characters and a terminator.
        if (f.faceName.size() > 31) f.faceName.resize(31);
    }
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
    const ProfileFile file = ProfileFile::Load(iniPath);
    WindowPlacement p;
    p.minX = ReadInt(file, "Settings", "minX", p.minX);
    p.minY = ReadInt(file, "Settings", "minY", p.minY);
    p.maxX = ReadInt(file, "Settings", "maxX", p.maxX);
    p.maxY = ReadInt(file, "Settings", "maxY", p.maxY);
    p.showCommand = ReadInt(file, "Settings", "size", p.showCommand);
    p.left = ReadInt(file, "Settings", "left", p.left);
    p.top = ReadInt(file, "Settings", "top", p.top);
    p.right = ReadInt(file, "Settings", "right", p.right);
    p.bottom = ReadInt(file, "Settings", "bottom", p.bottom);
    return p;
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
