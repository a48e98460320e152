#pragma once

#include <cstdint>
#include <string>

namespace tessmet {

// The view font as the settings file stores it: the fields of a classic logical-font record.
// Heights follow that convention too (negative: character height, positive: cell height).
struct FontDescription {
    int32_t height = 18;
    int32_t width = 8;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 400;
    int32_t italic = 0;
    int32_t underline = 0;
    int32_t strikeOut = 0;
    int32_t charSet = 128;
    int32_t outPrecision = 1;
    int32_t clipPrecision = 2;
    int32_t quality = 2;
    int32_t pitchAndFamily = 2;
    std::string faceName = "FixedSys";  // at most 31 characters

    bool operator==(const FontDescription&) const = default;
};

}  // namespace tessmet
