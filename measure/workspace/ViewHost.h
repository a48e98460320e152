#pragma once

#include "measure/core/Calibration.h"
#include "measure/core/Point.h"
#include "measure/workspace/LayerFlags.h"
#include "measure/workspace/Settings.h"
#include "measure/workspace/ToolMode.h"

#include <QPoint>
#include <QString>

#include <array>

namespace tessmet {

class CTessmetView;
class MessagePresenter;

// What an image window needs from the main window, and nothing more: the status bar, the
// current tool and the main window's copy of the layer flags, the pens, font and options, the
// program-wide calibration override, message boxes, and the notifications the tool windows
// (measure result list, colour distribution, zoom window, calibration guide) act on. The main
// window implements it; tests implement it with a fake, so a view runs without the shell.
class ViewHost {
public:
    virtual ~ViewHost() = default;

    // Status bar pane 0 (prompts, live measurement text, pixel read-out) and pane 1
    // (resolution text or scale pitch).
    virtual void setStatusText(int pane, const QString& text) = 0;

    virtual ToolMode currentTool() const = 0;
    // The view's flags after it changed them (a figure completed, a region set) or was activated.
    virtual void setFlags(const LayerFlags& flags) = 0;

    virtual const Settings& settings() const = 0;
    virtual const SharedCalibration& sharedCalibration() const = 0;
    virtual MessagePresenter& messages() = 0;

    // A command the view asks the main window to carry out (the mouse-zoom tool zooms with
    // 32771 and 32772, exactly as the menu does).
    virtual void runCommand(int commandId) = 0;

    // While the text tool's edit box is open the main window is disabled.
    virtual void setMainWindowEnabled(bool enabled) = 0;

    // Tool windows. Each has an empty default until its window exists.
    // The view's window became the active one: the result list and the colour distribution
    // show this view.
    virtual void viewActivated(CTessmetView* /*view*/) {}
    // The view's window lost the activation to another image window; always reported before
    // that window's viewActivated.
    virtual void viewDeactivated(CTessmetView* /*view*/) {}
    // The view's store changed (a measurement completed, undo, clear, a draw object added).
    virtual void measurementsChanged(CTessmetView* /*view*/) {}
    // A region of interest was completed with the mouse, typed in or cleared.
    virtual void regionChanged(CTessmetView* /*view*/) {}
    // While the colour distribution window shows, the pixel read-out carries R, G and B.
    virtual bool colourDistributionVisible() const { return false; }
    // While the zoom window shows, it follows the image point under the mouse (trunc(v / zoom),
    // not limited to the image: the zoom window shows black beyond it).
    virtual bool zoomWindowVisible() const { return false; }
    virtual void zoomWindowFollow(CTessmetView* /*view*/, QPoint /*imagePoint*/) {}
    // The calibration run: the guide window's two lines (string ids), moved by `offset` screen
    // pixels from its usual place, and the four image points once both objects are drawn.
    virtual void showCalibrationGuide(int /*line1*/, int /*line2*/, QPoint /*offset*/) {}
    virtual void finishCalibration(const std::array<Point, 4>& /*imagePoints*/) {}
};

}  // namespace tessmet
