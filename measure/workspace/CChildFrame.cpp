#include "measure/workspace/CChildFrame.h"

#include "measure/core/ImageLoader.h"
#include "measure/res/StringTable.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/FrameGeometry.h"
#include "measure/workspace/FrameRegistry.h"
#include "measure/workspace/ShowMessage.h"
#include "measure/workspace/ToolMode.h"
#include "measure/workspace/ViewGeometry.h"
#include "measure/workspace/ViewHost.h"
#include "measure/workspace/WorkspaceActivation.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QWindowStateChangeEvent>

#include <utility>
#include <vector>

namespace tessmet {

int CChildFrame::Open(const std::string& path, QMdiArea& area, ViewHost& host, FrameRegistry& registry,
                      CChildFrame** opened) {
    if (opened) *opened = nullptr;
    CChildFrame* shown = nullptr;
    const int code = OpenImage(registry.table(), path, [&](const std::string& file) {
        auto frame = std::make_unique<CChildFrame>(host, registry, std::make_unique<CTessmetDoc>(file));
        const int loaded = frame->view().LoadImage();
        if (loaded != 0) return loaded;
        frame->SetBaseTitle(QFileInfo(QString::fromStdString(file)).fileName());
        shown = frame.get();
        area.addSubWindow(frame.release());
        shown->resize(shown->NeededSize());
        shown->show();
        area.setActiveSubWindow(shown);
        return 0;
    });
    if (code != 0) {
        const std::vector<int> ids =
            code == StringId::TooManyImages ? std::vector<int>{StringId::TooManyImages} : LoadFailureMessages(code);
        for (int id : ids) ShowMessage(host.messages(), id, MessageIcon::Exclamation);
        return code;
    }
    if (opened) *opened = shown;
    return 0;
}

CChildFrame::CChildFrame(ViewHost& host, FrameRegistry& registry, std::unique_ptr<CTessmetDoc> document,
                         QWidget* parent)
    : QMdiSubWindow(parent), host_(host), registry_(registry) {
    setAttribute(Qt::WA_DeleteOnClose);
    auto view = std::make_unique<CTessmetView>(host, std::move(document));
    view_ = view.get();
    setWidget(view.release());
    keepPlatformSystemMenu();
    updateTitle();
}

void CChildFrame::keepPlatformSystemMenu() {
    // The system menu holds Restore, Move, Size, Minimize, Maximize and Close, and nothing the
    // toolkit adds of its own (staying on top). Close keeps the platform's key for closing an
    // image window, Ctrl+F4, whatever key the desktop theme would give it (the toolkit gives a
    // key to Close only).
    QMenu* menu = systemMenu();
    if (!menu) return;
    for (QAction* action : menu->actions()) {
        if (action->isCheckable()) {
            menu->removeAction(action);
        } else if (!action->shortcuts().isEmpty()) {
            action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
        }
    }
    // No separator at either end or twice in a row once the extras are gone.
    QAction* previous = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() && (!previous || previous->isSeparator())) {
            menu->removeAction(action);
            continue;
        }
        previous = action;
    }
    if (previous && previous->isSeparator()) menu->removeAction(previous);
}

CChildFrame::~CChildFrame() { registry_.Unregister(this); }

void CChildFrame::SetBaseTitle(const QString& title) {
    baseTitle_ = title;
    setWindowTitle(title);
    updateTitle();
}

void CChildFrame::updateTitle() { setWindowTitle(ZoomTitle(windowTitle(), zoom_)); }

// Zoom ----------------------------------------------------------------------------------------

void CChildFrame::SetZoom(double zoom) {
    if (!(zoom > 0.0)) return;
    view_->SetZoom(zoom, zoom_);
    zoom_ = zoom;
    updateTitle();
    emit zoomChanged(zoom_);
}

bool CChildFrame::ZoomUp() {
    if (!Zoom::CanZoomUp(zoom_)) return false;
    const double old = zoom_;
    SetZoom(zoom_ + Zoom::Step);
    FitAfterZoom(old, +1);
    return true;
}

bool CChildFrame::ZoomDown() {
    if (!Zoom::CanZoomDown(zoom_)) return false;
    const double old = zoom_;
    SetZoom(zoom_ - Zoom::Step);
    FitAfterZoom(old, -1);
    return true;
}

void CChildFrame::ChooseZoom(double zoom) {
    const double old = zoom_;
    SetZoom(zoom);
    FitAfterZoom(old, 0);
}

