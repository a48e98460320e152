#include "measure/workspace/WorkspaceActivation.h"

#include "measure/workspace/CChildFrame.h"

#include <QMdiArea>

namespace tessmet {

WorkspaceActivation& WorkspaceActivation::of(QMdiArea& area) {
    auto* existing = area.findChild<WorkspaceActivation*>(QString(), Qt::FindDirectChildrenOnly);
    return existing ? *existing : *new WorkspaceActivation(area);
}

WorkspaceActivation::WorkspaceActivation(QMdiArea& area) : QObject(&area) {
    connect(&area, &QMdiArea::subWindowActivated, this, &WorkspaceActivation::activated);
}

void WorkspaceActivation::activated(QMdiSubWindow* window) {
    auto* frame = qobject_cast<CChildFrame*>(window);
    if (!frame || frame == active_) return;
    const QPointer<CChildFrame> previous = active_;
    active_ = frame;
    if (previous) previous->Deactivate();
    // Deactivating the old window may have taken the new one away.
    if (active_ == frame) frame->Activate();
}

}  // namespace tessmet
