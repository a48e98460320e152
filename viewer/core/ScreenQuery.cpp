#include "viewer/core/ScreenQuery.h"

#include <QGuiApplication>
#include <QScreen>

namespace lumora {

QSize PrimaryScreenQuery::ScreenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(0, 0);
}

std::optional<QRect> MainWindowGeometry(QSize screen) {
    if (screen.height() < kMinimumScreenHeight) return std::nullopt;
    return QRect((screen.width() - 1024) / 2, (screen.height() - 768) / 2, kMainWindowWidth, kMainWindowHeight);
}

}  // namespace lumora
