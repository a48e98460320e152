#pragma once

#include "platform/ProfileFile.h"

#include <cstdint>
#include <string>

namespace lumora {

// lumora.ini read once for a group of keys, with the private-profile rules: a missing file or
// key gives the caller's default, strings are cut to the read buffer.
class ProfileReader {
public:
    explicit ProfileReader(const std::string& path);
    std::string text(const char* section, const char* key, const std::string& fallback) const;
    int32_t integer(const char* section, const char* key, int32_t fallback) const;

private:
    platform::ProfileFile file_;
};

// Several keys written in one replacement of the file, in the order given, so that the file
// never holds half of a group and keys new to the file appear in that order.
class ProfileBatch {
public:
    explicit ProfileBatch(std::string path);
    void set(const char* section, const char* key, const std::string& value);
    void set(const char* section, const char* key, int32_t value);
    bool commit() const;

private:
    std::string path_;
    platform::ProfileFile file_;
};

}  // namespace lumora