void CChildFrame::FitAfterZoom(double oldZoom, int direction) {
    if (isMinimized() || isMaximized()) return;
    liftDragLimit();
    if (const std::optional<QSize> size = tessmet::FitAfterZoom(oldZoom, zoom_, direction, this->size(), NeededSize())) {
        resize(*size);
    }
}

QSize CChildFrame::decoration() const {
    // The window's own borders and caption, as laid out around the view.
    if (widget() && widget()->isVisible()) return size() - widget()->size();
    const QMargins margins = contentsMargins();
    if (margins.left() + margins.right() + margins.top() + margins.bottom() > 0) {
        return {margins.left() + margins.right(), margins.top() + margins.bottom()};
    }
    // Not laid out yet: the style's frame and caption.
    const int frame = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    const int caption = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    return {2 * frame, caption + frame};
}

QSize CChildFrame::NeededSize() const { return NeededWindowSize(view_->imageSize(), zoom_, decoration()); }

// Activation ----------------------------------------------------------------------------------

bool CChildFrame::event(QEvent* event) {
    // The workspace reports which window is active, also before this window's first paint,
    // through its one listener, so that activations arrive in a fixed order.
    if (event->type() == QEvent::ParentChange) {
        if (QMdiArea* area = mdiArea()) WorkspaceActivation::of(*area);
    }
    return QMdiSubWindow::event(event);
}

void CChildFrame::Activate() {
    if (!activatedOnce_) firstActivation();
    view_->OnActivate();
}

void CChildFrame::Deactivate() { view_->OnDeactivate(); }

void CChildFrame::firstActivation() {
    activatedOnce_ = true;
    const int opened = registry_.count();  // the windows that came before this one
    registry_.Register(this);
    if (isMinimized() || isMaximized()) return;
    QMdiArea* area = mdiArea();
    if (!area) {
        resize(NeededSize());
        return;
    }
    // Each new window one caption further down the cascade, inside the workspace.
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    setGeometry(CascadedWindowRect(area->viewport()->size(), NeededSize(), opened, step));
}

// Window behaviour ----------------------------------------------------------------------------

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (IsCalibrationTool(host_.currentTool())) {
        ShowMessage(host_.messages(), StringId::CalibrationRunning, MessageIcon::Exclamation);
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

void CChildFrame::changeEvent(QEvent* event) {
    QMdiSubWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    if (!(change->oldState() & Qt::WindowMaximized) && (windowState() & Qt::WindowMaximized)) {
        // Maximising would fill the workspace with empty space around a small image, and hide
        // the other images behind a large one: the window fits into the workspace instead.
        showNormal();
        fitIntoWorkspace();
    }
}

void CChildFrame::fitIntoWorkspace() {
    QMdiArea* area = mdiArea();
    if (!area) return;
    liftDragLimit();
    setGeometry(MaximisedWindowRect(area->viewport()->rect(), NeededSize()));
}

// The largest size the user can drag the window to is the needed size (or the size it has, so
// that grabbing a border never makes it jump). The limit holds only while the user really moves
// or sizes the window: dragging with the button held, or after Move or Size from the system
// menu, which hold the mouse until a click or Enter. A press whose release goes elsewhere (the
// system menu opens on the press) must not leave it behind.
bool CChildFrame::userSizing(Qt::MouseButtons buttons) const {
    return (buttons & Qt::LeftButton) || QWidget::mouseGrabber() == this;
}

void CChildFrame::mouseMoveEvent(QMouseEvent* event) {
    if (userSizing(event->buttons())) {
        applyDragLimit();
    } else {
        liftDragLimit();
    }
    QMdiSubWindow::mouseMoveEvent(event);
}

void CChildFrame::mouseReleaseEvent(QMouseEvent* event) {
    QMdiSubWindow::mouseReleaseEvent(event);
    liftDragLimit();
}

void CChildFrame::keyPressEvent(QKeyEvent* event) {
    if (userSizing(Qt::NoButton)) applyDragLimit();
    QMdiSubWindow::keyPressEvent(event);
    if (!userSizing(Qt::NoButton)) liftDragLimit();
}

void CChildFrame::applyDragLimit() {
    if (dragLimited_) return;
    dragLimited_ = true;
    setMaximumSize(NeededSize().expandedTo(size()));
}

void CChildFrame::liftDragLimit() {
    if (!dragLimited_) return;
    dragLimited_ = false;
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void CChildFrame::SetHideCursor(bool hide) {
    hideCursor_ = hide;
    if (hide) {
        setCursor(Qt::BlankCursor);
        view_->viewport()->setCursor(Qt::BlankCursor);
    } else {
        unsetCursor();
        view_->viewport()->unsetCursor();
    }
}

}  // namespace tessmet
