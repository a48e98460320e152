#include "viewer/imaging/GalleryFolder.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstddef>
#include <cstring>
#include <dirent.h>
#include <memory>

namespace lumora {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

// 0 for ".jpg", 1 for ".bmp", -1 for anything else.
int PictureKind(std::string_view name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return -1;
    const std::string_view extension = name.substr(dot);
    if (EqualsIgnoringCase(extension, ".jpg")) return 0;
    if (EqualsIgnoringCase(extension, ".bmp")) return 1;
    return -1;
}

unsigned char Fold(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c; }

struct SortEntry {
    uint64_t prefix;
    uint32_t index;
};

// Orders the entries by prefix, keeping the order of equal ones: a byte at a time from the
// last, skipping the bytes every entry shares (a folder of captures shares most of them).
void SortByPrefix(std::vector<SortEntry>& entries) {
    if (entries.size() < 2) return;
    std::array<std::array<uint32_t, 256>, 8> counts{};
    for (const SortEntry& entry : entries)
        for (int b = 0; b < 8; ++b) ++counts[b][(entry.prefix >> (8 * b)) & 0xFF];
    std::vector<SortEntry> buffer(entries.size());
    for (int b = 0; b < 8; ++b) {
        std::array<uint32_t, 256>& start = counts[b];
        if (start[(entries[0].prefix >> (8 * b)) & 0xFF] == entries.size()) continue;
        uint32_t sum = 0;
        for (uint32_t& count : start) {
            const uint32_t n = count;
            count = sum;
            sum += n;
        }
        for (const SortEntry& entry : entries) buffer[start[(entry.prefix >> (8 * b)) & 0xFF]++] = entry;
        entries.swap(buffer);
    }
}

// GalleryNameLess's order. Each name's first eight bytes, lower-cased, are packed once into a
// number that compares like them; only names that share those eight bytes are compared in full.
// The names themselves stay where they are until the order is known, then move once.
void SortNames(std::vector<std::string>& names) {
    std::vector<SortEntry> entries(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        const size_t n = std::min<size_t>(name.size(), 8);
        uint64_t prefix = 0;
        for (size_t k = 0; k < n; ++k) prefix |= uint64_t{Fold(static_cast<unsigned char>(name[k]))} << (56 - 8 * k);
        entries[i] = {prefix, static_cast<uint32_t>(i)};
    }
    SortByPrefix(entries);
    for (size_t i = 0; i < entries.size();) {
        size_t end = i + 1;
        while (end < entries.size() && entries[end].prefix == entries[i].prefix) ++end;
        if (end - i > 1)
            std::sort(entries.begin() + static_cast<std::ptrdiff_t>(i), entries.begin() + static_cast<std::ptrdiff_t>(end),
                      [&](const SortEntry& a, const SortEntry& b) { return GalleryNameLess(names[a.index], names[b.index]); });
        i = end;
    }
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const SortEntry& entry : entries) sorted.push_back(std::move(names[entry.index]));
    names = std::move(sorted);
}

}  // namespace

bool IsGalleryPictureName(std::string_view name) { return PictureKind(name) >= 0; }

bool GalleryNameLess(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = Fold(static_cast<unsigned char>(a[i]));
        const unsigned char y = Fold(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

GalleryListing ScanGalleryFolder(const std::string& folder) {
    GalleryListing listing;
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.empty() ? "." : folder.c_str()));
    if (!dir) {
        listing.error = errno;
        return listing;
    }
    std::vector<std::string> bitmaps;
    errno = 0;
    while (const dirent* entry = ::readdir(dir.get())) {
        // Folders named like pictures are not pictures; the type comes with the entry, so this
        // costs no look-up of the file.
        if (entry->d_type == DT_DIR) continue;
        const std::string_view name(entry->d_name);
        switch (PictureKind(name)) {
        case 0: listing.names.emplace_back(name); break;
        case 1: bitmaps.emplace_back(name); break;
        default: listing.sidecars.add(name); break;
        }
    }
    if (errno != 0) {
        listing.error = errno;
        listing.names.clear();
        return listing;
    }
    SortNames(listing.names);
    SortNames(bitmaps);
    listing.names.reserve(listing.names.size() + bitmaps.size());
    std::move(bitmaps.begin(), bitmaps.end(), std::back_inserter(listing.names));
    listing.readable = true;
    return listing;
}

std::string GalleryFolderMessage(const std::string& folder, int error) {
    return "Cannot read the gallery folder \"" + folder + "\".\n" + std::strerror(error);
}

}  // namespace lumora
