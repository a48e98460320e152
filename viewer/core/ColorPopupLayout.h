#pragma once

#include <QRect>

#include <array>

namespace lumora {

// What the colour popup's pointer or keyboard can rest on: a cell 0..39, or one of these.
namespace PopupElement {
inline constexpr int None = -1;
inline constexpr int Custom = -2;   // "More Colors..."
inline constexpr int Default = -3;  // "Transparent" / "Default Color"
}  // namespace PopupElement

// The measures the popup is laid out from: the system's edge width as margin, the cell size,
// and the larger of the two texts' sizes in the popup's font (0 x 0 for an absent text).
struct PopupMetrics {
    int margin = 2;
    int cell = 18;
    QSize textSize;  // the larger width and the larger height of the texts present
    bool hasDefault = false;
    bool hasCustom = false;
};

struct PopupLayout {
    QRect window;       // screen coordinates
    QRect defaultBox;   // window coordinates; empty without a default text
    QRect customBox;    // window coordinates; empty without a custom text
    int cellsTop = 0;   // how far the cells are moved down by the default box
    QRect cell(int index, const PopupMetrics& metrics) const;
};

// The cell size for an edge width: 18, or 2 * edge + 7 where that is larger.
int PopupCellSize(int edge);

// The popup for a button at `button` (screen coordinates), opened at its lower-left corner and
// kept on `screen`: moved left by what passes the right edge, right when it starts left of the
// screen, and above the button when its bottom would pass the screen's bottom.
PopupLayout LayOutPopup(const PopupMetrics& metrics, const QRect& button, const QRect& screen);

// The arrow keys' moves between the cells (8 to a row, 40 in all) and the two boxes.
enum class PopupKey { Left, Right, Up, Down };
int NextPopupElement(PopupKey key, int from, bool hasDefault, bool hasCustom);

}  // namespace lumora
