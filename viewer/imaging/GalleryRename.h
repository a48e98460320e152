#pragma once

#include "viewer/imaging/GallerySidecar.h"

#include <string>
#include <string_view>

namespace lumora {

enum class RenameOutcome {
    Renamed,        // the picture (and its sidecar, if it had one) carry the new name
    Ignored,        // not a picture name (".jpg" or ".bmp" after at least one character), or unchanged
    InvalidName,    // a folder separator in the name, or nothing but blanks before the extension
    NameTaken,      // another picture or sidecar already has the new name; nothing was renamed
    Failed,         // the file system refused; nothing was renamed
};

struct RenameResult {
    RenameOutcome outcome = RenameOutcome::Ignored;
    std::string message;  // why the name was not taken, for the user; empty when renamed or ignored
};

// Whether `newName` may become the name of a gallery picture (without looking at the folder).
RenameResult CheckGalleryName(std::string_view newName);

// Renames the picture `oldName` in `folder` to `newName` together with its sidecar: the primary
// form ("<stem>jpg.mag") to the primary form of the new name, or, when there is none, the
// secondary form ("<stem>.mag") to the new secondary form. An existing file is never replaced:
// when either new name is taken, nothing is renamed. When the sidecar cannot follow, the
// picture gets its old name back, so a picture never loses its sidecar to a rename.
RenameResult RenameGalleryPicture(const std::string& folder, const std::string& oldName, const std::string& newName,
                                  const SidecarIndex* index = nullptr);

// Renames `from` to `to` unless `to` exists: 0, or the errno of the failure (EEXIST when taken).
int RenameWithoutReplacing(const std::string& from, const std::string& to);

}  // namespace lumora
