#pragma once

#include "measure/dialogs/DataFileChooser.h"
#include "measure/dialogs/MeasureDialogHost.h"
#include "measure/dialogs/CMeasureResultDlg.h"
#include "measure/workspace/CMainFrame.h"
#include "measure/workspace/FrameRegistry.h"

namespace tessmet {

// What the main window gives the result list and the calibration dialogs.
class CMainFrame::DialogHost final : public MeasureDialogHost {
public:
    explicit DialogHost(CMainFrame& frame) : frame_(frame) {}
    CTessmetView* activeView() const override { return frame_.activeView(); }
    int documentWindowCount() const override { return frame_.registry_->count(); }
    void runCommand(int commandId) override { frame_.OnCommand(commandId); }
    MessagePresenter& messages() override { return *frame_.messages_; }
    DataFileChooser& dataFiles() override { return *frame_.dataFiles_; }
    std::string& dataFolder() override { return frame_.dataFolder_; }
    int runModal(QDialog& dialog) override { return frame_.runModal(dialog); }
    void refreshResults(int kind, bool onActivation) override { frame_.resultDlg_->RefreshResults(kind, onActivation); }

private:
    CMainFrame& frame_;
};

}  // namespace tessmet
