// Both programs' settings files may be edited by hand: every value, however wrong, must read as
// a value the programs can use (ranges applied, text-held numbers taken as 0 when not numbers).
#include "fuzz/FuzzFile.h"
#include "measure/workspace/Settings.h"
#include "viewer/core/ViewerSettings.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string folder = [] {
        const std::string f = FuzzScratchFile(".settings");
        std::filesystem::create_directories(f);
        return f;
    }();
    const std::string tessmetIni = folder + "/Tessmet.ini";
    WriteFuzzInput(tessmetIni, data, size);
    tessmet::Settings settings;
    tessmet::LoadSettings(tessmetIni, settings);
    if (settings.jpegQuality < 1 || settings.jpegQuality > 10) std::abort();
    if (settings.gridDistance < 10 || settings.gridDistance > 100) std::abort();
    if (settings.centerLineOffX < -999 || settings.centerLineOffX > 999) std::abort();
    (void)tessmet::LoadFont(tessmetIni);
    (void)tessmet::LoadPlacement(tessmetIni);

    WriteFuzzInput(lumora::ViewerIniPath(folder), data, size);
    (void)lumora::LoadViewerSettings(folder, "/opt/tessmet/");
    return 0;
}
