#include "viewer/core/ColorTable.h"

namespace lumora {

const std::array<NamedColour, kPickerColourCount> kPickerColours = {{
    {"Black", MakeColorRef(0, 0, 0)},
    {"Brown", MakeColorRef(165, 42, 0)},
    {"Dark Olive Green", MakeColorRef(0, 64, 64)},
    {"Dark Green", MakeColorRef(0, 85, 0)},
    {"Dark Teal", MakeColorRef(0, 0, 94)},
    {"Dark blue", MakeColorRef(0, 0, 139)},
    {"Indigo", MakeColorRef(75, 0, 130)},
    {"Dark grey", MakeColorRef(40, 40, 40)},
    {"Dark red", MakeColorRef(139, 0, 0)},
    {"Orange", MakeColorRef(255, 104, 32)},
    {"Dark yellow", MakeColorRef(139, 139, 0)},
    {"Green", MakeColorRef(0, 147, 0)},
    {"Teal", MakeColorRef(56, 142, 142)},
    {"Blue", MakeColorRef(0, 0, 255)},
    {"Blue-grey", MakeColorRef(123, 123, 192)},
    {"Grey - 40", MakeColorRef(102, 102, 102)},
    {"Red", MakeColorRef(255, 0, 0)},
    {"Light orange", MakeColorRef(255, 173, 91)},
    {"Lime", MakeColorRef(50, 205, 50)},
    {"Sea green", MakeColorRef(60, 179, 113)},
    {"Aqua", MakeColorRef(127, 255, 212)},
    {"Light blue", MakeColorRef(125, 158, 192)},
    {"Violet", MakeColorRef(128, 0, 128)},
    {"Grey - 50", MakeColorRef(127, 127, 127)},
    {"Pink", MakeColorRef(255, 192, 203)},
    {"Gold", MakeColorRef(255, 215, 0)},
    {"Yellow", MakeColorRef(255, 255, 0)},
    {"Bright green", MakeColorRef(0, 255, 0)},
    {"Turquoise", MakeColorRef(64, 224, 208)},
    {"Skyblue", MakeColorRef(192, 255, 255)},
    {"Plum", MakeColorRef(72, 0, 72)},
    {"Light grey", MakeColorRef(192, 192, 192)},
    {"Rose", MakeColorRef(255, 228, 225)},
    {"Tan", MakeColorRef(210, 180, 140)},
    {"Light yellow", MakeColorRef(255, 255, 224)},
    {"Pale green ", MakeColorRef(152, 251, 152)},
    {"Pale turquoise", MakeColorRef(175, 238, 238)},
    {"Pale blue", MakeColorRef(104, 131, 139)},
    {"Lavender", MakeColorRef(230, 230, 250)},
    {"White", MakeColorRef(255, 255, 255)},
}};

QColor ToQColor(ColorRef colour) { return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

ColorRef FromQColor(const QColor& colour) { return MakeColorRef(colour.red(), colour.green(), colour.blue()); }

int PickerCellOf(ColorRef colour) {
    for (int i = 0; i < kPickerColourCount; ++i)
        if (kPickerColours[static_cast<size_t>(i)].colour == colour) return i;
    return -1;
}

}  // namespace lumora
