#include "viewer/core/ColorPopupLayout.h"

#include "viewer/core/ColorTable.h"

#include <algorithm>

namespace lumora {
namespace {

constexpr int kLastCell = kPickerColourCount - 1;
constexpr int kRows = (kPickerColourCount + kPickerColumns - 1) / kPickerColumns;

}  // namespace

int PopupCellSize(int edge) { return std::max(18, 2 * edge + 7); }

QRect PopupLayout::cell(int index, const PopupMetrics& metrics) const {
    const int column = index % kPickerColumns, row = index / kPickerColumns;
    return {column * metrics.cell + metrics.margin, row * metrics.cell + metrics.margin + cellsTop, metrics.cell,
            metrics.cell};
}

PopupLayout LayOutPopup(const PopupMetrics& m, const QRect& button, const QRect& screen) {
    PopupLayout layout;
    const int textBoxHeight = m.textSize.height() + 4 * m.margin + 2;
    const int textWidth = m.textSize.width() + 2 * m.margin;
    int width = 2 * m.margin + kPickerColumns * m.cell;
    int height = kRows * m.cell + 2 * m.margin;
    if (m.hasDefault) {
        width = std::max(width, textWidth);
        layout.defaultBox = QRect(QPoint(m.margin, m.margin), QPoint(width - m.margin, textBoxHeight + 2 * m.margin) - QPoint(1, 1));
        height += textBoxHeight + 3 * m.margin;
        layout.cellsTop = textBoxHeight + 2 * m.margin;
    }
    if (m.hasCustom) {
        width = std::max(width, textWidth);
        layout.customBox = QRect(QPoint(m.margin, height), QPoint(width - m.margin, height + m.margin + textBoxHeight) - QPoint(1, 1));
        height += textBoxHeight + 3 * m.margin;
    }
    QRect window(button.left(), button.bottom() + 1, width, height);
    if (window.right() > screen.right()) window.moveLeft(window.left() - (window.right() - screen.right()));
    if (window.left() < screen.left()) window.moveLeft(screen.left());
    if (window.bottom() > screen.bottom()) window.moveTop(button.top() - height);
    layout.window = window;
    return layout;
}

int NextPopupElement(PopupKey key, int from, bool hasDefault, bool hasCustom) {
    using namespace PopupElement;
    // After the last cell (or before the first) the boxes follow in their order.
    const int afterLast = hasCustom ? Custom : hasDefault ? Default : 0;
    const int beforeFirst = hasDefault ? Default : hasCustom ? Custom : kLastCell;
    const int afterDefault = hasCustom ? Custom : kLastCell;
    if (from == None) return 0;
    switch (key) {
        case PopupKey::Left:
            if (from == Custom) return kLastCell;
            if (from == Default) return afterDefault;
            return from > 0 ? from - 1 : beforeFirst;
        case PopupKey::Up:
            if (from == Custom) return kLastCell;
            if (from == Default) return afterDefault;
            return from >= kPickerColumns ? from - kPickerColumns : beforeFirst;
        case PopupKey::Right:
            if (from == Default) return 0;
            if (from == Custom) return hasDefault ? Default : 0;
            return from < kLastCell ? from + 1 : afterLast;
        case PopupKey::Down:
            if (from == Default) return 0;
            if (from == Custom) return hasDefault ? Default : 0;
            return from + kPickerColumns <= kLastCell ? from + kPickerColumns : afterLast;
    }
    return from;
}

}  // namespace lumora
