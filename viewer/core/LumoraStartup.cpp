#include "viewer/core/LumoraStartup.h"

#include "viewer/core/ScreenQuery.h"
#include "viewer/core/SingleInstance.h"

namespace lumora {

LumoraStartup::LumoraStartup(Parts parts) : parts_(std::move(parts)) {}

LumoraStartup::~LumoraStartup() = default;

StartupResult LumoraStartup::Run() {
    if (parts_.instance.AskRunningInstanceToActivate()) return StartupResult::HandedOver;
    parts_.instance.Listen();

    settings_ = LoadViewerSettings(parts_.startFolder, parts_.defaultTessmetFolder);

    window_ = parts_.factory.CreateMainWindow(settings_);
    if (!window_) return StartupResult::MainWindowFailed;
    // A caption-less window: the form draws its own title, minimise and close.
    window_->setWindowTitle(QString::fromLatin1(kMainWindowTitle));
    window_->setWindowFlag(Qt::FramelessWindowHint, true);

    const std::optional<QRect> geometry = MainWindowGeometry(parts_.screen.ScreenSize());
    if (!geometry) {
        window_.reset();
        return StartupResult::ScreenTooSmall;
    }
    window_->move(geometry->topLeft());
    window_->resize(geometry->size());
    window_->show();
    QObject::connect(&parts_.instance, &SingleInstance::activationRequested, window_.get(),
                     [window = window_.get()] { RestoreAndRaise(window); });
    return StartupResult::Started;
}

}  // namespace lumora
