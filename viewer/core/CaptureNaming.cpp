#include "viewer/core/CaptureNaming.h"

#include <cstdio>
#include <filesystem>

namespace lumora {
namespace {

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

std::optional<int64_t> PictureNumberOf(std::string_view name) {
    // The prefix is matched as the folder search matches "Pic*.*": without regard to case.
    if (name.size() < 3 + 1 + 4 || !SameLetters(name.substr(0, 3), "Pic")) return std::nullopt;
    const std::string_view extension = name.substr(name.size() - 4);
    if (!SameLetters(extension, ".bmp") && !SameLetters(extension, ".jpg")) return std::nullopt;
    const std::string_view digits = name.substr(3, name.size() - 7);
    int64_t number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        // Absurdly long runs saturate instead of wrapping round to a small number.
        number = number > (INT64_MAX - 9) / 10 ? INT64_MAX - 1 : number * 10 + (c - '0');
    }
    return number;
}

int64_t NextPictureNumber(const std::string& folder) {
    int64_t largest = 0;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (const auto number = PictureNumberOf(it->path().filename().string()); number && *number > largest)
            largest = *number;
    }
    return largest + 1;
}

std::string PictureBaseName(int64_t number) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "Pic%05lld", static_cast<long long>(number));
    return buffer;
}

std::string CaptureFileName(const std::string& baseName, int captureType) {
    return baseName + (captureType == 1 ? ".jpg" : ".bmp");
}

std::optional<std::string> ManualCaptureName(std::string_view typed) {
    const size_t first = typed.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    return std::string(typed.substr(first));
}

std::optional<std::string> CaptureNameProblem(std::string_view name) {
    const std::string quoted = "The name \"" + std::string(name) + "\" cannot be used: ";
    if (name.find_first_of(std::string_view("/\\\0", 3)) != std::string_view::npos)
        return quoted + "a file name cannot contain / or \\.";
    if (name == "." || name == "..") return quoted + "it names a folder.";
    return std::nullopt;
}

std::string ReplaceFileQuestion(const std::string& fileName) {
    return "\nThis folder already contains a file '" + fileName +
           "'.\n\nWould you like to replace the existing file with this one?\n";
}

}  // namespace lumora
