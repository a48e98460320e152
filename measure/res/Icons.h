#pragma once

#include <string>

namespace tessmet {

// Tessmet's pictures are SVG files embedded under ":/tessmet/icons/" (library tessmet_icons):
// one per toolbar command (CommandInfo::icon names it) and the program icon. They are drawn on
// a 24-unit grid and stay readable from 16 pixels up.
inline constexpr const char* kIconFolder = ":/tessmet/icons/";
inline constexpr const char* kApplicationIcon = ":/tessmet/icons/tessmet.svg";

// ":/tessmet/icons/<name>.svg".
std::string IconResource(const std::string& name);

}  // namespace tessmet
