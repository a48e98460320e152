#pragma once

#include <string>

namespace platform {

// Folder of the running executable, with a trailing '/'.
std::string ExecutableFolder();

// Where a program keeps its settings and hand-over files: the executable's folder when this
// user may write there (a portable install, as the programs were designed for), otherwise the
// per-user folder $XDG_CONFIG_HOME/<appName>/ (default ~/.config/<appName>/), created on demand.
// Always ends with '/'.
std::string ProgramFolder(const std::string& appName);

// The rule above with the candidate folders given, so it can be tested.
std::string ChooseProgramFolder(const std::string& executableFolder, const std::string& configHome,
                                const std::string& appName);

// The folder part of a path including its trailing separator ("" when there is none).
std::string FolderOf(const std::string& path);

// The part after the last separator.
std::string FileNameOf(const std::string& path);

}  // namespace platform
