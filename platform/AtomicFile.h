#pragma once

#include <string>
#include <string_view>

namespace platform {

// Replaces the file at `path` with `bytes` so that a crash or a full disk never leaves a
// truncated file behind: the bytes go to a temporary file in the same folder, which is flushed
// and then renamed over the target. The target keeps its permissions. A target that exists but
// is not writable, or is not a regular file, is refused (returns false) and left untouched.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace platform
