#include "viewer/core/ViewerSettings.h"

#include "platform/ProfileBatch.h"

#include "platform/ProfileFile.h"

#include <charconv>

namespace lumora {

std::string ViewerIniPath(const std::string& applicationFolder) {
    return applicationFolder + "/" + kViewerIniName;
}

int TextAsInt(std::string_view text) { return platform::ParseProfileInt(text, 0); }

double TextAsDouble(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0.0;
    // from_chars ignores the process locale, which a desktop program sets from the environment.
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() ? value : 0.0;
}

ViewerSettings LoadViewerSettings(const std::string& applicationFolder,
                                  const std::string& defaultTessmetFolder) {
    const platform::ProfileReader ini(ViewerIniPath(applicationFolder), kViewerStringBuffer);
    ViewerSettings s;
    const ViewerSettings d;
    s.applicationFolder = applicationFolder;
    s.galleryFolder = ini.text("GALLERY", "PATH", applicationFolder + "/Gallery");
    s.tessmetFolder = ini.text("TESSMET", "PATH", defaultTessmetFolder);
    s.gridSpaceIndex = ini.text("GRID_LINE", "SPACE_INDEX", d.gridSpaceIndex);
    s.gridThicknessIndex = ini.text("GRID_LINE", "THICKNESS_INDEX", d.gridThicknessIndex);
    s.gridColor = ini.text("GRID_LINE", "COLOR", d.gridColor);
    s.centerLineThicknessIndex = ini.text("CENTER_LINE", "THICKNESS_INDEX", d.centerLineThicknessIndex);
    s.centerLineColor = ini.text("CENTER_LINE", "COLOR", d.centerLineColor);
    s.scaleTextColor = ini.text("SCALE", "TEXT_COLOR", d.scaleTextColor);
    s.scaleLineColor = ini.text("SCALE", "LINE_COLOR", d.scaleLineColor);
    s.scaleBarColor = ini.text("SCALE", "BAR_COLOR", d.scaleBarColor);
    s.crossColor = ini.text("DRAWING_OPTIONS", "CROSS_COLOR", d.crossColor);
    s.captureAuto = ini.text("CAPTURE", "AUTO", d.captureAuto);
    s.printScale = ini.integer("PRINT_IMAGE", "SCALE", d.printScale);
    s.printMagBar = ini.integer("PRINT_IMAGE", "MAG_BAR", d.printMagBar);
    s.printMagData = ini.integer("PRINT_IMAGE", "MAG_DATA", d.printMagData);
    s.printGridLine = ini.integer("PRINT_IMAGE", "GRID_LINE", d.printGridLine);
    s.printCenterLine = ini.integer("PRINT_IMAGE", "CENTER_LINE", d.printCenterLine);
    s.aliasMm = ini.text("DRAWING_OPTIONS", "MM", d.aliasMm);
    s.aliasMm2 = ini.text("DRAWING_OPTIONS", "MM2", d.aliasMm2);
    s.aliasUm = ini.text("DRAWING_OPTIONS", "UM", d.aliasUm);
    s.aliasUm2 = ini.text("DRAWING_OPTIONS", "UM2", d.aliasUm2);
    s.aliasDegree = ini.text("DRAWING_OPTIONS", "DEGREE", d.aliasDegree);
    s.useAlias = ini.integer("DRAWING_OPTIONS", "USE_ALIAS", d.useAlias);
    s.lineThickness = ini.integer("DRAWING_OPTIONS", "LINE_THICKNESS", d.lineThickness);
    s.arrowStyle = ini.integer("DRAWING_OPTIONS", "ARROW_STYLE", d.arrowStyle);
    s.useCrossLine = ini.integer("DRAWING_OPTIONS", "USE_CROSS_LINE", d.useCrossLine);
    // The calibration keys are held as text in the file and converted on reading.
    s.calibrationUnit = TextAsInt(ini.text("CALIBRATION", "IS_MM", "0"));
    s.calibrationApplied = TextAsInt(ini.text("CALIBRATION", "USE_CALIBRATION", "0"));
    s.onePixelSize = TextAsDouble(ini.text("CALIBRATION", "ONE_PIXEL_SIZE", "1."));
    s.pixelCount = TextAsDouble(ini.text("CALIBRATION", "PIXEL_COUNT", "1."));
    s.calibrationValue = TextAsDouble(ini.text("CALIBRATION", "CALIBRATION_VALUE", "1."));
    return s;
}

bool SaveViewerSettings(const ViewerSettings& s) {
    platform::ProfileBatch ini(ViewerIniPath(s.applicationFolder));
    ini.set("GALLERY", "PATH", s.galleryFolder);
    ini.set("TESSMET", "PATH", s.tessmetFolder);
    ini.set("GRID_LINE", "SPACE_INDEX", s.gridSpaceIndex);
    ini.set("GRID_LINE", "THICKNESS_INDEX", s.gridThicknessIndex);
    ini.set("GRID_LINE", "COLOR", s.gridColor);
    ini.set("CENTER_LINE", "THICKNESS_INDEX", s.centerLineThicknessIndex);
    ini.set("CENTER_LINE", "COLOR", s.centerLineColor);
    ini.set("CAPTURE", "AUTO", s.captureAuto);
    ini.set("SCALE", "LINE_COLOR", s.scaleLineColor);
    ini.set("SCALE", "TEXT_COLOR", s.scaleTextColor);
    ini.set("SCALE", "BAR_COLOR", s.scaleBarColor);
    ini.set("PRINT_IMAGE", "SCALE", s.printScale);
    ini.set("PRINT_IMAGE", "MAG_BAR", s.printMagBar);
    ini.set("PRINT_IMAGE", "MAG_DATA", s.printMagData);
    ini.set("PRINT_IMAGE", "GRID_LINE", s.printGridLine);
    ini.set("PRINT_IMAGE", "CENTER_LINE", s.printCenterLine);
    ini.set("DRAWING_OPTIONS", "CROSS_COLOR", s.crossColor);
    ini.set("DRAWING_OPTIONS", "USE_CROSS_LINE", s.useCrossLine);
    ini.set("DRAWING_OPTIONS", "MM", s.aliasMm);
    ini.set("DRAWING_OPTIONS", "MM2", s.aliasMm2);
    ini.set("DRAWING_OPTIONS", "UM", s.aliasUm);
    ini.set("DRAWING_OPTIONS", "UM2", s.aliasUm2);
    ini.set("DRAWING_OPTIONS", "DEGREE", s.aliasDegree);
    ini.set("DRAWING_OPTIONS", "USE_ALIAS", s.useAlias);
    ini.set("DRAWING_OPTIONS", "LINE_THICKNESS", s.lineThickness);
    ini.set("DRAWING_OPTIONS", "ARROW_STYLE", s.arrowStyle);
    return ini.commit();
}

}  // namespace lumora
