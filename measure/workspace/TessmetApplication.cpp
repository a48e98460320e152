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

    CMainFrame frame(CMainFrame::Services{programFolder, nullptr, nullptr, {}});
    if (instance.listening()) {
        QObject::connect(&instance.server(), &platform::HandOverServer::activationRequested, &frame, [&frame] {
            frame.raise();
            frame.activateWindow();
        });
        QObject::connect(&instance.server(), &platform::HandOverServer::handOverReceived, &frame,
                         [&frame](const QString& path) { frame.HandOver(path); });
    }

    // A picture named on the command line that cannot be opened ends the program.
    if (!commandLine.file.empty() && frame.OpenImage(commandLine.file) != 0) return 1;

    if (LoadMaximize(frame.settingsPath())) {
        frame.showMaximized();
    } else {
        frame.show();
    }
    frame.AfterShown();

    const int code = app.exec();
    SaveSettings(frame.settingsPath(), frame.settings());
    return code;
}

}  // namespace tessmet
