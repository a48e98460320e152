#pragma once

#include "measure/core/TessmetDoc.h"

#include <QMdiSubWindow>
#include <QSize>

#include <memory>
#include <string>

class QMdiArea;

namespace tessmet {

class CTessmetView;
class FrameRegistry;
class ViewHost;

// The window of one open image inside the main window's workspace, holding its view. It owns the
// zoom and shows it in its title ("Pic00001.jpg : 100%"), sizes itself to the zoomed image plus
// its own decoration, fits into the workspace instead of maximising, lets the user drag it no
// larger than that size, refuses to close during a calibration run, and registers with the main
// window's list of image windows on its first activation.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // Opens a picture in a new window of `area`, shown and active: 0, or the first message of
    // the failure, which the host's presenter has shown already: 10001 with 64 windows open,
    // 10002 for a file that cannot be read, 10003 then 10002 for a bitmap kind that is not read,
    // 10002 for a picture that does not decode. Nothing is opened on failure.
    static int Open(const std::string& path, QMdiArea& area, ViewHost& host, FrameRegistry& registry,
                    CChildFrame** opened = nullptr);

    // A window for `document`, whose picture the caller loads into view(). Deleted when closed.
    CChildFrame(ViewHost& host, FrameRegistry& registry, std::unique_ptr<CTessmetDoc> document,
                QWidget* parent = nullptr);
    ~CChildFrame() override;

    CTessmetView& view() const { return *view_; }

    // The display magnification, 1.0 at creation.
    double GetZoom() const { return zoom_; }
    // Tells the view (which keeps the centre point where it was), stores the zoom and updates
    // the title. Does not resize the window.
    void SetZoom(double zoom);
    // Zoom Up and Zoom Down: one step of 0.25 within 0.25..8.0, then FitAfterZoom. False at the
    // limit (nothing changes).
    bool ZoomUp();
    bool ZoomDown();
    // The zoom dialog's choice: set it and fit the window unconditionally.
    void ChooseZoom(double zoom);
    // Direction +1 after zooming in, -1 after zooming out, 0 to fit unconditionally; resizing
    // keeps the top-left corner. A window the user made larger is not shrunk by zooming in.
    void FitAfterZoom(double oldZoom, int direction);

    // The outer size that shows the whole zoomed image: the zoomed image, truncated, plus the
    // window's borders and caption as measured on the window itself.
    QSize NeededSize() const;
    QSize decoration() const;

    // While set, no mouse cursor shows over the window (a tool that draws its own).
    void SetHideCursor(bool hide);
    bool hidesCursor() const { return hideCursor_; }

    // The window's title without the zoom; the zoom suffix is added to it.
    void SetBaseTitle(const QString& title);
    // The title of its document (the picture's file name), without the zoom.
    QString documentTitle() const { return baseTitle_; }

    // The workspace's activation listener (WorkspaceActivation) calls these, always the
    // deactivation of the old window before the activation of the new one.
    void Activate();
    void Deactivate();

signals:
    void zoomChanged(double zoom);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void firstActivation();
    void updateTitle();
    void fitIntoWorkspace();
    void keepPlatformSystemMenu();
    bool userSizing(Qt::MouseButtons buttons) const;
    void applyDragLimit();
    void liftDragLimit();

    ViewHost& host_;
    FrameRegistry& registry_;
    CTessmetView* view_ = nullptr;  // child widget, owned by the window
    QString baseTitle_;
    double zoom_ = 1.0;
    bool activatedOnce_ = false;
    bool hideCursor_ = false;
    bool dragLimited_ = false;  // the size limit of a drag in progress is set
};

}  // namespace tessmet
