#include "measure/workspace/FrameGeometry.h"

#include "measure/core/NumberText.h"

#include <QRegularExpression>

#include <algorithm>

namespace tessmet {

QSize NeededWindowSize(QSize image, double zoom, QSize decoration) {
    return {decoration.width() + TruncateToInt(image.width() * zoom),
            decoration.height() + TruncateToInt(image.height() * zoom)};
}

std::optional<QSize> FitAfterZoom(double oldZoom, double newZoom, int direction, QSize current, QSize needed) {
    if (direction > 0 && newZoom > oldZoom) {
        if (current.width() >= needed.width() && current.height() >= needed.height()) return std::nullopt;
        return needed;
    }
    if (direction < 0 && newZoom < oldZoom) {
        if (needed.width() >= current.width() && needed.height() >= current.height()) return std::nullopt;
        return needed;
    }
    if (direction == 0) return needed;
    return std::nullopt;
}

QRect MaximisedWindowRect(QRect workspace, QSize needed) {
    return {workspace.topLeft(),
            QSize(std::min(workspace.width(), needed.width()), std::min(workspace.height(), needed.height()))};
}

QRect CascadedWindowRect(QSize workspace, QSize needed, int index, int step) {
    if (workspace.isEmpty()) return {QPoint(0, 0), needed};  // not laid out yet
    const QSize fitted = needed.boundedTo(workspace);
    if (step <= 0 || index < 0) return {QPoint(0, 0), fitted};
    // How far the corner may move: the room beside the fitted window, or a quarter of the
    // workspace for a window that fills it.
    const int roomX = std::max(workspace.width() - fitted.width(), workspace.width() / 4);
    const int roomY = std::max(workspace.height() - fitted.height(), workspace.height() / 4);
    const int positions = std::min(roomX, roomY) / step + 1;
    const int offset = (index % positions) * step;
    const QPoint corner(offset, offset);
    return {corner, fitted.boundedTo(workspace - QSize(offset, offset))};
}

QString ZoomTitle(const QString& title, double zoom) {
    const QString percent = QString::number(TruncateToInt(zoom * 100.0)) + QLatin1Char('%');
    // Only our own suffix is replaced, so a colon or percent sign in a file name survives.
    static const QRegularExpression suffix(QStringLiteral(" : -?\\d+%$"));
    QString result = title;
    const QRegularExpressionMatch match = suffix.match(result);
    if (match.hasMatch()) result.truncate(match.capturedStart());
    return result + QStringLiteral(" : ") + percent;
}

}  // namespace tessmet
