#pragma once

#include <optional>

namespace platform {

struct KeyboardLocks {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
    bool operator==(const KeyboardLocks&) const = default;
};

// The state of the three lock keys, read from the display server. std::nullopt where the
// platform does not tell (an offscreen or Wayland session): the indicators then stay grey.
std::optional<KeyboardLocks> ReadKeyboardLocks();

}  // namespace platform
