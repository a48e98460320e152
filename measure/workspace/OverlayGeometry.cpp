#include "measure/workspace/OverlayGeometry.h"

#include "measure/core/NumberText.h"
#include "measure/core/ScalePitch.h"
#include "measure/core/UnitFormat.h"
#include "measure/res/StringTable.h"

#include <algorithm>

namespace tessmet {

std::vector<QLine> CentreLines(QRect visible, int offsetX, int offsetY) {
    const int sx = visible.x(), sy = visible.y(), w = visible.width(), h = visible.height();
    const int x = sx + w / 2 + offsetX;
    const int y = sy + h / 2 + offsetY;
    return {QLine(x, sy, x, sy + h), QLine(sx, y, sx + w, y)};
}

std::vector<QLine> GridLines(QRect visible, int spacing) {
    std::vector<QLine> lines;
    if (spacing <= 0) return lines;
    const int sx = visible.x(), sy = visible.y(), w = visible.width(), h = visible.height();
    for (int i = 1; i <= w / spacing; ++i) lines.emplace_back(sx + spacing * i, sy, sx + spacing * i, sy + h);
    for (int i = 1; i <= h / spacing; ++i) lines.emplace_back(sx, sy + spacing * i, sx + w, sy + spacing * i);
    return lines;
}

namespace {

// Ticks every `pitch` pixels on both sides of the cursor; the count covers the zoomed image
// from wherever the cursor is.
int TickCount(int imageLength, double zoom, int pitch) {
    if (pitch <= 0) return 0;
    return std::max(TruncateToInt(imageLength * zoom / pitch + 2), 0);
}

}  // namespace

ScaleOverlay ScaleRuler(const CalibrationValues& calibration, double zoom, QSize image, QRect visible, QPoint cursor) {
    ScaleOverlay scale;
    const Pitch h = FormatPitch(calibration, 'H', zoom, 200, 6);
    const Pitch v = FormatPitch(calibration, 'V', zoom, 200, 6);
    scale.horizontalPitch = QString::fromStdString(h.text);
    scale.verticalPitch = QString::fromStdString(v.text);
    scale.horizontalPixels = h.screenPixels;
    scale.verticalPixels = v.screenPixels;

    const int cx = cursor.x(), cy = cursor.y(), w = visible.width(), hgt = visible.height();
    scale.lines.emplace_back(cx - w, cy, cx + w, cy);
    scale.lines.emplace_back(cx, cy - hgt, cx, cy + hgt);
    const int nh = TickCount(image.width(), zoom, h.screenPixels);
    for (int i = 0; i < nh; ++i) {
        const int t = i % 5 == 0 ? 8 : 4;
        const int d = i * h.screenPixels;
        scale.lines.emplace_back(cx + d, cy - t, cx + d, cy + t);
        scale.lines.emplace_back(cx - d, cy - t, cx - d, cy + t);
    }
    const int nv = TickCount(image.height(), zoom, v.screenPixels);
    for (int i = 0; i < nv; ++i) {
        const int t = i % 5 == 0 ? 8 : 4;
        const int d = i * v.screenPixels;
        scale.lines.emplace_back(cx - t, cy + d, cx + t, cy + d);
        scale.lines.emplace_back(cx - t, cy - d, cx + t, cy - d);
    }
    return scale;
}

std::string ScalePitchText(const CalibrationValues& calibration, const ScaleOverlay& scale) {
    if (scale.horizontalPitch.isEmpty() && scale.verticalPitch.isEmpty())
        return LoadString(StringId::ResolutionNotSetup);
    return LoadString(StringId::ScalePitch) + "  " + LoadString(StringId::Horz) + ": " +
           scale.horizontalPitch.toStdString() + "  " + LoadString(StringId::Vert) + ": " +
           scale.verticalPitch.toStdString() + " " + UnitSuffix(calibration.unit, SuffixKind::PerPitch);
}

Profile HorizontalProfile(double zoom, QSize image, QRect visible, QPoint cursor, const std::function<int(int)>& grey) {
    Profile profile;
    const int height = image.height();
    const int hgt = visible.height();
    profile.imageLine = std::clamp(TruncateToInt(cursor.y() / zoom), 0, std::max(height - 1, 0));
    const int a = RoundHalfUp(zoom * (height - hgt / zoom)) - visible.y();
    profile.curve.reserve(static_cast<size_t>(std::max(image.width(), 0)));
    for (int i = 0; i < image.width(); ++i) {
        const double v = grey(i);
        profile.curve.emplace_back(RoundHalfUp(i * zoom), RoundHalfUp(zoom * height - a - v * hgt / 256.0));
    }
    profile.cursorLine = QLine(0, cursor.y(), TruncateToInt(zoom * image.width()), cursor.y());
    return profile;
}

Profile VerticalProfile(double zoom, QSize image, QRect visible, QPoint cursor, const std::function<int(int)>& grey) {
    Profile profile;
    const int w = visible.width();
    profile.imageLine = std::clamp(TruncateToInt(cursor.x() / zoom), 0, std::max(image.width() - 1, 0));
    profile.curve.reserve(static_cast<size_t>(std::max(image.height(), 0)));
    for (int k = 0; k < image.height(); ++k) {
        const double v = grey(k);
        profile.curve.emplace_back(RoundHalfUp(v * w / 256.0 + visible.x()), RoundHalfUp(k * zoom));
    }
    profile.cursorLine = QLine(cursor.x(), 0, cursor.x(), TruncateToInt(zoom * image.height()));
    return profile;
}

}  // namespace tessmet
