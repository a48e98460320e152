#include "viewer/imaging/GalleryRename.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumora {

namespace {

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa{}, sb{};
    return ::lstat(a.c_str(), &sa) == 0 && ::lstat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// Another entry than `self` answers to `name` in `folder`, exactly or letter case aside (a
// sidecar that differs only in case would be taken for the renamed picture's).
bool NameTaken(const std::string& folder, const std::string& name, const std::string& self, bool ignoringCase) {
    const std::string found = ignoringCase ? FindNameIgnoringCase(folder, name) : std::string();
    struct stat st{};
    const std::string exact = ::lstat(JoinPath(folder, name).c_str(), &st) == 0 ? name : found;
    if (exact.empty()) return false;
    return self.empty() || !SameFile(JoinPath(folder, exact), JoinPath(folder, self));
}

RenameResult Refused(RenameOutcome outcome, std::string message) { return {outcome, std::move(message)}; }

// "<stem>jpg.mag" (primary) or "<stem>.mag" from a picture name, in the name's own letter case.
std::string SidecarNameOf(const std::string& picture, SidecarForm form) {
    const std::string stem = picture.substr(0, picture.size() - 4);
    return form == SidecarForm::Primary ? stem + picture.substr(picture.size() - 3) + ".mag" : stem + ".mag";
}

}  // namespace

int RenameWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // File systems without the atomic form: a hard link fails on an existing name too.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    if (errno == EEXIST) return EEXIST;
    // Nor hard links (FAT, some network file systems): check, then rename.
    struct stat st{};
    if (::lstat(to.c_str(), &st) == 0) return EEXIST;
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

RenameResult CheckGalleryName(std::string_view newName) {
    if (newName.size() <= 4) return {};
    const std::string_view extension = newName.substr(newName.size() - 4);
    if (!EqualsIgnoringCase(extension, ".jpg") && !EqualsIgnoringCase(extension, ".bmp")) return {};
    if (newName.find_first_of("/\\") != std::string_view::npos || newName.find('\0') != std::string_view::npos)
        return Refused(RenameOutcome::InvalidName,
                       "The name \"" + std::string(newName) + "\" cannot be used: a file name cannot contain / or \\.");
    const std::string_view stem = newName.substr(0, newName.size() - 4);
    if (stem.find_first_not_of(" \t") == std::string_view::npos)
        return Refused(RenameOutcome::InvalidName, "The name \"" + std::string(newName) +
                                                       "\" cannot be used: it has no characters before the extension.");
    return {RenameOutcome::Renamed, {}};
}

RenameResult RenameGalleryPicture(const std::string& folder, const std::string& oldName, const std::string& newName,
                                  const SidecarIndex* index) {
    RenameResult check = CheckGalleryName(newName);
    if (check.outcome != RenameOutcome::Renamed) return check;
    if (newName == oldName || oldName.size() <= 4) return {};

    const std::string oldPath = JoinPath(folder, oldName);
    const std::string newPath = JoinPath(folder, newName);
    const std::string taken = "Cannot rename \"" + oldName + "\" to \"" + newName + "\": ";
    if (NameTaken(folder, newName, oldName, false))
        return Refused(RenameOutcome::NameTaken, taken + "a file of that name already exists.");

    SidecarForm form = SidecarForm::Primary;
    std::string oldSidecar = FindGallerySidecar(folder, oldName, SidecarForm::Primary, index);
    if (oldSidecar.empty()) {
        form = SidecarForm::Secondary;
        oldSidecar = FindGallerySidecar(folder, oldName, SidecarForm::Secondary, index);
    }
    const std::string newSidecar = SidecarNameOf(newName, form);
    if (!oldSidecar.empty() && NameTaken(folder, newSidecar, oldSidecar, true))
        return Refused(RenameOutcome::NameTaken, taken + "its magnification file would replace \"" + newSidecar + "\".");

    if (const int error = RenameWithoutReplacing(oldPath, newPath); error != 0)
        return Refused(error == EEXIST ? RenameOutcome::NameTaken : RenameOutcome::Failed,
                       taken + std::strerror(error) + ".");
    if (!oldSidecar.empty()) {
        if (const int error = RenameWithoutReplacing(JoinPath(folder, oldSidecar), JoinPath(folder, newSidecar));
            error != 0) {
            RenameWithoutReplacing(newPath, oldPath);
            return Refused(error == EEXIST ? RenameOutcome::NameTaken : RenameOutcome::Failed,
                           taken + "its magnification file \"" + oldSidecar + "\" cannot be renamed (" +
                               std::strerror(error) + ").");
        }
    }
    return {RenameOutcome::Renamed, {}};
}

}  // namespace lumora
