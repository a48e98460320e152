#pragma once

#include <array>
#include <functional>
#include <string>

namespace tessmet {

// The table of open image windows: at most 64 images are open at once. Each image window takes
// an entry when it is created and gives it back when it is destroyed.
class OpenImageTable {
public:
    static constexpr int kCapacity = 64;

    // 0 when one more image may be opened, otherwise message 10001.
    int checkLimit() const;

    // Takes a free entry: its index, or -1 when all 64 are taken.
    int acquire();
    // Gives an entry back; false when `entry` is not a taken entry.
    bool release(int entry);

    int count() const { return count_; }
    bool full() const { return count_ == kCapacity; }

private:
    std::array<bool, kCapacity> taken_{};
    int count_ = 0;
};

// Creates the document with its window and view for `path` and returns 0, or the first message
// of a failed load (LoadImage).
using DocumentOpener = std::function<int(const std::string& path)>;

// Every route that opens a picture comes here: File Open, the recent-file list, dropped files,
// the command line and the hand-over from a second instance. Returns 10001 with 64 images open
// and 10002 for a path that is not a readable file, in both cases without calling `open`;
// otherwise what `open` returns.
int OpenImage(const OpenImageTable& table, const std::string& path, const DocumentOpener& open);

}  // namespace tessmet
