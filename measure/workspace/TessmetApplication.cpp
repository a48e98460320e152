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

std::string CommandLinePicture(const std::vector<std::string>& arguments) {
    return platform::ParseCommandLine(arguments).file;
}

bool OpenCommandLinePicture(CMainFrame& frame, const std::string& picture) {
    return picture.empty() || frame.OpenImage(picture) == 0;
}

int RunTessmet(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessmet"));
    InstallTranslations(app, QLocale::system());

    const std::string programFolder = platform::ProgramFolder("Tessmet");
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    const std::string picture = CommandLinePicture(arguments);

    SingleInstance instance({QString::fromStdString(programFolder), QCoreApplication::applicationFilePath(), {}, {}});
    if (!instance.claim()) {
        instance.handOver(QString::fromStdString(picture));
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

    // A picture named on the command line that cannot be opened ends the program.
    if (!OpenCommandLinePicture(frame, picture)) return 1;

    const int code = app.exec();
    SaveAtExit(frame);
    return code;
}

}  // namespace tessmet
