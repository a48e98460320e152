#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace platform {

// The running instance's end of the hand-over: listens on a local socket that only the same
// user can reach and turns the frames of HandOverProtocol.h into signals. Listen only while
// holding the instance lock: a socket file left by a crashed run is removed first.
class HandOverServer : public QObject {
    Q_OBJECT
public:
    // `handOverFile`: the file a second start writes the path to (program folder + name).
    explicit HandOverServer(const QString& handOverFile, QObject* parent = nullptr);
    ~HandOverServer() override;

    bool listen(const QString& serverName);
    void close();
    bool isListening() const;
    QString fullServerName() const;
    QString errorString() const;
    QString handOverFile() const { return handOverFile_; }

signals:
    // Every accepted message: bring the main window to the front (restored to normal size).
    void activationRequested();
    // Message 0x8101, after activationRequested: the first line of the hand-over file, which
    // has been deleted; empty when the file was missing or unreadable. The receiver checks
    // whether another picture may be opened and opens the path.
    void handOverReceived(const QString& path);

private:
    void acceptConnections();
    void readFrame(QLocalSocket* socket);

    QString handOverFile_;
    QLocalServer* server_;  // child of this object
};

// True when the peer of a connected local socket runs under this process's user.
bool PeerIsSameUser(const QLocalSocket& socket);

}  // namespace platform
