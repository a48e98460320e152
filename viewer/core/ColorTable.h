#pragma once

#include <QColor>

#include <array>
#include <cstdint>

namespace lumora {

// Colours travel as the system's colour references, 0x00BBGGRR.
using ColorRef = uint32_t;

// The value that stands for "the default colour" (no fill for the fill button).
inline constexpr ColorRef kDefaultColour = 0xFF000000u;

constexpr ColorRef MakeColorRef(int red, int green, int blue) {
    return static_cast<ColorRef>(red) | static_cast<ColorRef>(green) << 8 | static_cast<ColorRef>(blue) << 16;
}
QColor ToQColor(ColorRef colour);
ColorRef FromQColor(const QColor& colour);

struct NamedColour {
    const char* name;
    ColorRef colour;
};

// The colour popup's 40 colours in cell order, eight to a row.
inline constexpr int kPickerColumns = 8;
inline constexpr int kPickerColourCount = 40;
extern const std::array<NamedColour, kPickerColourCount> kPickerColours;

// The cell holding `colour`, or -1.
int PickerCellOf(ColorRef colour);

}  // namespace lumora
