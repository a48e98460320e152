#pragma once

#include <QObject>
#include <QPointer>

class QMdiArea;
class QMdiSubWindow;

namespace tessmet {

class CChildFrame;

// The one listener of a workspace's activation reports. It tells the image window that lost
// the activation first and the one that gained it second, so whatever the new window writes
// into the main window (the resolution text, its flags) is never undone by the old one, however
// many windows are open and in whichever order they were made.
//
// A report of no active window (the application lost the focus, or the last window is closing)
// deactivates nothing: the window stays the active one of its workspace.
class WorkspaceActivation : public QObject {
    Q_OBJECT
public:
    // The listener of `area`, made on first use; it lives as long as the workspace.
    static WorkspaceActivation& of(QMdiArea& area);

private:
    explicit WorkspaceActivation(QMdiArea& area);
    void activated(QMdiSubWindow* window);

    QPointer<CChildFrame> active_;
};

}  // namespace tessmet
