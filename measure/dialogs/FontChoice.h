#pragma once

#include "measure/core/FontDescription.h"

#include <QFont>

namespace tessmet {

// The font chooser works in points on a 96-dpi screen; the stored record in pixels.
constexpr double kChooserDpi = 96.0;

// The font the chooser opens with for a stored record: its face (the platform's monospace font
// for "FixedSys"), size, weight and effects.
QFont FontForChooser(const FontDescription& description);

// The record for a font the chooser returned. Face, character height (negative, in pixels),
// weight, italic, underline and strike-out come from the choice; the average width is left to
// the face (0), as after any font choice; character set and precisions are kept from `base`,
// and the pitch bits follow the face while the family bits are kept. The face name keeps its
// first 31 bytes.
FontDescription DescriptionFromFont(const QFont& font, const FontDescription& base);

}  // namespace tessmet
