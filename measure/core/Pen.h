#pragma once

#include <cstdint>

namespace tessmet {

// Colours are 0x00BBGGRR values, as stored in the settings file and in the records.
using ColorRef = uint32_t;

constexpr ColorRef Rgb(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<ColorRef>(red) | (static_cast<ColorRef>(green) << 8) | (static_cast<ColorRef>(blue) << 16);
}
constexpr uint8_t RedOf(ColorRef c) { return static_cast<uint8_t>(c & 0xFF); }
constexpr uint8_t GreenOf(ColorRef c) { return static_cast<uint8_t>((c >> 8) & 0xFF); }
constexpr uint8_t BlueOf(ColorRef c) { return static_cast<uint8_t>((c >> 16) & 0xFF); }

// Pen styles as stored: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot.
namespace PenStyle {
constexpr int32_t Solid = 0;
constexpr int32_t Dash = 1;
constexpr int32_t Dot = 2;
constexpr int32_t DashDot = 3;
constexpr int32_t DashDotDot = 4;
}  // namespace PenStyle

// A pen as stored in settings and records. A width other than 1 always draws solid, whatever
// the style; the all-zero pen draws by inverting what lies below.
struct Pen {
    int32_t style = PenStyle::Solid;
    int32_t width = 1;
    int32_t color = 0;  // a ColorRef kept signed, as every record field is

    bool isInverting() const { return style == 0 && width == 0 && color == 0; }
    int32_t effectiveStyle() const { return width == 1 ? style : PenStyle::Solid; }
    bool operator==(const Pen&) const = default;
};

}  // namespace tessmet
