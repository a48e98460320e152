#include "viewer/core/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

#include <memory>
#include <unistd.h>

namespace lumora {
namespace {

constexpr char kActivateRequest[] = "restore\n";
constexpr int kConnectTimeoutMs = 1000;

}  // namespace

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), serverName_(std::move(serverName)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::DefaultServerName() {
    return QStringLiteral("Lumora-%1").arg(static_cast<qulonglong>(::getuid()));
}

bool SingleInstance::AskRunningInstanceToActivate() {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
    socket.write(kActivateRequest);
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::Listen() {
    if (server_) return true;
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(serverName_)) {
        // Nobody answered AskRunningInstanceToActivate, so a socket file left here is stale.
        QLocalServer::removeServer(serverName_);
        if (!server->listen(serverName_)) return false;
    }
    server->setParent(this);
    server_ = server.release();
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::onConnection);
    return true;
}

QString SingleInstance::fullServerName() const { return server_ ? server_->fullServerName() : QString(); }

void SingleInstance::onConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        const auto readRequests = [this, socket] {
            while (socket->canReadLine()) {
                if (socket->readLine() == kActivateRequest) emit activationRequested();
            }
        };
        connect(socket, &QLocalSocket::readyRead, this, readRequests);
        connect(socket, &QLocalSocket::disconnected, socket, [socket, readRequests] {
            readRequests();
            socket->deleteLater();
        });
        readRequests();
    }
}

void RestoreAndRaise(QWidget* window) {
    if (!window) return;
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace lumora
