#include "viewer/core/ViewerPaths.h"

#include "platform/FileProbe.h"
#include "platform/ProgramFolder.h"

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

std::string StartFolder() {
    std::error_code error;
    const std::filesystem::path cwd = std::filesystem::current_path(error);
    return error ? std::string() : WithoutTrailingSlash(cwd.string());
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
