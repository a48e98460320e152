// The main window's command routing and the update functions that enable and check its
// commands. Each command goes to the active image window, the workspace or a dialog; nothing
// is computed here.

#include "measure/res/CommandTable.h"
#include "measure/res/StringTable.h"
#include "measure/workspace/AboutDialog.h"
#include "measure/workspace/CChildFrame.h"
#include "measure/workspace/CMainFrame.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/CommandActions.h"
#include "measure/workspace/FileChooser.h"
#include "measure/workspace/FrameRegistry.h"
#include "measure/workspace/ShowMessage.h"
#include "measure/workspace/ViewGeometry.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <array>
#include <span>
#include <utility>

namespace tessmet {
namespace {

using namespace CommandId;

// The tool each tool command selects.
constexpr std::pair<int, ToolMode> kToolCommands[] = {
    {MeasureTwoPointDistance, Tool::TwoPointDistance}, {MeasureVerticalDistance, Tool::VerticalDistance},
    {MeasureArea, Tool::Area},                         {MeasureAngle, Tool::Angle},
    {MeasureTwoLinesAngle, Tool::TwoLinesAngle},       {MeasureTwoPointRadius, Tool::TwoPointRadius},
    {MeasureThreePointRadius, Tool::ThreePointRadius}, {MeasureCenterDistance, Tool::CenterDistance},
    {DrawLine, Tool::DrawLine},                        {DrawRectangle, Tool::DrawRectangle},
    {DrawCircle, Tool::DrawCircle},                    {DrawText, Tool::DrawText},
    {RoiRectangle, Tool::RoiRectangle},                {RoiEllipse, Tool::RoiEllipse},
    {RoiPolygon, Tool::RoiPolygon},                    {MouseZoom, Tool::MouseZoom},
};

// Commands whose dialog or tool window is not part of the program yet: shown in the menus,
// never enabled, so none of them pretends to work.
constexpr int kAwaitingTheirWindow[] = {
    ZoomSetup, ZoomWindow, MeasureResult, DrawSetup, CalibrationSetup, OtherSetup,
};

// Commands that, with Ctrl held, enter their object by its coordinates in a dialog instead of
// selecting the tool. Until that dialog is part of the program, Ctrl with them only beeps.
constexpr int kCoordinateEntry[] = {DrawLine, DrawRectangle, DrawCircle, DrawText, RoiRectangle, RoiEllipse};

bool Lists(std::span<const int> commands, int id) { return std::ranges::find(commands, id) != commands.end(); }

ToolMode ToolOf(int id) {
    for (const auto& [command, tool] : kToolCommands)
        if (command == id) return tool;
    return Tool::None;
}

bool LayerFlags::*FlagOf(int id) {
    switch (id) {
        case ToggleOriginalLayer: return &LayerFlags::originalLayer;
        case ToggleProcessingLayer: return &LayerFlags::processingLayer;
        case ToggleMeasureLayer: return &LayerFlags::measureLayer;
        case ToggleDrawLayer: return &LayerFlags::drawLayer;
        case ToggleScale: return &LayerFlags::scale;
        case ToggleCenterLine: return &LayerFlags::centreLine;
        case ToggleGrid: return &LayerFlags::grid;
        case ToggleHorizontalLuminance: return &LayerFlags::horizontalLuminance;
        case ToggleVerticalLuminance: return &LayerFlags::verticalLuminance;
        default: return nullptr;
    }
}

}  // namespace

CChildFrame* CMainFrame::activeFrame() const {
    return qobject_cast<CChildFrame*>(area_->activeSubWindow() ? area_->activeSubWindow() : area_->currentSubWindow());
}

CTessmetView* CMainFrame::activeView() const {
    CChildFrame* frame = activeFrame();
    return frame ? &frame->view() : nullptr;
}

void CMainFrame::OnCommand(int id) {
    if (const QAction* a = actions_->action(id); a && !a->isEnabled()) return;
    CTessmetView* view = activeView();
    CChildFrame* frame = activeFrame();
    if (const CommandInfo* info = FindCommand(id); info && info->needsImage && !view) return;

    if (Lists(kCoordinateEntry, id) && (services_.keyboardModifiers() & Qt::ControlModifier)) {
        QApplication::beep();
        return;
    }
    if (ToolOf(id) != Tool::None) {
        // The text tool works at 100 %: another zoom is reset first.
        if (id == DrawText && tool_ != Tool::DrawText && frame && frame->GetZoom() != 1.0) {
            ShowMessage(*messages_, StringId::ZoomReset, MessageIcon::Information);
            frame->ChooseZoom(1.0);
        }
        SelectTool(ToolOf(id));
        return;
    }
    if (FlagOf(id)) {
        toggleFlag(id);
        return;
    }
    if (id >= RecentFileFirst && id < RecentFileFirst + RecentFileCount) {
        openRecent(id - RecentFileFirst);
        return;
    }
    switch (id) {
        case FileOpen: openWithDialog(); return;
        case FileSave: save(false); return;
        case FileSaveAs: save(true); return;
        case FileCloseAll:
            // Closing can be refused (a calibration run): stop instead of asking forever.
            while (QMdiSubWindow* window = area_->activeSubWindow() ? area_->activeSubWindow() : area_->currentSubWindow()) {
                if (!window->close()) break;
                QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
            return;
        case AppExit: close(); return;
        case EditUndo: view->Undo(); return;
        case ZoomUp: zoom(+1); return;
        case ZoomDown: zoom(-1); return;
        case ProcessingClear: view->ClearProcessing(); return;
        case BinaryImage: binaryImage(); return;
        case DetectCenter: detectCentre(); return;
        case GrayImage: greyImage(); return;
        case ColorDistribution: toggleColourWindow(); return;
        case MeasureClear: view->ClearMeasurements(); return;
        case DrawClear: view->ClearDrawObjects(); return;
        case RoiClear: view->ClearRegion(); return;
        case ScrollRight: view->ScrollStep(1, 0); return;
        case ScrollLeft: view->ScrollStep(-1, 0); return;
        case ScrollDown: view->ScrollStep(0, 1); return;
        case ScrollUp: view->ScrollStep(0, -1); return;
        case WindowChange: changeWindow(); return;
        case WindowCascade: area_->cascadeSubWindows(); return;
        case WindowTile: area_->tileSubWindows(); return;
        case AppAbout: showAbout(); return;
        case ToggleToolbar:
        case ToggleViewToolbar:
        case ToggleMeasureToolbar:
        case ToggleSelectToolbar:
        case ToggleStatusBar: toggleBar(id); return;
        default: return;
    }
}

void CMainFrame::SelectTool(ToolMode tool) {
    if (CTessmetView* view = activeView()) view->ForgetPoints();
    setCurrentTool(tool_ == tool ? Tool::None : tool);
    if (CTessmetView* view = activeView()) view->viewport()->update();
}

void CMainFrame::escape() {
    if (IsCalibrationTool(tool_)) {
        if (ShowMessage(*messages_, StringId::InterruptCalibration, MessageIcon::Information, MessageButtons::YesNo) !=
            MessageAnswer::Yes)
            return;
    }
    if (CTessmetView* view = activeView()) view->ForgetPoints();
    setCurrentTool(Tool::None);
    if (CTessmetView* view = activeView()) view->viewport()->update();
}

void CMainFrame::openWithDialog() {
    if (registry_->CheckOpenLimit() != 0) {
        ShowMessage(*messages_, StringId::TooManyImages, MessageIcon::Exclamation);
        return;
    }
    setCurrentTool(Tool::None);
    const std::optional<std::string> path = files_->openImage(lastFolder_);
    if (!path) return;
    lastFolder_ = platform::FolderOf(*path);
    OpenImage(*path);
}

void CMainFrame::openRecent(int index) {
    if (index >= static_cast<int>(recent_.files().size())) return;
    if (registry_->CheckOpenLimit() != 0) {
        ShowMessage(*messages_, StringId::TooManyImages, MessageIcon::Exclamation);
        return;
    }
    const std::string path = recent_.files()[static_cast<size_t>(index)];
    if (OpenImage(path) != 0) {
        // A picture that is gone leaves the list, as it cannot be opened from there again.
        recent_.remove(index);
        recent_.save(settingsPath_);
        actions_->setRecentFiles(recent_.files());
    }
}

void CMainFrame::save(bool saveAs) {
    CTessmetView* view = activeView();
    if (!view) return;
    std::optional<SaveResult> result;
    if (saveAs) {
        const std::optional<std::string> path = files_->saveImage(lastFolder_);
        if (!path) return;
        lastFolder_ = platform::FolderOf(*path);
        result = view->SaveAs(*path);
    } else {
        result = view->Save();
    }
    // Write failures are not reported; the encoder's warnings and its fatal error are, with
    // its own texts.
    if (!result) return;
    for (const std::string& warning : result->jpegWarnings)
        ShowPlainMessage(*messages_, "JPEG Error", warning, MessageIcon::Stop);
    if (result->status == SaveStatus::JpegFatalError)
        ShowPlainMessage(*messages_, "JPEG Fatal Error", result->jpegMessage, MessageIcon::Stop);
}

void CMainFrame::toggleFlag(int id) {
    bool LayerFlags::*flag = FlagOf(id);
    LayerFlags flags = flags_;
    flags.*flag = !(flags.*flag);
    flags_ = flags;
    if (CTessmetView* view = activeView()) view->SetFlags(flags_);
    updateFlagChecks();
}

void CMainFrame::toggleBar(int id) {
    if (id == ToggleStatusBar) {
        statusBar()->setVisible(!statusBar()->isVisible());
    } else {
        for (const ToolbarInfo& info : Toolbars()) {
            if (info.toggleCommand != id) continue;
            QToolBar* bar = actions_->toolbar(info.id);
            bar->setVisible(!bar->isVisible());
        }
    }
    updateBarChecks();
}

void CMainFrame::zoom(int direction) {
    CChildFrame* frame = activeFrame();
    if (!frame) return;
    if (direction > 0) {
        frame->ZoomUp();
    } else {
        frame->ZoomDown();
    }
    updateCommands();
}

void CMainFrame::changeWindow() {
    CChildFrame* frame = activeFrame();
    CChildFrame* next = registry_->next(frame);
    if (next && next != frame) area_->setActiveSubWindow(next);
}

void CMainFrame::showAbout() {
    AboutDialog about(aboutClicks_, services_.openUrl, this);
    about.exec();
}

// Update functions ---------------------------------------------------------------------------------

void CMainFrame::updateCommands() {
    const bool haveImage = activeView() != nullptr;
    updateImageCommands(haveImage);
    updateFlagChecks();
    updateToolChecks();
    updateBarChecks();
}

void CMainFrame::updateImageCommands(bool haveImage) {
    for (const CommandInfo& command : Commands()) {
        bool enabled = !command.needsImage || haveImage;
        if (Lists(kAwaitingTheirWindow, command.id)) enabled = false;
        actions_->setEnabled(command.id, enabled);
    }
    if (CChildFrame* frame = activeFrame()) {
        actions_->setEnabled(ZoomUp, Zoom::CanZoomUp(frame->GetZoom()));
        actions_->setEnabled(ZoomDown, Zoom::CanZoomDown(frame->GetZoom()));
    }
    for (const MenuId id : MenuBar()) {
        if (MenuNeedsImage(id)) actions_->menu(id)->setEnabled(haveImage);
    }
    if (MenuNeedsImage(MenuId::Zoom)) actions_->menu(MenuId::Zoom)->setEnabled(haveImage);
}

void CMainFrame::updateFlagChecks() {
    for (const int id : {ToggleOriginalLayer, ToggleProcessingLayer, ToggleMeasureLayer, ToggleDrawLayer, ToggleScale,
                         ToggleCenterLine, ToggleGrid, ToggleHorizontalLuminance, ToggleVerticalLuminance})
        actions_->setChecked(id, flags_.*FlagOf(id));
    actions_->setChecked(ColorDistribution, colourShown_);
}

void CMainFrame::updateToolChecks() {
    for (const auto& [command, tool] : kToolCommands) actions_->setChecked(command, tool_ == tool);
}

void CMainFrame::updateBarChecks() {
    for (const ToolbarInfo& info : Toolbars()) actions_->setChecked(info.toggleCommand, !actions_->toolbar(info.id)->isHidden());
    actions_->setChecked(ToggleStatusBar, !statusBar()->isHidden());
}

}  // namespace tessmet
