#include "platform/ProfileFile.h"

#include "platform/AtomicFile.h"
#include "platform/FileProbe.h"

#include <cstdint>

namespace platform {
namespace {

constexpr size_t npos = std::string::npos;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

// "[name]" -> name; anything else -> nullopt.
std::optional<std::string_view> SectionName(std::string_view raw) {
    const std::string_view line = Trim(raw);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    const size_t close = line.find(']');
    if (close == npos) return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

bool IsComment(std::string_view raw) {
    const std::string_view line = Trim(raw);
    return !line.empty() && line.front() == ';';
}

// "key = value" -> (key, value); lines without '=' carry no key.
bool SplitKey(std::string_view raw, std::string_view& key, std::string_view& value) {
    if (IsComment(raw)) return false;
    const size_t eq = raw.find('=');
    if (eq == npos) return false;
    key = Trim(raw.substr(0, eq));
    value = Trim(raw.substr(eq + 1));
    return true;
}

}  // namespace

ProfileFile ProfileFile::Parse(std::string_view text) {
    ProfileFile file;
    file.readable_ = true;
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") {
        file.bom_ = std::string(text.substr(0, 3));
        text.remove_prefix(3);
    }
    const size_t firstLf = text.find('\n');
    file.eol_ = (firstLf != npos && firstLf > 0 && text[firstLf - 1] == '\r') ? "\r\n"
                : (firstLf != npos)                                      ? "\n"
                                                                         : "\r\n";
    file.finalEol_ = text.empty() || text.back() == '\n';
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        file.lines_.push_back({std::string(line)});
        start = end + 1;
    }
    return file;
}

ProfileFile ProfileFile::Load(const std::string& path) {
    std::string contents;
    if (!ReadSmallFile(path, contents, kMaxBytes)) return ProfileFile();
    return Parse(contents);
}

size_t ProfileFile::findSection(std::string_view section) const {
    const std::string_view wanted = Trim(section);
    for (size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionName(lines_[i].raw);
        if (name && SameName(*name, wanted)) return i;
    }
    return npos;
}

size_t ProfileFile::sectionEnd(size_t header) const {
    size_t i = header + 1;
    while (i < lines_.size() && !SectionName(lines_[i].raw)) ++i;
    return i;
}

size_t ProfileFile::findKey(size_t header, std::string_view key) const {
    const std::string_view wanted = Trim(key);
    const size_t end = sectionEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
        std::string_view k, v;
        if (SplitKey(lines_[i].raw, k, v) && SameName(k, wanted)) return i;
    }
    return npos;
}

std::optional<std::string> ProfileFile::value(std::string_view section, std::string_view key) const {
    const size_t header = findSection(section);
    if (header == npos) return std::nullopt;
    const size_t line = findKey(header, key);
    if (line == npos) return std::nullopt;
    std::string_view k, v;
    SplitKey(lines_[line].raw, k, v);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

void ProfileFile::setValue(std::string_view section, std::string_view key,
                           const std::optional<std::string>& value) {
    const std::string_view keyName = Trim(key);
    size_t header = findSection(section);
    if (header == npos) {
        if (!value) return;
        if (!lines_.empty() && !Trim(lines_.back().raw).empty()) lines_.push_back({""});
        lines_.push_back({"[" + std::string(Trim(section)) + "]"});
        lines_.push_back({std::string(keyName) + "=" + *value});
        return;
    }
    const size_t line = findKey(header, key);
    if (line != npos) {
        if (!value) {
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(line));
            return;
        }
        // Keep the key as it is spelled in the file; only the value changes.
        std::string_view k, v;
        SplitKey(lines_[line].raw, k, v);
        lines_[line].raw = std::string(k) + "=" + *value;
        return;
    }
    if (!value) return;
    // A new key goes after the last non-blank line of its section, before any blank lines
    // that separate it from the next section.
    size_t insert = sectionEnd(header);
    while (insert > header + 1 && Trim(lines_[insert - 1].raw).empty()) --insert;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert),
                  {std::string(keyName) + "=" + *value});
}

std::string ProfileFile::text() const {
    std::string out = bom_;
    for (size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i].raw;
        if (i + 1 < lines_.size() || finalEol_) out += eol_;
    }
    return out;
}

bool ProfileFile::save(const std::string& path) const {
    // A file that exists but could not be read (too large, no permission, a folder) must not
    // be replaced by what little we were asked to write.
    if (!readable_ && PathExists(path)) return false;
    return WriteFileAtomically(path, text());
}

int ParseProfileInt(std::string_view text, int defaultValue) {
    std::string_view s = Trim(text);
    if (s.empty()) return defaultValue;
    bool negative = false;
    if (s.front() == '-' || s.front() == '+') {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    // Accumulate modulo 2^32 like a 32-bit reader; no overflow trap on hostile input.
    uint32_t value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') break;
        value = value * 10u + static_cast<uint32_t>(c - '0');
    }
    if (negative) value = 0u - value;
    return static_cast<int>(value);
}

int GetProfileInt(std::string_view section, std::string_view key, int defaultValue,
                  const std::string& path) {
    const auto value = ProfileFile::Load(path).value(section, key);
    if (!value) return defaultValue;
    return ParseProfileInt(*value, defaultValue);
}

std::string GetProfileString(std::string_view section, std::string_view key,
                             std::string_view defaultValue, const std::string& path,
                             size_t bufferSize) {
    const auto value = ProfileFile::Load(path).value(section, key);
    std::string_view fallback = defaultValue;
    while (!fallback.empty() && IsSpace(fallback.back())) fallback.remove_suffix(1);  // trailing blanks of a default never reach the caller
    std::string result = value ? *value : std::string(fallback);
    const size_t limit = bufferSize > 0 ? bufferSize - 1 : 0;
    if (result.size() > limit) result.resize(limit);
    return result;
}

bool WriteProfileString(std::string_view section, std::string_view key,
                        const std::optional<std::string>& value, const std::string& path) {
    ProfileFile file = ProfileFile::Load(path);
    file.setValue(section, key, value);
    return file.save(path);
}

}  // namespace platform
