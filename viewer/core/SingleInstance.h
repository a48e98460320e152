#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QWidget;

namespace lumora {

// One Lumora per user. The first instance listens on a local socket that only this user can
// reach; a later start connects to it, asks it to restore and raise its window, and ends
// without showing anything.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString serverName, QObject* parent = nullptr);
    ~SingleInstance() override;

    // "Lumora-" followed by the user id, so that two users never meet.
    static QString DefaultServerName();

    // True when an instance already runs; it has then been asked to activate itself.
    bool AskRunningInstanceToActivate();

    // Claims the name for this process (replacing a socket left behind by a crashed
    // instance). False when it cannot be claimed; the program then runs without the guard.
    bool Listen();

    // The socket's path once listening (empty before).
    QString fullServerName() const;

signals:
    // A later start asked this instance to restore and raise its window.
    void activationRequested();

private:
    void onConnection();

    QString serverName_;
    QLocalServer* server_ = nullptr;  // child of this
};

// Restores a minimised window and brings it to the front.
void RestoreAndRaise(QWidget* window);

}  // namespace lumora
