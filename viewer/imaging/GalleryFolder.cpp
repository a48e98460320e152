#include "viewer/imaging/GalleryFolder.h"

#include <algorithm>
#include <cerrno>
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

// GalleryNameLess's order, with each name lower-cased once rather than in every comparison.
void SortNames(std::vector<std::string>& names) {
    struct Entry {
        std::string key;
        uint32_t index;
    };
    std::vector<Entry> entries;
    entries.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        std::string key = names[i];
        for (char& c : key) c = static_cast<char>(Fold(static_cast<unsigned char>(c)));
        entries.push_back({std::move(key), static_cast<uint32_t>(i)});
    }
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : names[a.index] < names[b.index];
    });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const Entry& entry : entries) sorted.push_back(std::move(names[entry.index]));
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
