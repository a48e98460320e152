#pragma once

#include "platform/ProfileFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// A profile file read once for a group of keys, with the profile rules: a missing file or key
// gives the caller's default, integers follow ParseProfileInt, strings are cut to the read
// buffer (bufferSize - 1 characters).
class ProfileReader {
public:
    explicit ProfileReader(const std::string& path, size_t bufferSize = 256);
    std::string text(std::string_view section, std::string_view key, const std::string& fallback) const;
    int32_t integer(std::string_view section, std::string_view key, int32_t fallback) const;

private:
    ProfileFile file_;
    size_t bufferSize_;
};

// Several keys written in one replacement of the file, in the order given, so that the file
// never holds half of a group and keys new to the file appear in that order.
class ProfileBatch {
public:
    explicit ProfileBatch(std::string path);
    void set(std::string_view section, std::string_view key, const std::string& value);
    void set(std::string_view section, std::string_view key, int32_t value);
    void remove(std::string_view section, std::string_view key);
    // False when the file cannot be written; it is then left as it was.
    bool commit() const;

private:
    std::string path_;
    ProfileFile file_;
};

}  // namespace platform
