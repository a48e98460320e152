#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A profile (INI) file with the semantics the programs' settings and side files were written
// for: section and key names match without regard to case, whitespace around keys and values is
// ignored, the first of duplicated sections or keys wins, a value in matching quotes is read
// without them, and LF and CR LF files read alike. Writing changes only the line of the key (or
// adds the section and key) and keeps every other line, comment and the line-end style.
class ProfileFile {
public:
    // Files above this size are not profile files; they read as absent and are never rewritten.
    static constexpr size_t kMaxBytes = 16u << 20;

    ProfileFile() = default;

    // An unreadable or missing file gives an empty profile; `readable()` tells which.
    static ProfileFile Load(const std::string& path);
    static ProfileFile Parse(std::string_view text);

    bool readable() const { return readable_; }

    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Sets `key` in `section`, creating both as needed; std::nullopt removes the key.
    void setValue(std::string_view section, std::string_view key,
                  const std::optional<std::string>& value);

    std::string text() const;

    // Writes the profile through a temporary file (see WriteFileAtomically). A profile loaded
    // from a file that exists but could not be read refuses to replace it.
    bool save(const std::string& path) const;

private:
    struct Line {
        std::string raw;  // the line as read, without its line end
    };
    // Index of the header line of the first matching section, or npos.
    size_t findSection(std::string_view section) const;
    // Index of the first line of `key` inside the section starting at `header`, or npos.
    size_t findKey(size_t header, std::string_view key) const;
    size_t sectionEnd(size_t header) const;

    std::vector<Line> lines_;
    std::string eol_ = "\r\n";
    std::string bom_;
    bool finalEol_ = true;
    bool readable_ = false;
};

// The three profile functions the programs use, each on a file by path.

// The key's value as a signed decimal integer: leading whitespace, an optional '-' or '+', then
// decimal digits up to the first other character ("12abc" reads 12, "abc" reads 0). A missing
// file, section or key, and an empty value, give `defaultValue`.
int GetProfileInt(std::string_view section, std::string_view key, int defaultValue,
                  const std::string& path);

// The key's value, or `defaultValue` when absent, cut to `bufferSize` - 1 characters: callers
// state the buffer their field holds (a 255-character name, a 31-character face name).
std::string GetProfileString(std::string_view section, std::string_view key,
                             std::string_view defaultValue, const std::string& path,
                             size_t bufferSize = 256);

// Creates the file, section and key as needed and replaces the key in place. Returns false when
// the file cannot be written; an existing file is then left exactly as it was.
bool WriteProfileString(std::string_view section, std::string_view key,
                        const std::optional<std::string>& value, const std::string& path);

// The integer rule of GetProfileInt applied to a text.
int ParseProfileInt(std::string_view text, int defaultValue);

}  // namespace platform
