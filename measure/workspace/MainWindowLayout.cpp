#include "measure/workspace/MainWindowLayout.h"

#include "measure/core/NumberText.h"

namespace tessmet {

QRect FirstRunWindowRect(QRect available, double share) {
    const QSize size(TruncateToInt(available.width() * share), TruncateToInt(available.height() * share));
    QRect rect(QPoint(0, 0), size);
    rect.moveCenter(available.center());
    return rect;
}

std::vector<size_t> ToolbarRowStarts(std::span<const int> widths, int available) {
    std::vector<size_t> starts;
    int used = 0;
    for (size_t i = 0; i < widths.size(); ++i) {
        if (i > 0 && used + widths[i] > available) {
            starts.push_back(i);
            used = 0;
        }
        used += widths[i];
    }
    return starts;
}

}  // namespace tessmet
