#include "platform/qt/HandOverClient.h"

#include "platform/HandOverFile.h"
#include "platform/qt/HandOverProtocol.h"

#include <QLocalSocket>

namespace platform {

HandOverResult SendHandOver(const QString& serverName, const QString& handOverFile, const QString& path,
                            int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(timeoutMs)) return HandOverResult::NoInstance;

    uint32_t message = HandOverMessage::Activate;
    if (!path.isEmpty()) {
        if (!WriteHandOverFile(handOverFile.toStdString(), path.toStdString())) return HandOverResult::Failed;
        message = HandOverMessage::OpenHandedOverFile;
    }
    socket.write(EncodeHandOverFrame(message));
    if (!socket.waitForBytesWritten(timeoutMs)) return HandOverResult::Failed;
    socket.disconnectFromServer();
    return HandOverResult::Delivered;
}

}  // namespace platform
