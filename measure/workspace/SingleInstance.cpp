#include "measure/workspace/SingleInstance.h"

#include "platform/qt/HandOverProtocol.h"
#include "platform/qt/HandOverServer.h"
#include "platform/qt/InstanceLock.h"

#include <QDir>

namespace tessmet {

SingleInstance::SingleInstance(const Options& options)
    : handOverFile_(QDir(options.programFolder).filePath(QString::fromLatin1(kHandOverFileName))),
      serverName_(options.serverName.isEmpty() ? platform::LocalServerName(QString::fromLatin1(kInstanceServerName))
                                               : options.serverName),
      lock_(std::make_unique<platform::InstanceLock>(platform::ProgramBaseName(options.executablePath),
                                                     options.lockFolder)),
      server_(std::make_unique<platform::HandOverServer>(handOverFile_)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim() {
    if (!lock_->tryLock()) return false;
    if (!server_->isListening()) server_->listen(serverName_);
    return true;
}

bool SingleInstance::listening() const { return server_->isListening(); }

platform::HandOverResult SingleInstance::handOver(const QString& file) const {
    return platform::SendHandOver(serverName_, handOverFile_, file);
}

platform::HandOverServer& SingleInstance::server() { return *server_; }

}  // namespace tessmet
