#pragma once

#include "viewer/imaging/GallerySidecar.h"

#include <string>

namespace lumora {

struct DeleteResult {
    bool pictureGone = false;   // the picture no longer exists (deleted now, or already gone)
    std::string sidecar;        // the sidecar file deleted with it, as the folder spelt it; empty if none
    std::string message;        // what went wrong, for the user; empty when everything went
};

// Deletes the picture `name` in `folder` and then its sidecar. The sidecar is the one the list
// reads first, "<stem>jpg.mag" for "<stem>.jpg", found letter case aside; without it, the older
// "<stem>.mag", unless a picture of the other kind ("<stem>.bmp") still uses it. A picture that
// cannot be deleted keeps its sidecar, so it never loses its calibration; a picture that is
// already gone counts as deleted and its sidecar goes too.
DeleteResult DeleteGalleryPicture(const std::string& folder, const std::string& name);

}  // namespace lumora
