#pragma once

#include "measure/core/FontDescription.h"

#include <QFont>

namespace tessmet {

// The view font from its stored description. Heights follow the classic logical-font rule in
// pixels: negative is the character height (the em), positive the cell height (ascent plus
// descent), 0 a default of 16. A non-zero width sets the average character width by stretching.
// "FixedSys" (and an empty face name) map to the platform's monospace font; weight 0 means
// normal. Escapement and orientation are not applied: text is always drawn horizontally.
// Sizes beyond kMaxFontPixels are limited to it. Needs a QGuiApplication.
QFont ViewFont(const FontDescription& description);

constexpr int kMaxFontPixels = 1000;

}  // namespace tessmet
