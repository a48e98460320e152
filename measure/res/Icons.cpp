#include "measure/res/Icons.h"

namespace tessmet {

std::string IconResource(const std::string& name) { return std::string(kIconFolder) + name + ".svg"; }

}  // namespace tessmet
