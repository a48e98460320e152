#include "measure/workspace/TessmetApplication.h"

#include "measure/res/Translations.h"
#include "measure/workspace/CMainFrame.h"
#include "measure/workspace/SingleInstance.h"
#include "platform/CommandLine.h"
#include "platform/ProgramFolder.h"
#include "platform/qt/HandOverServer.h"

#include <QApplication>
#include <QLocale>

#include <vector>

namespace tessmet {

void ConnectHandOver(SingleInstance& instance, CMainFrame& frame) {
    if (!instance.listening()) return;
    QObject::connect(&instance.server(), &platform::HandOverServer::activationRequested, &frame, [&frame] {
        frame.raise();
        frame.activateWindow();
    });
    QObject::connect(&instance.server(), &platform::HandOverServer::handOverReceived, &frame,
                     [&frame](const QString& path) { frame.HandOver(path); });
}

bool SaveAtExit(const CMainFrame& frame) { return SaveSettings(frame.settingsPath(), frame.settings()); }

int RunTessmet(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessmet"));
    InstallTranslations(app, QLocale::system());

    const std::string programFolder = platform::ProgramFolder("Tessmet");
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    const platform::CommandLine commandLine = platform::ParseCommandLine(arguments);

    SingleInstance instance({QString::fromStdString(programFolder), QCoreApplication::applicationFilePath(), {}, {}});
    if (!instance.claim()) {
        instance.handOver(QString::fromStdString(commandLine.file));
        return 0;
    }

    CMainFrame frame(CMainFrame::Services{programFolder, nullptr, nullptr, {}, {}, nullptr, {}});
    ConnectHandOver(instance, frame);

    if (LoadMaximize(frame.settingsPath())) {
        frame.showMaximized();
    } else {
        frame.show();
    }
    frame.AfterShown();

    // A picture named on the command line that cannot be opened ends the program. It opens
    // once the workspace has its real size, so its window starts at the workspace's corner.
    if (!commandLine.file.empty() && frame.OpenImage(commandLine.file) != 0) return 1;

    const int code = app.exec();
    SaveAtExit(frame);
    return code;
}

}  // namespace tessmet
