#include "platform/qt/HandOverServer.h"

#include "platform/HandOverFile.h"
#include "platform/qt/HandOverProtocol.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

namespace platform {

HandOverServer::HandOverServer(const QString& handOverFile, QObject* parent)
    : QObject(parent), handOverFile_(handOverFile), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &HandOverServer::acceptConnections);
}

HandOverServer::~HandOverServer() = default;

bool HandOverServer::listen(const QString& serverName) {
    QLocalServer::removeServer(serverName);
    return server_->listen(serverName);
}

void HandOverServer::close() { server_->close(); }

bool HandOverServer::isListening() const { return server_->isListening(); }

QString HandOverServer::fullServerName() const { return server_->fullServerName(); }

QString HandOverServer::errorString() const { return server_->errorString(); }

void HandOverServer::acceptConnections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        // The socket is a child of the server; it deletes itself once the peer is gone.
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!PeerIsSameUser(*socket)) {
            socket->abort();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrame(socket); });
        if (socket->bytesAvailable() > 0) readFrame(socket);
    }
}

void HandOverServer::readFrame(QLocalSocket* socket) {
    if (socket->bytesAvailable() < kHandOverFrameSize) return;
    const std::optional<uint32_t> message = DecodeHandOverFrame(socket->read(kHandOverFrameSize));
    // One frame per connection: whatever follows is not read.
    socket->disconnectFromServer();
    if (!message) return;
    if (*message == HandOverMessage::Activate) {
        emit activationRequested();
    } else if (*message == HandOverMessage::OpenHandedOverFile) {
        emit activationRequested();
        const std::string path = TakeHandOverFile(handOverFile_.toStdString());
        emit handOverReceived(QString::fromStdString(path));
    }
}

bool PeerIsSameUser(const QLocalSocket& socket) {
    const qintptr fd = socket.socketDescriptor();
    if (fd < 0) return false;
#if defined(__linux__)
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(static_cast<int>(fd), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) return false;
    return credentials.uid == ::getuid();
#else
    uid_t uid = 0;
    gid_t gid = 0;
    if (::getpeereid(static_cast<int>(fd), &uid, &gid) != 0) return false;
    return uid == ::getuid();
#endif
}

}  // namespace platform
