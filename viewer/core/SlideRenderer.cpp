#include "viewer/core/SlideRenderer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace lumora {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTile = 90.0;          // one cell at most per tile
constexpr double kRulerY = 150.0;       // world row of the ruler's base line
constexpr double kRulerHalfLength = 300.0;

struct Rgb {
    double r, g, b;
};

uint32_t Hash(int32_t x, int32_t y) {
    uint32_t h = static_cast<uint32_t>(x) * 0x8da6b343u ^ static_cast<uint32_t>(y) * 0xd8163841u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return h;
}

double Unit(uint32_t h, int shift) { return static_cast<double>((h >> shift) & 0xffu) / 256.0; }

Rgb SpecimenColour(double wx, double wy) {
    // Ruler: a pale strip with a dark base line and ticks rising from it.
    if (std::abs(wx) <= kRulerHalfLength && wy > kRulerY - 26.0 && wy < kRulerY + 8.0) {
        const double tickAt = std::round(wx / 10.0) * 10.0;
        const long tickIndex = std::lround(tickAt / 10.0);
        const double tickLength = tickIndex % 10 == 0 ? 22.0 : tickIndex % 5 == 0 ? 15.0 : 8.0;
        const bool onBase = wy >= kRulerY && wy < kRulerY + 2.0;
        const bool onTick = std::abs(wx - tickAt) < 0.8 && wy < kRulerY && wy >= kRulerY - tickLength;
        if (onBase || onTick) return {20, 20, 25};
        return {245, 245, 238};
    }
    Rgb colour{232.0 + 10.0 * std::sin(wx * 0.021) * std::cos(wy * 0.017), 222.0, 214.0};
    const int32_t ix = static_cast<int32_t>(std::floor(wx / kTile));
    const int32_t iy = static_cast<int32_t>(std::floor(wy / kTile));
    const uint32_t h = Hash(ix, iy);
    if (Unit(h, 24) > 0.85) return colour;  // an empty tile now and then
    const double radius = 16.0 + 18.0 * Unit(h, 16);
    const double room = kTile * 0.5 - radius - 2.0;
    const double cx = (ix + 0.5) * kTile + (Unit(h, 0) - 0.5) * 2.0 * room;
    const double cy = (iy + 0.5) * kTile + (Unit(h, 8) - 0.5) * 2.0 * room;
    const double d = std::hypot(wx - cx, wy - cy);
    if (d >= radius) return colour;
    if (d > radius - 2.5) return {125, 62, 128};             // membrane
    if (d < radius * 0.35) return {88, 40, 132};             // nucleus
    const double shade = 1.0 - 0.25 * d / radius;
    return {222.0 * shade + 10, 168.0 * shade, 212.0 * shade};  // cytoplasm
}

uint8_t Clamp8(double v) { return static_cast<uint8_t>(std::clamp(v, 0.0, 255.0) + 0.5); }

// Levels: contrast around the middle grey, brightness as an offset, gamma, then backlight
// compensation lifting the shadows.
std::array<double, 256> LevelTable(const CameraProperties& p) {
    std::array<double, 256> table{};
    const double contrast = std::max(0, p[CameraProperty::Contrast]) / 50.0;
    const double gamma = std::max(1, p[CameraProperty::Gamma]) / 100.0;
    const double backlight = std::clamp(p[CameraProperty::BacklightCompensation], 0, 10) * 24.0;
    for (int v = 0; v < 256; ++v) {
        double x = (v - 128.0) * contrast + 128.0 + p[CameraProperty::Brightness];
        x = 255.0 * std::pow(std::clamp(x, 0.0, 255.0) / 255.0, 1.0 / gamma);
        x += backlight * (1.0 - x / 255.0);
        table[static_cast<size_t>(v)] = std::clamp(x, 0.0, 255.0);
    }
    return table;
}

// Saturation and hue as one colour matrix (rotation about the grey axis), with the white
// balance gains on the red and blue rows.
std::array<double, 9> ColourMatrix(const CameraProperties& p) {
    const double s = std::max(0, p[CameraProperty::Saturation]) / 64.0;
    const double angle = p[CameraProperty::Hue] * kPi / 180.0;
    const double c = std::cos(angle), n = std::sin(angle);
    const double k = 1.0 / 3.0, q = std::sqrt(1.0 / 3.0);
    // Rodrigues rotation about (1,1,1)/sqrt(3), then scaling of the chroma by s.
    std::array<double, 9> rot = {c + (1 - c) * k,     (1 - c) * k - q * n, (1 - c) * k + q * n,
                                 (1 - c) * k + q * n, c + (1 - c) * k,     (1 - c) * k - q * n,
                                 (1 - c) * k - q * n, (1 - c) * k + q * n, c + (1 - c) * k};
    std::array<double, 9> m{};
    for (int i = 0; i < 9; ++i) m[static_cast<size_t>(i)] = k + s * (rot[static_cast<size_t>(i)] - k);
    const double tint = (10000.0 - p[CameraProperty::WhiteBalance]) / 16000.0;
    for (int j = 0; j < 3; ++j) {
        m[static_cast<size_t>(j)] *= 1.0 + tint;      // red row
        m[static_cast<size_t>(6 + j)] *= 1.0 - tint;  // blue row
    }
    return m;
}

}  // namespace

SpecimenView DriftingView(uint64_t frameNumber, int zoom) {
    const double t = static_cast<double>(frameNumber) / 25.0;
    return {40.0 * std::sin(t * 0.30), 25.0 * std::sin(t * 0.21), zoom};
}

void RenderSpecimen(Frame& frame, const SpecimenView& view, const CameraProperties& properties) {
    const int w = frame.width, h = frame.height;
    if (w <= 0 || h <= 0 || frame.bytes.size() < static_cast<size_t>(w) * static_cast<size_t>(h) * 3u) return;
    const double perPixel = (640.0 / w) * (100.0 / std::max(1, view.zoom));
    const auto levels = LevelTable(properties);
    const auto m = ColourMatrix(properties);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = frame.bytes.data() + static_cast<size_t>(h - 1 - y) * static_cast<size_t>(w) * 3u;
        const double wy = view.centreY + (y - h / 2.0) * perPixel;
        for (int x = 0; x < w; ++x) {
            const double wx = view.centreX + (x - w / 2.0) * perPixel;
            const Rgb base = SpecimenColour(wx, wy);
            const double r = levels[Clamp8(base.r)], g = levels[Clamp8(base.g)], b = levels[Clamp8(base.b)];
            row[3 * x + 0] = Clamp8(m[6] * r + m[7] * g + m[8] * b);
            row[3 * x + 1] = Clamp8(m[3] * r + m[4] * g + m[5] * b);
            row[3 * x + 2] = Clamp8(m[0] * r + m[1] * g + m[2] * b);
        }
    }
}

}  // namespace lumora
