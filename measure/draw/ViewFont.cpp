#include "measure/draw/ViewFont.h"

#include <QFontMetrics>
#include <QStringList>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace tessmet {
namespace {

constexpr int kDefaultPixels = 16;

bool IsFixedSys(const std::string& face) {
    if (face.empty()) return true;
    std::string lower(face);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower == "fixedsys";
}

}  // namespace

QFont ViewFont(const FontDescription& d) {
    QFont font;
    if (IsFixedSys(d.faceName)) {
        font.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("monospace")});
        font.setStyleHint(QFont::Monospace);
    } else {
        font.setFamily(QString::fromStdString(d.faceName));
    }
    font.setFixedPitch(IsFixedSys(d.faceName) || (d.pitchAndFamily & 0x3) == 1);
    const int weight = d.weight <= 0 ? 400 : std::clamp(d.weight, 1, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(d.italic != 0);
    font.setUnderline(d.underline != 0);
    font.setStrikeOut(d.strikeOut != 0);
    font.setStyleStrategy(QFont::NoAntialias);

    const long long requested = std::llabs(static_cast<long long>(d.height));
    const int height = requested == 0 ? kDefaultPixels : static_cast<int>(std::min<long long>(requested, kMaxFontPixels));
    font.setPixelSize(height);
    if (d.height > 0) {
        // A positive height is the whole cell: scale the em so ascent + descent fits it.
        const int cell = QFontMetrics(font).height();
        if (cell > 0) font.setPixelSize(std::max(1, static_cast<int>(std::lround(double(height) * height / cell))));
    }
    if (d.width > 0) {
        const int average = QFontMetrics(font).averageCharWidth();
        if (average > 0) {
            const int stretch = static_cast<int>(std::lround(100.0 * std::min(d.width, kMaxFontPixels) / average));
            font.setStretch(std::clamp(stretch, 1, 4000));
        }
    }
    return font;
}

}  // namespace tessmet
