// The main window's image-processing commands: each runs an operation on the active view's
// original picture and region, writes the processing layer and switches that layer on.

#include "measure/core/UnitFormat.h"
#include "measure/dialogs/CBinaryImageDlg.h"
#include "measure/dialogs/CColorDistDlg.h"
#include "measure/dialogs/CDetectCenterDlg.h"
#include "measure/processing/Binarisation.h"
#include "measure/processing/CentreDetection.h"
#include "measure/processing/ColourDistribution.h"
#include "measure/processing/GreyImage.h"
#include "measure/res/CommandTable.h"
#include "measure/workspace/CMainFrame.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/CommandActions.h"

namespace tessmet {
namespace {

uint32_t ProcessingColour(const Settings& s) { return static_cast<uint32_t>(s.ipPen.color); }

}  // namespace

void CMainFrame::createColourWindow() {
    CColorDistDlg::Links links;
    links.activeView = [this] { return activeView(); };
    links.layerWritten = [](CTessmetView* view) { view->ProcessingChanged(); };
    links.closed = [this] {
        colourShown_ = false;
        updateFlagChecks();
    };
    links.messages = messages_;
    links.csvPath = programFolder_ + kColourDistributionCsvName;
    colourWindow_ = new CColorDistDlg(std::move(links), this);
}

void CMainFrame::binaryImage() {
    CBinaryImageDlg dialog(
        [this](int max, int min) -> ThresholdOutcome {
            CTessmetView* view = activeView();
            if (!view) return {};
            ImageSet& images = view->images();
            const BinariseCounts counts =
                Binarise(images.original(), images.processing(), view->regionSpans(), max, min, ProcessingColour(settings_));
            view->ProcessingChanged();
            return {counts.marked, counts.roi, FormatArea(view->calibration(), counts.marked, true).text};
        },
        this);
    dialog.exec();
}

void CMainFrame::detectCentre() {
    CDetectCenterDlg dialog(
        [this](int max, int min, int type) -> CentreOutcome {
            CTessmetView* view = activeView();
            if (!view) return {};
            ImageSet& images = view->images();
            const CentreResult r = DetectCentre(images.original(), images.processing(), view->regionSpans(), max, min, type,
                                                ProcessingColour(settings_));
            view->ProcessingChanged();
            return {{r.counts.marked, r.counts.roi, FormatArea(view->calibration(), r.counts.marked, true).text}, r.cx, r.cy};
        },
        this);
    dialog.exec();
}

void CMainFrame::greyImage() {
    CTessmetView* view = activeView();
    if (!view) return;
    GreyImage(view->images().original(), view->images().processing(), view->regionSpans());
    view->ProcessingChanged();
}

void CMainFrame::toggleColourWindow() {
    colourShown_ = !colourShown_;
    colourWindow_->setVisible(colourShown_);
    updateFlagChecks();
}

}  // namespace tessmet
