#pragma once

#include <string>
#include <vector>

namespace tessmet {

// The File menu's list of the last pictures opened, newest first, kept in the settings file
// under [Recent File List] as File1..File4.
class RecentFileList {
public:
    static constexpr int kSize = 4;

    const std::vector<std::string>& files() const { return files_; }

    // The picture was opened: it moves to the front (once), the oldest falls off the end.
    void add(const std::string& path);
    // An entry that failed to open leaves the list.
    void remove(int index);

    void load(const std::string& iniPath);
    // Writes File1..FileN and removes the keys of entries that are no longer there.
    bool save(const std::string& iniPath) const;

    // Menu text of entry `index`: "&1 " and the path, with the middle of a long path cut to
    // keep the menu narrow ("/home/…/Gallery/Pic00001.jpg").
    static std::string MenuText(int index, const std::string& path, size_t maxLength = 48);

private:
    std::vector<std::string> files_;
};

}  // namespace tessmet
