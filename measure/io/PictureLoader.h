#pragma once

#include "measure/io/ReadStatus.h"
#include "measure/processing/Dib.h"

#include <string>

namespace tessmet {

// Loads a BMP or JPEG picture, recognised by its first bytes whatever its name ("BM", or the
// JPEG start marker FF D8): a BMP keeps its depth, a JPEG gives 24 bits. Stands in for the
// platform's picture loader; the document adds its own checks by name.
ReadStatus LoadPicture(const std::string& path, Dib& picture);

}  // namespace tessmet
