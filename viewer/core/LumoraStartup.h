#pragma once

#include "viewer/core/ViewerSettings.h"

#include <QWidget>

#include <memory>
#include <string>

namespace lumora {

class ScreenQuery;
class SingleInstance;

// Makes the main window. The one place where the program decides what its window is.
class MainFormFactory {
public:
    virtual ~MainFormFactory() = default;
    // nullptr when the form cannot be initialised. `settings` outlives the window.
    virtual std::unique_ptr<QWidget> CreateMainWindow(ViewerSettings& settings) = 0;
};

enum class StartupResult {
    Started,           // the main window is shown
    HandedOver,        // another instance runs and was asked to come to the front
    MainWindowFailed,  // the main form could not be made
    ScreenTooSmall,    // the screen is lower than 768 pixels
};

// The application's start, in order: the single-instance rule, the start folder as the
// application folder, the settings, the main window, then its placement on the screen. Owns
// the settings and the main window for the life of the program.
class LumoraStartup {
public:
    struct Parts {
        SingleInstance& instance;
        const ScreenQuery& screen;
        MainFormFactory& factory;
        std::string startFolder;
        std::string defaultTessmetFolder;
    };

    explicit LumoraStartup(Parts parts);
    ~LumoraStartup();

    StartupResult Run();

    ViewerSettings& settings() { return settings_; }
    QWidget* mainWindow() const { return window_.get(); }

private:
    Parts parts_;
    ViewerSettings settings_;
    std::unique_ptr<QWidget> window_;
    QMetaObject::Connection activation_;
    bool windowShown_ = false;
    bool activationPending_ = false;  // asked for before the window was shown
};

// The window text of the main window.
inline constexpr const char* kMainWindowTitle = "Lumora Viewer";

}  // namespace lumora
