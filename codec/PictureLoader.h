#pragma once

#include "codec/Dib.h"
#include "codec/ReadStatus.h"

#include <string>

namespace codec {

// Loads a BMP or JPEG picture, recognised by its first bytes whatever its name ("BM", or the
// JPEG start marker FF D8): a BMP keeps its depth, a JPEG gives 24 bits. Stands in for the
// platform's picture loader; the document adds its own checks by name.
ReadStatus LoadPicture(const std::string& path, Dib& picture);

// The same for a picture that is to be shown small (a thumbnail): a JPEG is decoded at the
// smallest eighth of its size that still covers coverWidth x coverHeight (ReadJpegFileCovering);
// a BMP loads in full, its rows being stored as they are.
ReadStatus LoadPictureCovering(const std::string& path, int coverWidth, int coverHeight, Dib& picture);

}  // namespace codec
