#pragma once

#include "codec/ReadStatus.h"
#include "measure/core/Calibration.h"
#include "measure/core/ImageSet.h"

#include <string>
#include <vector>

namespace tessmet {

// The reader's verdict on a picture file.
using codec::ReadStatus;

// True when the last three characters of the path are "bmp" in any letter case; such files get
// their header checked before they are loaded.
bool NameEndsInBmp(const std::string& path);

// Loads a picture when its view is first shown, and initialises the image's calibration:
// 1. A path ending in "bmp" must be a file that starts with "BM" and has 16, 24 or 32 bits per
//    pixel in its header; anything else is refused with 10003.
// 2. The file is decoded once (BMP or JPEG, recognised by content) and the image set built
//    from it; a picture that does not decode gives 10002, or 10003 when a file named .bmp turns
//    out to be a bitmap kind we do not read (run-length coded, odd bit fields).
// 3. On success the calibration is initialised with the image size (calibration file first,
//    then the magnification sidecar).
// Returns 0 or the first message to show (see LoadFailureMessages); `images` and `calibration`
// are changed only on success. `detail`, when given, receives the reader's own verdict.
int LoadImage(const std::string& path, ImageSet& images, Calibration& calibration, ReadStatus* detail = nullptr);

// The message ids the program shows, in order, for a LoadImage result: a refused bitmap shows
// 10003, and 10002 follows when its window closes; any other failure shows 10002 alone.
std::vector<int> LoadFailureMessages(int loadResult);

}  // namespace tessmet
