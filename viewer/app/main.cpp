// Lumora, the viewer: the main form with the camera, the panes and the gallery. Starts once
// per user; a second start brings the running window to the front instead. --simulate-camera uses the built-in simulated camera.

#include "viewer/core/CameraSystems.h"
#include "viewer/core/LumoraStartup.h"
#include "viewer/core/ScreenQuery.h"
#include "viewer/core/SingleInstance.h"
#include "viewer/core/ViewerPaths.h"
#include "viewer/form/LumoraView.h"

#include <QApplication>

#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumora"));
    bool simulate = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--simulate-camera") == 0) simulate = true;

    lumora::SingleInstance instance(lumora::SingleInstance::DefaultServerName());
    lumora::PrimaryScreenQuery screen;
    lumora::LumoraViewFactory factory(lumora::MakeCameraSystem(simulate));
    lumora::LumoraStartup startup(
        {instance, screen, factory, lumora::StartFolder(), lumora::DefaultTessmetFolder()});
    switch (startup.Run()) {
    case lumora::StartupResult::Started: return QApplication::exec();
    case lumora::StartupResult::HandedOver: return 0;
    case lumora::StartupResult::MainWindowFailed:
    case lumora::StartupResult::ScreenTooSmall: break;
    }
    return 1;
}
