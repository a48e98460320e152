#include "viewer/imaging/GallerySidecar.h"

#include "platform/ProfileFile.h"

#include <charconv>
#include <cstdio>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace lumora {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

bool Exists(const std::string& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// `lower` is a sidecar name as GallerySidecarNames forms it, `spelt` the same name with the
// picture's own letter case.
std::string FindSidecarFile(const std::string& folder, const std::string& lower, const std::string& spelt,
                            const SidecarIndex* index) {
    if (lower.empty()) return {};
    if (Exists(JoinPath(folder, spelt))) return spelt;
    if (Exists(JoinPath(folder, lower))) return lower;
    if (index) return index->find(lower);
    return FindNameIgnoringCase(folder, lower);
}

// The two sidecar names in the picture's own letter case ("Pic00001.JPG": "Pic00001JPG.mag").
SidecarNames SpeltSidecarNames(std::string_view pictureName) {
    if (GallerySidecarNames(pictureName).primary.empty()) return {};
    const std::string name(pictureName);
    const std::string stem = name.substr(0, name.size() - 4);
    return {stem + name.substr(name.size() - 3) + ".mag", stem + ".mag"};
}

// A number as the C library reads one: leading blanks, an optional sign, then as much of a
// number as there is; nothing readable gives 0. Independent of the locale.
double ParseDouble(std::string_view text) {
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    if (at < text.size() && text[at] == '+') ++at;
    double value = 0;
    const auto result = std::from_chars(text.data() + at, text.data() + text.size(), value);
    return result.ec == std::errc() ? value : 0.0;
}

// One sidecar file, read once for its three keys. A missing file reads as absent keys.
class SidecarFile {
public:
    SidecarFile(const std::string& folder, const std::string& found) {
        if (!found.empty()) file_ = platform::ProfileFile::Load(JoinPath(folder, found));
    }
    std::string text(std::string_view section, std::string_view key, const std::string& fallback) const {
        // Profile strings come back cut to the caller's 256-character buffer.
        std::string value = file_.value(section, key).value_or(fallback);
        if (value.size() > 255) value.resize(255);
        return value;
    }

private:
    platform::ProfileFile file_;
};

}  // namespace

std::string JoinPath(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += name;
    return path;
}

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

SidecarNames GallerySidecarNames(std::string_view pictureName) {
    const std::string lower = LowerAscii(pictureName);
    if (lower.size() < 4) return {};
    const std::string_view tail = std::string_view(lower).substr(lower.size() - 4);
    if (tail != ".jpg" && tail != ".bmp") return {};
    const std::string stem = lower.substr(0, lower.size() - 4);
    return {stem + std::string(tail.substr(1)) + ".mag", stem + ".mag"};
}

std::string FindNameIgnoringCase(const std::string& folder, std::string_view name) {
    if (name.empty()) return {};
    struct stat st{};
    if (::stat(JoinPath(folder, name).c_str(), &st) == 0) return std::string(name);
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.empty() ? "." : folder.c_str()));
    if (!dir) return {};
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view entryName(entry->d_name);
        if (EqualsIgnoringCase(entryName, name)) return std::string(entryName);
    }
    return {};
}

void SidecarIndex::add(std::string_view entryName) {
    if (entryName.size() < 4 || !EqualsIgnoringCase(entryName.substr(entryName.size() - 4), ".mag")) return;
    entries_.emplace_back(entryName);
}

void SidecarIndex::build() const {
    for (; indexed_ < entries_.size(); ++indexed_) names_.emplace(LowerAscii(entries_[indexed_]), entries_[indexed_]);
}

size_t SidecarIndex::size() const {
    build();
    return names_.size();
}

std::string SidecarIndex::find(std::string_view lowerName) const {
    build();
    const auto it = names_.find(std::string(lowerName));
    return it == names_.end() ? std::string() : it->second;
}

std::string FindGallerySidecar(const std::string& folder, std::string_view pictureName, SidecarForm form,
                               const SidecarIndex* index) {
    const SidecarNames lower = GallerySidecarNames(pictureName);
    const SidecarNames spelt = SpeltSidecarNames(pictureName);
    if (form == SidecarForm::Primary) return FindSidecarFile(folder, lower.primary, spelt.primary, index);
    return FindSidecarFile(folder, lower.secondary, spelt.secondary, index);
}

GallerySidecar ReadGallerySidecar(const std::string& folder, std::string_view pictureName, const SidecarIndex* index) {
    const SidecarNames lower = GallerySidecarNames(pictureName);
    const SidecarNames spelt = SpeltSidecarNames(pictureName);
    const SidecarFile primary(folder, FindSidecarFile(folder, lower.primary, spelt.primary, index));
    // The secondary file is looked for only when a key of the primary asks for it.
    std::unique_ptr<SidecarFile> secondary;
    const auto fallback = [&]() -> const SidecarFile& {
        if (!secondary)
            secondary = std::make_unique<SidecarFile>(
                folder, FindSidecarFile(folder, lower.secondary, spelt.secondary, index));
        return *secondary;
    };

    GallerySidecar sidecar;
    std::string optical = primary.text("MAG", "Optical", "0");
    if (optical == "0") optical = fallback().text("MAG", "Optical", "0");
    sidecar.optical = platform::ParseProfileInt(optical, 0);

    std::string unit = primary.text("CAL", "Unit", "0");
    if (unit == "0") unit = fallback().text("CAL", "Unit", "mm");
    if (unit.size() > kMaxUnitText) unit.resize(kMaxUnitText);
    sidecar.unit = unit;

    std::string length = primary.text("CAL", "OnePixelLen", "0");
    if (length == "0") length = fallback().text("CAL", "OnePixelLen", "1.0");
    sidecar.onePixelLength = ParseDouble(length);
    return sidecar;
}

int ZoomFromOptical(int optical) { return static_cast<int>(optical * 0.39851 + 0.5); }

std::string GalleryTooltipText(std::string_view name, int width, int height, int optical) {
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "\nImage size = %d x %d\nZoom = x%d", width, height,
                  ZoomFromOptical(optical));
    return "File name = " + std::string(name) + numbers;
}

}  // namespace lumora
