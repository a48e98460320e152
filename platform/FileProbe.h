#pragma once

#include <string>

namespace platform {

// True when `path` names a regular file this process can open for reading. A folder is not a
// file here, although the C library would open one for reading.
bool IsReadableFile(const std::string& path);

// True when anything (file, folder, device) exists at `path`.
bool PathExists(const std::string& path);

// Reads a whole regular file of at most `maxBytes` bytes. Returns false when the file cannot be
// read or is larger than the limit, so a hostile size never turns into a huge allocation.
bool ReadSmallFile(const std::string& path, std::string& contents, size_t maxBytes);

}  // namespace platform
