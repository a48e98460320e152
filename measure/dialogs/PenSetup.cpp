#include "measure/dialogs/PenSetup.h"

#include <algorithm>

namespace tessmet {

PenSetup PenSetupFrom(const Settings& s) { return {s.ipPen, s.measurePen, s.drawPen, s.addColor, s.addUseXor}; }

void ApplyPenSetup(const PenSetup& pens, Settings& s) {
    s.ipPen = pens.ip;
    s.measurePen = pens.measure;
    s.drawPen = pens.draw;
    s.addColor = pens.addColor;
    s.addUseXor = pens.addUseXor;
}

PenSetup DefaultPenSetup() {
    const Settings defaults;
    PenSetup pens = PenSetupFrom(defaults);
    pens.addUseXor = 1;
    return pens;
}

FontDescription DefaultViewFont() { return FontDescription{}; }

Pen& PenOf(PenSetup& pens, PenRow row) {
    switch (row) {
        case PenRow::ImageProcessing: return pens.ip;
        case PenRow::Measure: return pens.measure;
        case PenRow::Draw: break;
    }
    return pens.draw;
}

ColorRef StoredPenColour(PenRow row, ColorRef chosen) {
    chosen &= 0xFFFFFFu;
    if (row == PenRow::ImageProcessing && chosen == 0) return Rgb(1, 1, 1);
    return chosen;
}

TypeListState TypeListFor(int width, int type) {
    if (width != 1) return {0, false};
    return {(type >= 0 && type < kPenTypeCount) ? type : 0, true};
}

int WidthIndexFor(int width) { return std::clamp(width, kFirstListedWidth, kLastListedWidth) - kFirstListedWidth; }

bool FontChanged(const FontDescription& before, const FontDescription& after) {
    // The record holds 31 characters of the face name and its terminator.
    const auto face = [](const std::string& s) { return s.substr(0, std::min(s.find('\0'), size_t{31})); };
    FontDescription a = before, b = after;
    a.faceName = face(a.faceName);
    b.faceName = face(b.faceName);
    return !(a == b);
}

}  // namespace tessmet
