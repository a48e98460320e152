#include "measure/dialogs/FontChoice.h"

#include "measure/draw/ViewFont.h"

#include <QFontInfo>

#include <algorithm>
#include <cmath>

namespace tessmet {

QFont FontForChooser(const FontDescription& description) {
    QFont font = ViewFont(description);
    font.setStretch(QFont::AnyStretch);
    font.setStyleStrategy(QFont::PreferDefault);
    // Points from the em in pixels.
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : 16;
    font.setPointSizeF(pixels * 72.0 / kChooserDpi);
    return font;
}

FontDescription DescriptionFromFont(const QFont& font, const FontDescription& base) {
    FontDescription d = base;
    QString face = font.family();
    while (face.toUtf8().size() > 31) face.chop(1);
    d.faceName = face.toStdString();
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * kChooserDpi / 72.0;
    d.height = -std::max(1, static_cast<int>(std::lround(pixels)));
    d.width = 0;
    d.weight = std::clamp(static_cast<int>(font.weight()), 1, 1000);
    d.italic = font.italic() ? 1 : 0;
    d.underline = font.underline() ? 1 : 0;
    d.strikeOut = font.strikeOut() ? 1 : 0;
    d.pitchAndFamily = (base.pitchAndFamily & 0xF0) | (QFontInfo(font).fixedPitch() ? 1 : 2);
    return d;
}

}  // namespace tessmet
