#include "measure/workspace/RecentFileList.h"

#include "platform/ProfileFile.h"

#include <algorithm>

namespace tessmet {
namespace {

constexpr const char* kSection = "Recent File List";

std::string KeyOf(int index) { return "File" + std::to_string(index + 1); }

}  // namespace

void RecentFileList::add(const std::string& path) {
    if (path.empty()) return;
    files_.erase(std::remove(files_.begin(), files_.end(), path), files_.end());
    files_.insert(files_.begin(), path);
    if (files_.size() > static_cast<size_t>(kSize)) files_.resize(kSize);
}

void RecentFileList::remove(int index) {
    if (index >= 0 && index < static_cast<int>(files_.size())) files_.erase(files_.begin() + index);
}

void RecentFileList::load(const std::string& iniPath) {
    files_.clear();
    const platform::ProfileFile file = platform::ProfileFile::Load(iniPath);
    for (int i = 0; i < kSize; ++i) {
        const auto value = file.value(kSection, KeyOf(i));
        if (value && !value->empty() && std::find(files_.begin(), files_.end(), *value) == files_.end())
            files_.push_back(*value);
    }
}

bool RecentFileList::save(const std::string& iniPath) const {
    platform::ProfileFile file = platform::ProfileFile::Load(iniPath);
    for (int i = 0; i < kSize; ++i) {
        const bool present = i < static_cast<int>(files_.size());
        file.setValue(kSection, KeyOf(i), present ? std::optional<std::string>(files_[static_cast<size_t>(i)]) : std::nullopt);
    }
    return file.save(iniPath);
}

std::string RecentFileList::MenuText(int index, const std::string& path, size_t maxLength) {
    std::string shown = path;
    if (shown.size() > maxLength) {
        // Keep the file name and as much of the start as fits.
        const size_t slash = shown.rfind('/');
        const std::string tail = slash == std::string::npos ? shown : shown.substr(slash);
        const size_t room = maxLength > tail.size() + 3 ? maxLength - tail.size() - 3 : 0;
        shown = shown.substr(0, room) + "..." + tail;
    }
    // An ampersand in a path would turn into a mnemonic.
    std::string escaped;
    for (const char c : shown) {
        if (c == '&') escaped += '&';
        escaped += c;
    }
    return "&" + std::to_string(index + 1) + " " + escaped;
}

}  // namespace tessmet
