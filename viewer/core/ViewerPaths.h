#pragma once

#include <optional>
#include <string>

namespace lumora {

// Where Lumora finds its files. The settings file and the default gallery follow the start
// folder, not the executable, so each start folder has its own lumora.ini.

// The process's current working directory, without a trailing '/'. When it cannot be read
// (the folder was removed, or a parent is not searchable) the per-user configuration folder
// $XDG_CONFIG_HOME/Lumora (default ~/.config/Lumora) takes its place, created on demand, so the
// settings never end up at the root of the file system.
std::string StartFolder();

// The rule above with the working directory (nullopt: not readable) and the configuration
// home given, so it can be tested.
std::string ChooseStartFolder(const std::optional<std::string>& workingDirectory,
                              const std::string& configHome);

// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config, else /tmp.
std::string ConfigHome();

// The default measurement-program folder: Lumora and Tessmet are installed side by side, so
// it is the folder of the running executable (without a trailing '/'). The one place that
// decides it.
std::string DefaultTessmetFolder();

// The installed data folder holding "img/": share/lumora beside the running program's bin/
// folder, wherever the suite was installed (the build-time prefix when that is unknown).
std::string InstalledDataFolder();

// A skin bitmap by file name: applicationFolder + "/img/" + name when that file exists, else
// the installed data folder's copy when that exists, else "" (the element stays blank).
std::string SkinBitmapPath(const std::string& applicationFolder, const std::string& name);

// The rule above with the data folder given, so it can be tested.
std::string FindSkinBitmap(const std::string& applicationFolder, const std::string& dataFolder,
                           const std::string& name);

}  // namespace lumora
