#include "platform/ProgramFolder.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

bool IsWritableFolder(const std::string& folder) {
    struct stat st{};
    return !folder.empty() && ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool MakeFolders(const std::string& folder) {
    for (size_t pos = 1; pos <= folder.size(); ++pos) {
        if (pos == folder.size() || folder[pos] == '/') {
            const std::string part = folder.substr(0, pos);
            if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        }
    }
    return true;
}

}  // namespace

std::string ExecutableFolder() {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return "./";
    buffer[n] = '\0';
    return FolderOf(buffer);
}

std::string ChooseProgramFolder(const std::string& executableFolder, const std::string& configHome,
                                const std::string& appName) {
    if (IsWritableFolder(executableFolder)) return WithSlash(executableFolder);
    const std::string folder = WithSlash(WithSlash(configHome) + appName);
    MakeFolders(folder);
    return folder;
}

std::string ProgramFolder(const std::string& appName) {
    std::string configHome;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
        configHome = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        configHome = std::string(home) + "/.config";
    } else {
        configHome = "/tmp";
    }
    return ChooseProgramFolder(ExecutableFolder(), configHome, appName);
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace platform
