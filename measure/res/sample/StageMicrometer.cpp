// Writes Tessmet's sample picture: a synthetic stage micrometer as a JPEG file and the
// magnification sidecar the viewer would have written next to it.
//
//   tessmet-sample-generator OUTPUT-FOLDER
//
// Kept free of Tessmet's own image code on purpose: the picture must not depend on the code it
// is meant to try out.

#include "measure/res/sample/SampleLayout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>  // needs FILE and size_t declared first

namespace {

using namespace tessmet::sample;

// The sidecar as the viewer writes it after storing a 1280-pixel-wide still at magnification
// setting 888, without a calibration of its own.
constexpr int kMagnificationSetting = 888;
constexpr double kOpticalFactor = 2.5093473187623903;
constexpr int kCorrective = 100;
constexpr int kSensorWidth = 713;   // hundredths of a millimetre
constexpr int kSensorHeight = 537;

// Millimetres per pixel as Tessmet derives them from the sidecar: sensor size over total
// magnification over image size, each sidecar integer read in hundredths.
double OpticalHundredths() { return std::round(kMagnificationSetting * kOpticalFactor); }
double MillimetresPerPixel(int sensorHundredths, int pixels) {
    const double magnification = (OpticalHundredths() / 100.0) * (kCorrective / 100.0);
    return (sensorHundredths / 100.0) / magnification / pixels;
}

struct Rgb {
    double r, g, b;
};

class Picture {
public:
    Picture(int width, int height) : width_(width), height_(height), pixels_(size_t(width) * height) {}

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb& at(int x, int y) { return pixels_[size_t(y) * width_ + x]; }

    // Blends `ink` over the pixel with the given coverage (0..1).
    void blend(int x, int y, const Rgb& ink, double coverage) {
        if (x < 0 || y < 0 || x >= width_ || y >= height_ || coverage <= 0) return;
        coverage = std::min(coverage, 1.0);
        Rgb& p = at(x, y);
        p = {p.r + (ink.r - p.r) * coverage, p.g + (ink.g - p.g) * coverage, p.b + (ink.b - p.b) * coverage};
    }

    // An axis-parallel rectangle with fractional edges, edge pixels partly covered.
    void fillRect(double left, double top, double right, double bottom, const Rgb& ink, double opacity = 1.0) {
        for (int y = int(std::floor(top)); y < int(std::ceil(bottom)); ++y) {
            const double cy = Overlap(y, top, bottom);
            for (int x = int(std::floor(left)); x < int(std::ceil(right)); ++x) {
                blend(x, y, ink, cy * Overlap(x, left, right) * opacity);
            }
        }
    }

    std::vector<uint8_t> rgbRows() const {
        std::vector<uint8_t> bytes;
        bytes.reserve(pixels_.size() * 3);
        for (const Rgb& p : pixels_) {
            for (double c : {p.r, p.g, p.b}) bytes.push_back(uint8_t(std::clamp(std::lround(c), 0L, 255L)));
        }
        return bytes;
    }

private:
    static double Overlap(int pixel, double from, double to) {
        return std::max(0.0, std::min(pixel + 1.0, to) - std::max(double(pixel), from));
    }

    int width_, height_;
    std::vector<Rgb> pixels_;
};

// A bright-field background: warm light, darker towards the corners, with a little sensor
// noise from a fixed seed so every build writes the same picture.
void PaintBackground(Picture& picture) {
    uint32_t state = 20240611u;
    auto noise = [&state] {
        state = state * 1664525u + 1013904223u;
        return double((state >> 24) % 7) - 3.0;
    };
    const double cx = picture.width() / 2.0, cy = picture.height() / 2.0;
    const double reach = std::hypot(cx, cy);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const double r = std::hypot(x - cx, y - cy) / reach;
            const double light = 1.0 - 0.32 * r * r;
            const double n = noise();
            picture.at(x, y) = {246 * light + n, 241 * light + n, 226 * light + n};
        }
    }
}

// 5 x 7 glyphs, one row per byte, bit 4 the leftmost column.
struct Glyph {
    char c;
    std::array<uint8_t, 7> rows;
};
constexpr Glyph kFont[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}}, {'=', {0x00, 0x00, 0x1F, 0x00, 0x1F, 0x00, 0x00}},
    {'D', {0x1C, 0x12, 0x11, 0x11, 0x11, 0x12, 0x1C}}, {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'V', {0x11, 0x11, 0x11, 0x0A, 0x0A, 0x04, 0x04}}, {'m', {0x00, 0x00, 0x1A, 0x15, 0x15, 0x11, 0x11}},
};

void DrawText(Picture& picture, const std::string& text, double left, double top, double dot, const Rgb& ink) {
    double x = left;
    for (char c : text) {
        for (const Glyph& g : kFont) {
            if (g.c != c) continue;
            for (int row = 0; row < 7; ++row) {
                for (int col = 0; col < 5; ++col) {
                    if (g.rows[row] & (0x10 >> col)) {
                        picture.fillRect(x + col * dot, top + row * dot, x + (col + 1) * dot, top + (row + 1) * dot, ink);
                    }
                }
            }
            break;
        }
        x += 6 * dot;  // blanks and unknown characters just advance
    }
}

double TextWidth(const std::string& text, double dot) { return text.size() * 6 * dot - dot; }

int TickLength(int division) {
    if (division % 10 == 0) return kMajorTick;
    if (division % 5 == 0) return kMiddleTick;
    return kMinorTick;
}

constexpr Rgb kInk{38, 34, 46};
constexpr double kLine = 4.0;  // width of graduations and base lines in pixels

