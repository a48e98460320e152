// The main window's Setup and Zoom dialogs, the zoom window and the numeric entries behind Ctrl
// with the draw and region commands. The dialogs edit copies or the settings record; what
// follows their OK (storing, applying to the views) is routed from here.

#include "measure/core/GraphicStore.h"
#include "measure/dialogs/CDrawSetupDlg.h"
#include "measure/dialogs/COtherSetupDlg.h"
#include "measure/dialogs/CRoiSetupDlg.h"
#include "measure/dialogs/CZoomSetupDlg.h"
#include "measure/dialogs/CZoomWindowDlg.h"
#include "measure/dialogs/CoordinateEntryDlg.h"
#include "measure/dialogs/PenSetup.h"
#include "measure/res/CommandTable.h"
#include "measure/res/StringTable.h"
#include "measure/workspace/CChildFrame.h"
#include "measure/workspace/CMainFrame.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/FrameRegistry.h"
#include "measure/workspace/ShowMessage.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace tessmet {

int CMainFrame::runDialog(QDialog& dialog) {
    return runDialog_ ? runDialog_(dialog) : dialog.exec();
}

std::vector<CTessmetView*> CMainFrame::views() const {
    std::vector<CTessmetView*> result;
    for (QMdiSubWindow* window : area_->subWindowList()) {
        if (auto* frame = qobject_cast<CChildFrame*>(window)) result.push_back(&frame->view());
    }
    return result;
}

// Draw Setup and Other Setup ---------------------------------------------------------------------

void CMainFrame::drawSetup() {
    CDrawSetupDlg dialog(PenSetupFrom(settings_), settings_.font, choosers_,
                         [this](const FontDescription& font) { applyFont(font); }, this);
    if (runDialog(dialog) != QDialog::Accepted) return;
    ApplyPenSetup(dialog.pens(), settings_);
    for (CTessmetView* view : views()) view->viewport()->update();
}

void CMainFrame::applyFont(const FontDescription& font) {
    if (!FontChanged(settings_.font, font)) return;
    settings_.font = font;
    ShowMessage(*messages_, StringId::FontChanged, MessageIcon::Information);
    for (CTessmetView* view : views()) view->Rebuild();
}

void CMainFrame::otherSetup() {
    COtherSetupDlg::Views hooks;
    hooks.repaintActive = [this] {
        if (CTessmetView* view = activeView()) view->viewport()->update();
    };
    hooks.rebuildActive = [this] {
        if (CTessmetView* view = activeView()) view->Rebuild();
    };
    hooks.rebuildAll = [this] {
        for (CTessmetView* view : views()) view->Rebuild();
    };
    COtherSetupDlg dialog(settings_, std::move(hooks), this);
    runDialog(dialog);
}

// Zoom Setup and the zoom window ------------------------------------------------------------------

void CMainFrame::zoomSetup() {
    CChildFrame* frame = activeFrame();
    if (!frame) return;
    CZoomSetupDlg dialog(frame->GetZoom(), this);
    QPointer<CChildFrame> alive(frame);
    if (runDialog(dialog) != QDialog::Accepted || !alive) return;
    frame->ChooseZoom(dialog.chosenZoom());
    frame->view().viewport()->update();
    updateCommands();
}

void CMainFrame::toggleZoomWindow() {
    zoomWindowShown_ = !zoomWindowShown_;
    zoomWindow_->setVisible(zoomWindowShown_);
    updateToolChecks();
}

void CMainFrame::zoomWindowFollow(CTessmetView* view, QPoint imagePoint) {
    if (!zoomWindowShown_ || !view) return;
    zoomWindow_->Update(imagePoint.x(), imagePoint.y(), view->images().display(), view);
}

// Numeric entries ---------------------------------------------------------------------------------

void CMainFrame::coordinateEntry(int id) {
    switch (id) {
        case CommandId::RoiRectangle: roiSetup(RoiType::Rectangle); return;
        case CommandId::RoiEllipse: roiSetup(RoiType::Ellipse); return;
        default: drawEntry(id); return;
    }
}

void CMainFrame::roiSetup(int roiType) {
    QPointer<CTessmetView> view(activeView());
    if (!view) return;
    RoiEntry& remembered = roiType == RoiType::Rectangle ? entries_.roiRectangle : entries_.roiEllipse;
    CRoiSetupDlg dialog(roiType, remembered,
                        [view](const std::optional<RegionOfInterest>& outline) {
                            if (!view) return;
                            // The rebuild takes the previous outline away.
                            if (outline) {
                                view->PreviewRegion(*outline);
                            } else {
                                view->Rebuild();
                            }
                        },
                        this);
    const bool accepted = runDialog(dialog) == QDialog::Accepted;
    if (view) view->Rebuild();
    if (!accepted || !view) return;

    const RoiEntry entry = dialog.entry();
    const Point a{entry.startX, entry.startY}, b{entry.endX, entry.endY};
    if (entry.sameForAll) {
        for (CTessmetView* each : views()) each->SetRegion(roiType, a, b);
    } else if (view->SetRegion(roiType, a, b) != 0) {
        ShowMessage(*messages_, StringId::RoiNotSetup, MessageIcon::Exclamation);
        return;
    }
    remembered = entry;
    // The outline belongs to the image-processing layer. Views other than the active one told
    // the main window their flags while their region was set: the active view's count.
    LayerFlags flags = view->flags();
    flags.processingLayer = true;
    view->SetFlags(flags);
    setFlags(flags);
    view->Rebuild();
}

void CMainFrame::drawEntry(int id) {
    QPointer<CTessmetView> view(activeView());
    if (!view) return;
    switch (id) {
        case CommandId::DrawLine:
        case CommandId::DrawRectangle: {
            const bool line = id == CommandId::DrawLine;
            TwoPointEntry& remembered = line ? entries_.line : entries_.rectangle;
            CDrawLineDlg dialog(line ? CDrawLineDlg::Shape::Line : CDrawLineDlg::Shape::Rectangle, remembered, this);
            if (runDialog(dialog) != QDialog::Accepted || !view) return;
            const TwoPointEntry e = dialog.entry();
            const int32_t geometry[] = {e.startX, e.startY, e.endX, e.endY};
            view->AddDrawObject(line ? Kind::Line : Kind::Rectangle, geometry);
            remembered = e;
            return;
        }
        case CommandId::DrawCircle: {
            CDrawCircleDlg dialog(entries_.circle, this);
            if (runDialog(dialog) != QDialog::Accepted || !view) return;
            const CircleEntry e = dialog.entry();
            const int32_t geometry[] = {e.centreX, e.centreY, e.radius};
            view->AddDrawObject(Kind::Circle, geometry);
            entries_.circle = e;
            return;
        }
        case CommandId::DrawText: {
            CDrawTextDlg dialog(entries_.text, this);
            if (runDialog(dialog) != QDialog::Accepted || !view) return;
            const TextPositionEntry e = dialog.entry();
            const int32_t geometry[] = {e.x, e.y};
            view->AddDrawObject(Kind::Text, geometry, e.text);
            entries_.text = e;
            return;
        }
        default: return;
    }
}

}  // namespace tessmet
