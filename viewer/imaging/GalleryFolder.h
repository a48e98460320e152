#pragma once

#include "viewer/imaging/GallerySidecar.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// The picture files of a gallery folder, read from the folder's entries alone: no picture is
// opened. JPEG files (".jpg") come first, then bitmaps (".bmp"); the extension is the part from
// the last dot and matches without regard to case, so "x.jpeg" is not a gallery picture. Within
// each kind the names are in the order of the folder's listing, which here is sorted (letter
// case aside) rather than the order the file system happens to keep them in.
struct GalleryListing {
    bool readable = false;
    int error = 0;  // errno of the failure when not readable
    std::vector<std::string> names;
    SidecarIndex sidecars;
};

GalleryListing ScanGalleryFolder(const std::string& folder);

// ".jpg" or ".bmp", any letter case, as the extension of `name`.
bool IsGalleryPictureName(std::string_view name);

// The message for a folder that cannot be listed.
std::string GalleryFolderMessage(const std::string& folder, int error);

// Orders names as the listing does: letter case aside, then byte-wise.
bool GalleryNameLess(std::string_view a, std::string_view b);

}  // namespace lumora
