#pragma once

#include "measure/core/FontDescription.h"
#include "measure/core/Pen.h"
#include "measure/workspace/Settings.h"

#include <array>

namespace tessmet {

// The eleven pen settings the Draw Setup dialog edits: the three pens (image processing,
// measure, draw), the additional-line colour and whether the additional lines invert instead.
struct PenSetup {
    Pen ip;
    Pen measure;
    Pen draw;
    int32_t addColor = 0;
    int32_t addUseXor = 0;

    bool operator==(const PenSetup&) const = default;
};

// The rows of the dialog that carry a pen, top to bottom.
enum class PenRow { ImageProcessing, Measure, Draw };

// Line widths offered by the width lists.
constexpr int kFirstListedWidth = 1;
constexpr int kLastListedWidth = 10;
// Line types offered by the type lists (solid .. dash-dot-dot).
constexpr int kPenTypeCount = 5;

PenSetup PenSetupFrom(const Settings& settings);
void ApplyPenSetup(const PenSetup& pens, Settings& settings);

// What the Default button sets: green, blue and white solid pens of width 1, cyan additional
// lines, drawn inverting.
PenSetup DefaultPenSetup();
// The Default button's font: the same record a settings file without [Font] gives.
FontDescription DefaultViewFont();

Pen& PenOf(PenSetup& pens, PenRow row);

// The colour to keep after the colour chooser returned `chosen` for `row`. Black marks empty
// pixels of the image-processing layer, so a black image-processing pen becomes 0x010101,
// which looks the same.
ColorRef StoredPenColour(PenRow row, ColorRef chosen);

// How a row's type list shows: a width other than 1 always draws solid, so the list shows
// "Solid line" and is disabled; a stored type outside the five shows as solid.
struct TypeListState {
    int index = 0;
    bool enabled = true;
    bool operator==(const TypeListState&) const = default;
};
TypeListState TypeListFor(int width, int type);

// The width list's entry for a stored width. A width the list does not offer (a hand-edited
// settings file) shows as the nearest one, so OK never stores a width of 0.
int WidthIndexFor(int width);

// Whether the font record changed: every field, the face name compared up to its terminator.
bool FontChanged(const FontDescription& before, const FontDescription& after);

}  // namespace tessmet
