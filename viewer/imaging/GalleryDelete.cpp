#include "viewer/imaging/GalleryDelete.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace lumora {

namespace {

// The picture of the other kind with the same stem, letter case aside: "a.bmp" for "a.jpg".
bool SiblingExists(const std::string& folder, const std::string& name) {
    const std::string stem = name.substr(0, name.size() - 4);
    const bool jpeg = EqualsIgnoringCase(name.substr(name.size() - 4), ".jpg");
    return !FindNameIgnoringCase(folder, stem + (jpeg ? ".bmp" : ".jpg")).empty();
}

// 0 when the file is gone (also when it was gone already), otherwise the errno of the failure.
int Unlink(const std::string& path) { return ::unlink(path.c_str()) == 0 || errno == ENOENT ? 0 : errno; }

}  // namespace

DeleteResult DeleteGalleryPicture(const std::string& folder, const std::string& name) {
    DeleteResult result;
    if (const int error = Unlink(JoinPath(folder, name)); error != 0) {
        result.message = "Cannot delete \"" + name + "\": " + std::strerror(error) + ".";
        return result;
    }
    result.pictureGone = true;

    std::string sidecar = FindGallerySidecar(folder, name, SidecarForm::Primary);
    if (sidecar.empty() && !GallerySidecarNames(name).secondary.empty() && !SiblingExists(folder, name))
        sidecar = FindGallerySidecar(folder, name, SidecarForm::Secondary);
    if (sidecar.empty()) return result;
    if (const int error = Unlink(JoinPath(folder, sidecar)); error != 0) {
        result.message = "\"" + name + "\" was deleted, but its magnification file \"" + sidecar +
                         "\" cannot be deleted: " + std::strerror(error) + ".";
        return result;
    }
    result.sidecar = sidecar;
    return result;
}

}  // namespace lumora
