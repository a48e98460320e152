#pragma once

#include <string>

namespace lumora {

// Where Lumora finds its files. The settings file and the default gallery follow the start
// folder, not the executable, so each start folder has its own lumora.ini.

// The process's current working directory, without a trailing '/'; empty when it cannot be
// read (then every path is relative to wherever the process is).
std::string StartFolder();

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