void DrawHorizontalScale(Picture& picture, double pitch) {
    const double y = kHorizontalBaseY;
    const double x0 = kHorizontalStartX;
    const double x1 = x0 + kHorizontalDivisions * pitch;
    picture.fillRect(x0 - kLine / 2, y - kLine / 2, x1 + kLine / 2, y + kLine / 2, kInk);
    for (int i = 0; i <= kHorizontalDivisions; ++i) {
        const double x = x0 + i * pitch;
        picture.fillRect(x - kLine / 2, y - TickLength(i), x + kLine / 2, y, kInk);
        if (i % 10 == 0) {
            const std::string label = std::to_string(i);
            DrawText(picture, label, x - TextWidth(label, 5) / 2, y - kMajorTick - 50, 5, kInk);
        }
    }
}

void DrawVerticalScale(Picture& picture, double pitch) {
    const double x = kVerticalBaseX;
    const double y0 = kVerticalStartY;
    const double y1 = y0 + kVerticalDivisions * pitch;
    picture.fillRect(x - kLine / 2, y0 - kLine / 2, x + kLine / 2, y1 + kLine / 2, kInk);
    for (int i = 0; i <= kVerticalDivisions; ++i) {
        const double y = y0 + i * pitch;
        picture.fillRect(x - TickLength(i), y - kLine / 2, x, y + kLine / 2, kInk);
        if (i % 10 == 0) {
            const std::string label = std::to_string(i);
            DrawText(picture, label, x - kMajorTick - 20 - TextWidth(label, 5), y - 17.5, 5, kInk);
        }
    }
}

// A round particle of the given diameter: a translucent body with a darker rim. The pixels
// need not be square, so the particle is an ellipse in pixels and a circle on the slide.
void DrawParticle(Picture& picture, double cx, double cy, double diameterMm, double hMm, double vMm) {
    const double rx = diameterMm / 2 / hMm, ry = diameterMm / 2 / vMm;
    const Rgb body{92, 112, 150}, rim{44, 52, 78};
    const int sub = 4;  // samples per pixel and axis for smooth edges
    for (int y = int(cy - ry) - 2; y <= int(cy + ry) + 2; ++y) {
        for (int x = int(cx - rx) - 2; x <= int(cx + rx) + 2; ++x) {
            int inside = 0, onRim = 0;
            for (int sy = 0; sy < sub; ++sy) {
                for (int sx = 0; sx < sub; ++sx) {
                    const double dx = (x + (sx + 0.5) / sub - cx) / rx;
                    const double dy = (y + (sy + 0.5) / sub - cy) / ry;
                    const double d = std::sqrt(dx * dx + dy * dy);
                    if (d <= 1.0) ++inside;
                    if (d <= 1.0 && d >= 1.0 - 6.0 / rx) ++onRim;
                }
            }
            const double n = sub * sub;
            picture.blend(x, y, body, 0.55 * (inside - onRim) / n);
            picture.blend(x, y, rim, 0.85 * onRim / n);
        }
    }
}

bool WriteJpeg(const std::string& path, const Picture& picture, int quality) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);  // the default handler ends the program on an error
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(picture.width());
    info.image_height = JDIMENSION(picture.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const std::vector<uint8_t> rows = picture.rgbRows();
    const size_t stride = size_t(picture.width()) * 3;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rows.data() + info.next_scanline * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

// The sidecar exactly as the viewer writes it: CR LF lines, [CAL] with the viewer's own
// estimate of the pixel length (Tessmet does not read that section).
bool WriteSidecar(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const double p = 0.4445 / kMagnificationSetting;
    const bool micrometres = kMagnificationSetting > 50;
    const double onePixel = 640.0 / kWidth * p * (micrometres ? 1004.3392857142858 : 1.0043392857142857);
    std::fprintf(file, "[MAG]\r\nOptical=%.0f\r\nCorrective=%d\r\n\r\n", kMagnificationSetting * kOpticalFactor,
                 kCorrective);
    std::fprintf(file, "[SENSOR]\r\nWidth=%d\r\nHeight=%d\r\n\r\n", kSensorWidth, kSensorHeight);
    std::fprintf(file, "[CAL]\r\nUnit=%s\r\nOnePixelLen=%f\r\n", micrometres ? "um" : "mm", onePixel);
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    std::string folder = argv[1];
    if (!folder.empty() && folder.back() != '/') folder += '/';

    const double hMm = MillimetresPerPixel(kSensorWidth, kWidth);
    const double vMm = MillimetresPerPixel(kSensorHeight, kHeight);

    Picture picture(kWidth, kHeight);
    PaintBackground(picture);
    DrawParticle(picture, kLargeParticleX, kLargeParticleY, kLargeParticleMm, hMm, vMm);
    DrawParticle(picture, kSmallParticleX, kSmallParticleY, kSmallParticleMm, hMm, vMm);
    DrawHorizontalScale(picture, kDivisionMm / hMm);
    DrawVerticalScale(picture, kDivisionMm / vMm);
    DrawText(picture, "1 DIV = 0.01 mm", 100, 860, 5, kInk);

    if (!WriteJpeg(folder + kPictureName, picture, 92)) {
        std::fprintf(stderr, "cannot write %s%s\n", folder.c_str(), kPictureName);
        return 1;
    }
    if (!WriteSidecar(folder + kSidecarName)) {
        std::fprintf(stderr, "cannot write %s%s\n", folder.c_str(), kSidecarName);
        return 1;
    }
    return 0;
}
