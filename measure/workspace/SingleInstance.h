#pragma once

#include "platform/qt/HandOverClient.h"

#include <QObject>
#include <QString>

#include <memory>

namespace platform {
class HandOverServer;
class InstanceLock;
}  // namespace platform

namespace tessmet {

// Names the running program and a second start agree on.
inline constexpr const char* kInstanceServerName = "WC_Tessmet";  // made per user, see LocalServerName
inline constexpr const char* kHandOverFileName = "Tessmet.tmp";   // in the program folder

// Tessmet's start-up rule "one instance per user": the first start holds the lock and listens
// for hand-overs; a later start gives its file to the first and ends.
//
//   SingleInstance instance({programFolder, QCoreApplication::applicationFilePath()});
//   if (!instance.claim()) { instance.handOver(commandLineFile); return 0; }
//   connect(&instance.server(), &platform::HandOverServer::handOverReceived, ...);
class SingleInstance {
public:
    struct Options {
        QString programFolder;   // where the hand-over file lives, with or without trailing '/'
        QString executablePath;  // the lock is named after its base name
        QString lockFolder;      // default: the per-user runtime folder
        QString serverName;      // default: LocalServerName(kInstanceServerName)
    };

    explicit SingleInstance(const Options& options);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process is the first instance: it then holds the lock and listens. A
    // failure to listen leaves the program running without hand-over (listening() says so).
    bool claim();
    bool listening() const;
    // The second start's part: bring the first instance to the front and, when `file` is not
    // empty, hand it over through the hand-over file.
    platform::HandOverResult handOver(const QString& file) const;

    // Valid after a successful claim(); signals activationRequested and handOverReceived.
    platform::HandOverServer& server();
    QString handOverFile() const { return handOverFile_; }
    QString serverName() const { return serverName_; }

private:
    QString handOverFile_;
    QString serverName_;
    std::unique_ptr<platform::InstanceLock> lock_;
    std::unique_ptr<platform::HandOverServer> server_;
};

}  // namespace tessmet
