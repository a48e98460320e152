#include "viewer/core/LumoraStartup.h"

#include "viewer/core/ScreenQuery.h"
#include "viewer/core/SingleInstance.h"

#include <utility>

namespace lumora {

LumoraStartup::LumoraStartup(Parts parts) : parts_(std::move(parts)) {}

LumoraStartup::~LumoraStartup() { QObject::disconnect(activation_); }

StartupResult LumoraStartup::Run() {
    if (parts_.instance.AskRunningInstanceToActivate()) return StartupResult::HandedOver;
    parts_.instance.Listen();
    // A later start may ask for the window while it is still being made (the form's start-up
    // can wait in a message box): the request is kept until the window shows.
    activation_ = QObject::connect(&parts_.instance, &SingleInstance::activationRequested, [this] {
        if (window_ && windowShown_) {
            RestoreAndRaise(window_.get());
        } else {
            activationPending_ = true;
        }
    });

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
    windowShown_ = true;
    if (std::exchange(activationPending_, false)) RestoreAndRaise(window_.get());
    return StartupResult::Started;
}

}  // namespace lumora
