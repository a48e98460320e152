#include "viewer/core/ViewerPaths.h"

#include "platform/FileProbe.h"
#include "platform/ProgramFolder.h"

#include <cstdlib>
#include <filesystem>

#ifndef LUMORA_DATA_DIR
#define LUMORA_DATA_DIR "/usr/local/share/lumora"
#endif

namespace lumora {
namespace {

std::string WithoutTrailingSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

}  // namespace

std::string ConfigHome() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') return xdg;
    if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.config";
    return "/tmp";
}

std::string ChooseStartFolder(const std::optional<std::string>& workingDirectory,
                              const std::string& configHome) {
    if (workingDirectory && !workingDirectory->empty()) return WithoutTrailingSlash(*workingDirectory);
    const std::string folder = WithoutTrailingSlash(configHome) + "/Lumora";
    std::error_code ignored;  // a folder that cannot be made shows up later as a failed write
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

std::string StartFolder() {
    std::error_code error;
    const std::filesystem::path cwd = std::filesystem::current_path(error);
    return ChooseStartFolder(error ? std::nullopt : std::optional<std::string>(cwd.string()), ConfigHome());
}

std::string DefaultTessmetFolder() { return WithoutTrailingSlash(platform::ExecutableFolder()); }

std::string InstalledDataFolder() {
#ifdef LUMORA_DATA_FROM_BIN
    const std::string programFolder = platform::ExecutableFolder();
    if (!programFolder.empty()) {
        const std::filesystem::path folder =
            (std::filesystem::path(programFolder) / LUMORA_DATA_FROM_BIN).lexically_normal();
        return WithoutTrailingSlash(folder.string());
    }
#endif
    return LUMORA_DATA_DIR;
}

std::string FindSkinBitmap(const std::string& applicationFolder, const std::string& dataFolder,
                           const std::string& name) {
    for (const std::string& folder : {applicationFolder, dataFolder}) {
        const std::string path = folder + "/img/" + name;
        if (!folder.empty() && platform::IsReadableFile(path)) return path;
    }
    return {};
}

std::string SkinBitmapPath(const std::string& applicationFolder, const std::string& name) {
    return FindSkinBitmap(applicationFolder, InstalledDataFolder(), name);
}

}  // namespace lumora
