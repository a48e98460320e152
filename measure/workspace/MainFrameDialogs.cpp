// The main window's tool windows and the calibration run: "Measure Result" kept in step with
// the active image window, "Calibration Setup", and the run between its "Calibration" button
// and the four clicks on the image.

#include "measure/core/CalibrationSolve.h"
#include "measure/core/UnitFormat.h"
#include "measure/dialogs/CCalibrationGuideDlg.h"
#include "measure/dialogs/CCalibrationSetupDlg.h"
#include "measure/dialogs/CInputDistanceDlg.h"
#include "measure/dialogs/CMeasureResultDlg.h"
#include "measure/dialogs/DataFileChooser.h"
#include "measure/res/CommandTable.h"
#include "measure/res/StringTable.h"
#include "measure/workspace/CChildFrame.h"
#include "measure/workspace/CMainFrame.h"
#include "measure/workspace/CTessmetView.h"
#include "measure/workspace/CommandActions.h"
#include "measure/workspace/FrameRegistry.h"
#include "measure/workspace/MainFrameDialogHost.h"
#include "measure/workspace/ShowMessage.h"

#include <QToolBar>

namespace tessmet {
namespace {

// The kind the result list preselects for a tool: its measurement kind, or none.
int ResultKindOfTool(ToolMode tool) { return IsMeasureTool(tool) ? tool / 256 - 1 : -1; }

}  // namespace

void CMainFrame::createToolDialogs() {
    dialogHost_ = std::make_unique<DialogHost>(*this);
    if (services_.dataFiles) {
        dataFiles_ = services_.dataFiles;
    } else {
        ownDataFiles_ = std::make_unique<DialogDataFileChooser>(this);
        dataFiles_ = ownDataFiles_.get();
    }
    resultDlg_ = new CMeasureResultDlg(*dialogHost_, this);
    resultDlg_->setObjectName(QStringLiteral("MeasureResult"));
    resultDlg_->hide();
    connect(resultDlg_, &CMeasureResultDlg::closedByUser, this, [this] {
        resultShown_ = false;
        updateBarChecks();
    });
    connect(registry_, &FrameRegistry::frameRegistered, this, [this] { resultDlg_->setDocumentOpen(true); });

    guideDlg_ = new CCalibrationGuideDlg(this, this);
    guideDlg_->setObjectName(QStringLiteral("CalibrationGuide"));
    guideDlg_->hide();
}

void CMainFrame::placeToolDialogs() {
    // Centred horizontally on the main window, its top edge a quarter of the way down the
    // screen span of the main window plus half its own height.
    const QRect main = frameGeometry();
    const QRect own = resultDlg_->frameGeometry();
    resultDlg_->move((main.left() + main.right()) / 2 - own.width() / 2,
                     (main.top() + main.bottom()) / 4 + own.height() / 2);
}

int CMainFrame::runModal(QDialog& dialog) { return services_.runModal ? services_.runModal(dialog) : dialog.exec(); }

void CMainFrame::refreshResultsOnActivation() {
    if (registry_->count() == 0) {
        resultDlg_->setDocumentOpen(false);
        resultDlg_->RefreshResults(0, false);
        return;
    }
    resultDlg_->StopBlink();
    resultDlg_->RefreshResults(ResultKindOfTool(tool_), true);
}

void CMainFrame::measurementsChanged(CTessmetView*) { resultDlg_->RefreshResults(ResultKindOfTool(tool_), false); }

void CMainFrame::toggleMeasureResult() {
    resultShown_ = !resultShown_;
    resultDlg_->setVisible(resultShown_);
    updateBarChecks();
}

// Calibration Setup and the run ------------------------------------------------------------------

void CMainFrame::calibrationSetup() {
    if (!activeView()) return;
    std::optional<CalibrationRunResult> solved;
    if (IsCalibrationTool(tool_)) {
        // Right after a run that succeeded: the dialog shows its solution.
        if (haveRunResult_) solved = CalibrationRunResult{runUnit_, runH_, runV_};
        setCurrentTool(Tool::None);
    }
    haveRunResult_ = false;
    CCalibrationSetupDlg setup(*dialogHost_, solved, this);
    const int result = runModal(setup);
    if (result == QDialog::Accepted) {
        if (CTessmetView* view = activeView()) setStatusText(1, QString::fromStdString(ResolutionText(view->calibration())));
        return;
    }
    if (setup.calibrationRequested()) {
        setCurrentTool(CalibrationToolFor(setup.requestedUnit()));
        startCalibrationRun();
    }
}

void CMainFrame::startCalibrationRun() {
    barsHiddenByRun_.clear();
    for (const ToolbarInfo& info : Toolbars()) {
        QToolBar* bar = actions_->toolbar(info.id);
        if (bar->isHidden()) continue;
        barsHiddenByRun_.push_back(bar);
        bar->hide();
    }
    runChrome_ = true;
    updateCommands();
    ShowMessage(*messages_, StringId::StartCalibration, MessageIcon::Information);
    showCalibrationGuide(StringId::CalibrationPerformed, StringId::SetupFirstObject, QPoint());
    activateWindow();
    setFocus();
}

void CMainFrame::endCalibrationRun() {
    guideDlg_->hide();
    for (QToolBar* bar : barsHiddenByRun_) bar->show();
    barsHiddenByRun_.clear();
    runChrome_ = false;
    updateCommands();
}

void CMainFrame::placeGuide(QPoint offset) {
    const QRect main = frameGeometry();
    const QRect own = guideDlg_->frameGeometry();
    const QPoint centre((main.left() + main.right()) / 2, (main.top() + main.bottom()) / 4);
    guideDlg_->move(centre - QPoint(own.width() / 2, own.height() / 2) + offset);
}

void CMainFrame::showCalibrationGuide(int line1, int line2, QPoint offset) {
    guideDlg_->SetLines(line1, line2);
    placeGuide(offset);
    guideDlg_->show();
}

void CMainFrame::finishCalibration(const std::array<Point, 4>& imagePoints) {
    const UnitType unit = CalibrationUnitOf(tool_);
    guideDlg_->hide();
    CInputDistanceDlg distances(*messages_, QString::fromStdString(UnitSuffix(unit, SuffixKind::Length)), this);
    runModal(distances);
    const CalibrationOutcome outcome = EvaluateCalibration(imagePoints, unit, distances.first(), distances.second());
    endCalibrationRun();
    if (!outcome.accepted) {
        ShowMessage(*messages_, StringId::CalibrationFailed, MessageIcon::Exclamation);
        setCurrentTool(Tool::None);
    } else {
        ShowMessage(*messages_, StringId::CalibrationEnded, MessageIcon::Information);
        haveRunResult_ = true;
        runUnit_ = unit;
        runH_ = outcome.solution.h;
        runV_ = outcome.solution.v;
    }
    OnCommand(CommandId::CalibrationSetup);
}

}  // namespace tessmet
