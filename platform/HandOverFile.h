#pragma once

#include <cstddef>
#include <string>

namespace platform {

// The file through which a second start hands a picture path to the running instance: the
// path is written without a line end, the running instance reads the first line and deletes
// the file.

// Writes `path` as the whole content of `handOverFile` (created or replaced, never left half
// written). Returns false when the file cannot be written.
bool WriteHandOverFile(const std::string& handOverFile, const std::string& path);

// The first line of `handOverFile` (up to CR or LF), then deletes the file, also when it could
// not be read. A missing file or an empty first line gives "". A first line longer than
// `maxLength` bytes gives "" as well: a cut-off path would name some other file.
std::string TakeHandOverFile(const std::string& handOverFile, size_t maxLength = 255);

}  // namespace platform
