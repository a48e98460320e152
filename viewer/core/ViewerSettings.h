#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lumora {

// Lumora's persistent options as the program holds them in memory, loaded once at start from
// lumora.ini in the start folder. Several values stay the text read from the file and become a
// number only where they are used (TextAsInt): a value that is not a number then counts as 0,
// so a grid colour of "grey" draws black.
struct ViewerSettings {
    std::string applicationFolder;  // the start folder, base of every lumora.ini path
    std::string galleryFolder;
    std::string tessmetFolder;      // working directory of the measurement program

    std::string gridSpaceIndex = "2";       // "0" 4x3, "1" 8x6, anything else 16x12
    std::string gridThicknessIndex = "0";   // pen width minus 1
    std::string gridColor = "13158600";     // 0x00BBGGRR, grey 200,200,200
    std::string centerLineThicknessIndex = "0";
    std::string centerLineColor = "200";    // red 200
    std::string scaleTextColor = "16777215";
    std::string scaleLineColor = "16777215";
    std::string scaleBarColor = "65535";    // yellow
    std::string crossColor = "255";
    int32_t useCrossLine = 1;

    std::string captureAuto = "1";  // "0" asks for a name at each capture

    int32_t printScale = 1;
    int32_t printMagBar = 1;
    int32_t printMagData = 1;
    int32_t printGridLine = 0;
    int32_t printCenterLine = 0;

    std::string aliasMm = "mm";
    std::string aliasMm2 = "mm2";
    std::string aliasUm = "um";
    std::string aliasUm2 = "um2";
    std::string aliasDegree = "degree";
    int32_t useAlias = 1;
    int32_t lineThickness = 0;  // annotation line width index, 0..4 for 1..5
    int32_t arrowStyle = 0;

    int32_t calibrationApplied = 0;  // CALIBRATION/USE_CALIBRATION
    double onePixelSize = 1.0;       // in the calibration unit
    double pixelCount = 1.0;
    double calibrationValue = 1.0;
    int32_t calibrationUnit = 0;     // CALIBRATION/IS_MM: 0 micrometres, 1 millimetres

    bool operator==(const ViewerSettings&) const = default;
};

// The settings file name; every access builds the path anew from the application folder.
inline constexpr const char* kViewerIniName = "lumora.ini";

// Strings are read into a buffer of this size, so at most 254 characters survive a read.
inline constexpr size_t kViewerStringBuffer = 255;

// applicationFolder + "/lumora.ini".
std::string ViewerIniPath(const std::string& applicationFolder);

// The number a text-held field stands for where it is used: leading blanks, an optional sign,
// then decimal digits; anything else counts as 0.
int TextAsInt(std::string_view text);

// Plain text-to-double conversion: the leading number of the text, 0 when there is none.
double TextAsDouble(std::string_view text);

// Reads the start-up keys in the order the application reads them at start. A missing file
// or key gives the built-in default; the default gallery is applicationFolder + "/Gallery" and
// the default measurement-program folder is `defaultTessmetFolder`.
ViewerSettings LoadViewerSettings(const std::string& applicationFolder,
                                  const std::string& defaultTessmetFolder);

// Writes what the setting dialog's OK stores, in its order: every start-up key except the
// calibration ones. Text fields are written as held, integers as decimal. The keys go into the
// file in one replacement, so the file never holds half a save. False when it cannot be written.
bool SaveViewerSettings(const ViewerSettings& settings);

}  // namespace lumora
