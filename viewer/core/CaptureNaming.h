#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumora {

// Names of captures in the gallery folder: "Pic" followed by the picture number with at least
// five digits, ".bmp" or ".jpg".

// The number a gallery file name carries: "Pic", a non-empty run of decimal digits, then
// ".bmp" or ".jpg" in any case ("Pic00007.JPG" -> 7). Nothing for any other name
// ("Pic0003a.jpg", "Picture.jpg", "Pic00020.png").
std::optional<int64_t> PictureNumberOf(std::string_view fileName);

// One more than the largest picture number in `folder`, 1 when there is none or the folder
// cannot be read. Numbers above 99999 count like any other.
int64_t NextPictureNumber(const std::string& folder);

// "Pic%05d": Pic00001, Pic00013, Pic123456.
std::string PictureBaseName(int64_t number);

// The file name of a capture: base + ".jpg" for type 1, base + ".bmp" for any other type.
std::string CaptureFileName(const std::string& baseName, int captureType);

// A name typed for a capture without its leading blanks; nothing when no other character is
// left (the user is then told "Input the file name.").
std::optional<std::string> ManualCaptureName(std::string_view typed);

// Why a typed name (already without its leading blanks) cannot name a file in the gallery
// folder, or nothing when it can. A name holding a folder separator would write the capture
// somewhere else than the gallery ("../x", "sub/x"), and "." or ".." name folders.
std::optional<std::string> CaptureNameProblem(std::string_view name);

// The warning shown for an empty typed name, and its caption.
inline constexpr const char* kEmptyNameMessage = "Input the file name.";
inline constexpr const char* kEmptyNameCaption = "Warning";

// The question asked before an existing file is replaced, with its file name, and its caption.
std::string ReplaceFileQuestion(const std::string& fileName);
inline constexpr const char* kReplaceFileCaption = "Confirm File Replace";

}  // namespace lumora
