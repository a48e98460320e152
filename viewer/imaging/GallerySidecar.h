#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lumora {

// The magnification sidecar of a gallery picture: "<stem>jpg.mag" beside "<stem>.jpg" (the
// primary form, which captures write) or the older "<stem>.mag" (the secondary form).
struct SidecarNames {
    std::string primary;
    std::string secondary;
};

// Both forms from a picture's file name, lower-cased as the list looks them up; empty names
// for a file name that does not end in ".jpg" or ".bmp".
SidecarNames GallerySidecarNames(std::string_view pictureName);

// What the gallery reads from a sidecar: the optical magnification (a whole number), the unit
// text and the length of one pixel in that unit.
struct GallerySidecar {
    int optical = 0;
    std::string unit = "mm";
    double onePixelLength = 1.0;
};

// The longest unit text an item keeps; longer texts are cut to this many characters.
inline constexpr size_t kMaxUnitText = 11;

// The sidecar files of a folder by their lower-cased names, gathered while the folder is read,
// so finding a sidecar whose name differs in letter case does not read the folder again.
// The look-up table is made at the first look-up that needs it: most sidecars are found by
// their name as written, and reading the folder stays as cheap as listing it.
class SidecarIndex {
public:
    // Keeps `entryName` when it ends in ".mag" (any case); the first of equal names wins.
    void add(std::string_view entryName);
    // The entry whose lower-cased name is `lowerName`, or empty.
    std::string find(std::string_view lowerName) const;
    size_t size() const;

private:
    void build() const;

    std::vector<std::string> entries_;
    mutable std::unordered_map<std::string, std::string> names_;
    mutable size_t indexed_ = 0;  // entries_ taken into names_
};

// Reads the sidecar of `pictureName` in `folder`: each key from the primary file, and from the
// secondary one when the primary gives "0" (or lacks it). Missing files give magnification 0,
// unit "mm" and one pixel 1.0. File names match without regard to letter case, as they did on
// the file system the captures were first made on: the name as the picture spells it and the
// lower-cased name are tried first, then `index` (or, without one, the folder's entries).
GallerySidecar ReadGallerySidecar(const std::string& folder, std::string_view pictureName,
                                  const SidecarIndex* index = nullptr);

enum class SidecarForm { Primary, Secondary };

// The existing sidecar file of `pictureName` in `folder` in the given form, as the folder spells
// it, or empty.
std::string FindGallerySidecar(const std::string& folder, std::string_view pictureName, SidecarForm form,
                               const SidecarIndex* index = nullptr);

// The zoom the tooltip shows for an optical magnification: trunc(optical x 0.39851 + 0.5).
int ZoomFromOptical(int optical);

// "File name = %s\nImage size = %d x %d\nZoom = x%d".
std::string GalleryTooltipText(std::string_view name, int width, int height, int optical);

// The name of an entry of `folder` that equals `name` without regard to letter case: `name`
// itself when it exists, otherwise the first such entry, otherwise empty.
std::string FindNameIgnoringCase(const std::string& folder, std::string_view name);

// `folder` + "/" + `name`, with one slash only when `folder` ends in one.
std::string JoinPath(const std::string& folder, std::string_view name);

// ASCII lower case (file names are compared byte-wise beyond ASCII).
std::string LowerAscii(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace lumora
